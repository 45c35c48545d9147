#pragma once

#include "engine/jobHost.h"

#include <QPointer>
#include <QWidget>

// The main window's side of a join job, reached through the controls' object
// names: the output file box, the profile list, the task list, the tool
// buttons that a job locks, and closing the window.
class MainWindowJobHost final : public JobHost {
public:
    explicit MainWindowJobHost(QWidget* window) : m_window(window) {}

    QString outputFileText() const override;
    void setOutputFileText(const QString& text) override;
    QString profileName() const override;
    void focusTaskList() override;
    void focusOutputFile() override;
    void LockControls() override;
    void UnlockControls() override;
    void closeMainWindow() override;

private:
    void setControlsEnabled(bool enabled);

    QPointer<QWidget> m_window;
};
