#include "engine/progressPanelView.h"

#include "engine/jobProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace {

template <typename T> T* control(QWidget* window, const char* name) {
    return window->findChild<T*>(QLatin1String(name));
}

void setText(QLabel* label, const QString& text) {
    if (label)
        label->setText(text);
}

void setBar(QProgressBar* bar, int value) {
    if (bar) {
        bar->setRange(0, 100);
        bar->setValue(value);
    }
}

} // namespace

ProgressPanelView::ProgressPanelView(JobProgress& progress, QWidget* window)
    : QObject(window), m_progress(progress),
      m_panBottomCenter(control<QWidget>(window, "panBottomCenter")),
      m_panBottomLeft(control<QWidget>(window, "panBottomLeft")),
      m_labProcessTitle(control<QLabel>(window, "labProcessTitle")),
      m_labConvertingFile(control<QLabel>(window, "labConvertingFile")),
      m_pgbCurrent(control<QProgressBar>(window, "pgbCurrent")),
      m_labCurProgress(control<QLabel>(window, "labCurProgress")),
      m_pgbTotal(control<QProgressBar>(window, "pgbTotal")),
      m_labTotalProgress(control<QLabel>(window, "labTotalProgress")),
      m_labElapsed(control<QLabel>(window, "labElapsed")),
      m_labRemaining(control<QLabel>(window, "labRemaining")) {
    connect(&progress, &JobProgress::changed, this, &ProgressPanelView::showValues);
    connect(&progress, &JobProgress::panelsSwapped, this, &ProgressPanelView::swapPanels);
}

bool ProgressPanelView::isComplete() const {
    return m_panBottomCenter && m_panBottomLeft && m_labProcessTitle && m_labConvertingFile &&
           m_pgbCurrent && m_labCurProgress && m_pgbTotal && m_labTotalProgress && m_labElapsed &&
           m_labRemaining;
}

void ProgressPanelView::showValues() {
    setText(m_labProcessTitle, m_progress.processTitle);
    setText(m_labConvertingFile, m_progress.convertingFile);
    if (m_labConvertingFile)
        m_labConvertingFile->setVisible(m_progress.convertingFileVisible);
    setBar(m_pgbCurrent, m_progress.current.shown());
    setText(m_labCurProgress, m_progress.current.labelText());
    setBar(m_pgbTotal, m_progress.total.shown());
    setText(m_labTotalProgress, m_progress.total.labelText());
    setText(m_labElapsed, m_progress.elapsedText);
    setText(m_labRemaining, m_progress.remainingText);
}

void ProgressPanelView::swapPanels(bool progressShown) {
    if (m_panBottomCenter)
        m_panBottomCenter->setVisible(!progressShown);
    if (m_panBottomLeft)
        m_panBottomLeft->setVisible(progressShown);
}
