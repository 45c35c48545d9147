#pragma once

#include "engine/joinJob.h"
#include "engine/mainWindowJobHost.h"
#include "engine/progressPanelView.h"

#include <QObject>
#include <QPointer>

class QWidget;

// Puts a join job into the main window: the window is the job's host, its
// progress controls show the job's progress, and a close during a job is held
// back until the job has ended (the job then closes the window itself).
class JobWindowBinding final : public QObject {
    Q_OBJECT
public:
    // Binds a job to a main window that has the signals startRequested(),
    // stopRequested() and closing(): Start and Stop go to the job, and a close
    // held back during a job still announces closing() at once, so that what
    // closing stores is stored then (and again when the window really closes).
    template <typename Window>
    static JobWindowBinding* bind(JoinJobContext context, Window* window) {
        auto* binding = new JobWindowBinding(std::move(context), window);
        connect(window, &Window::startRequested, &binding->job(), &JoinJob::start);
        connect(window, &Window::stopRequested, &binding->job(), &JoinJob::stop);
        connect(binding, &JobWindowBinding::closeDeferred, window, &Window::closing);
        return binding;
    }

    // The context's host is ignored: the window is the host.
    JobWindowBinding(JoinJobContext context, QWidget* mainWindow);
    ~JobWindowBinding() override;

    JoinJob& job() { return *m_job; }
    ProgressPanelView& view() { return *m_view; }

signals:
    // The window was asked to close while a job runs; it stays open until the
    // job has ended. Whatever closing stores should be stored now.
    void closeDeferred();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    MainWindowJobHost m_host;
    std::unique_ptr<JoinJob> m_job;
    ProgressPanelView* m_view = nullptr;
};
