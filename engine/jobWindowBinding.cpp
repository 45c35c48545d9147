#include "engine/jobWindowBinding.h"

#include <QCloseEvent>
#include <QWidget>

JobWindowBinding::JobWindowBinding(JoinJobContext context, QWidget* mainWindow)
    : QObject(mainWindow), m_window(mainWindow), m_host(mainWindow) {
    context.host = &m_host;
    m_job = std::make_unique<JoinJob>(std::move(context));
    m_view = new ProgressPanelView(m_job->progress(), mainWindow);
    mainWindow->installEventFilter(this);
}

JobWindowBinding::~JobWindowBinding() {
    if (m_window)
        m_window->removeEventFilter(this);
}

bool JobWindowBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Close && m_job->deferWindowClose()) {
        // Ending the program now would kill the encoder mid-file; the job runs
        // to its end, shows its messages and then closes the window.
        event->ignore();
        emit closeDeferred();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
