#pragma once

#include "app/fileDialogs.h"
#include "app/programInfo.h"
#include "engine/powerOff.h"
#include "profiles/encodingChoices.h"
#include "shell/folderChooser.h"
#include "shell/messageBoxPrompter.h"
#include "shell/preferences.h"
#include "shell/systemDesktopOpener.h"
#include "tasks/taskListModel.h"

#include <QObject>
#include <QStringList>

#include <memory>

class JobWindowBinding;
class ShellWindows;
class TMainForm;
class TopSettingForm;

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
    TopSettingForm& opSettingForm() const { return *m_opSettingForm; }
    EncodingChoices& encodingChoices() { return m_encodingChoices; }
    ShellWindows& shellWindows() const { return *m_shellWindows; }

    // Shows the main window; its first showing applies the stored choices.
    void show();

private:
    void connectOtherParts();
    // Loads the profile selected in cmbProfile; a profile whose file has gone changes nothing.
    void cmbProfileChange();

    ProgramInfo m_info;
    TaskListModel m_model;
    EncodingChoices m_encodingChoices;
    Preferences m_preferences;
    MessageBoxPrompter m_prompter{nullptr};
    SystemDesktopOpener m_opener;
    QtFileDialogs m_fileDialogs;
    DialogFolderChooser m_folderChooser;
    SystemPowerOff m_powerOff;
    std::unique_ptr<TMainForm> m_mainForm;
    MessageBoxPrompter m_settingsPrompter{nullptr};
    std::unique_ptr<TopSettingForm> m_opSettingForm;
    JobWindowBinding* m_job = nullptr;            // owned by the main window
    std::unique_ptr<ShellWindows> m_shellWindows; // About, preferences, help
};
