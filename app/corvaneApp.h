#pragma once

#include "app/fileDialogs.h"
#include "app/programInfo.h"
#include "profiles/encodingChoices.h"
#include "shell/folderChooser.h"
#include "shell/messageBoxPrompter.h"
#include "shell/preferences.h"
#include "shell/systemDesktopOpener.h"
#include "tasks/taskListModel.h"

#include <QObject>
#include <QStringList>

#include <memory>

class ShellWindows;
class TMainForm;

// The composition root: builds the program's constants, its core objects, the
// services the windows use and the windows themselves, in start-up order, and
// wires the commands of one part to the code of another.
class CorvaneApp final : public QObject {
    Q_OBJECT
public:
    // `appFolder` is the folder of the running executable; `arguments` the
    // command line without the program name.
    CorvaneApp(const QString& appFolder, const QStringList& arguments);
    ~CorvaneApp() override;

    TMainForm& mainForm() const { return *m_mainForm; }
    const ProgramInfo& info() const { return m_info; }
    ShellWindows& shellWindows() const { return *m_shellWindows; }

    // Shows the main window; its first showing applies the stored choices.
    void show();

private:
    void connectOtherParts();

    ProgramInfo m_info;
    TaskListModel m_model;
    EncodingChoices m_encodingChoices;
    Preferences m_preferences;
    MessageBoxPrompter m_prompter{nullptr};
    SystemDesktopOpener m_opener;
    QtFileDialogs m_fileDialogs;
    DialogFolderChooser m_folderChooser;
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<ShellWindows> m_shellWindows; // About, preferences, help
};
