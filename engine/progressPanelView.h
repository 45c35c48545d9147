#pragma once

#include <QObject>
#include <QPointer>

class JobProgress;
class QLabel;
class QProgressBar;
class QWidget;

// Shows a job's progress in the main window's progress controls, found by
// their object names: the step title, the file being converted, both bars
// with their percentages, the elapsed and remaining time, and which of the two
// bottom panels is visible. It only shows; the values live in JobProgress.
class ProgressPanelView final : public QObject {
    Q_OBJECT
public:
    ProgressPanelView(JobProgress& progress, QWidget* window);

    // True when every control was found.
    bool isComplete() const;

private:
    void showValues();
    void swapPanels(bool progressShown);

    JobProgress& m_progress;
    QPointer<QWidget> m_panBottomCenter;
    QPointer<QWidget> m_panBottomLeft;
    QPointer<QLabel> m_labProcessTitle;
    QPointer<QLabel> m_labConvertingFile;
    QPointer<QProgressBar> m_pgbCurrent;
    QPointer<QLabel> m_labCurProgress;
    QPointer<QProgressBar> m_pgbTotal;
    QPointer<QLabel> m_labTotalProgress;
    QPointer<QLabel> m_labElapsed;
    QPointer<QLabel> m_labRemaining;
};
