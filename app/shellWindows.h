#pragma once

#include "app/programInfo.h"
#include "shell/preferences.h"

#include <QObject>

#include <memory>

class DesktopOpener;
class FileDialogs;
class FolderChooser;
class Prompter;
class TAboutForm;
class TMainForm;
class TSettingForm;

// The main window's shell commands: the About dialog, the preferences dialog,
// help, the maker's page, and the profile position and output file that are
// remembered from one run to the next. Both dialogs live as long as this object.
class ShellWindows final : public QObject {
    Q_OBJECT
public:
    // mainPrompter: the main window's message boxes (a failed store at close).
    ShellWindows(TMainForm& form, const ProgramInfo& info, Preferences& preferences,
                 Prompter& mainPrompter, DesktopOpener& opener, FileDialogs& fileDialogs,
                 FolderChooser& folderChooser, Prompter* settingsPrompter = nullptr);
    ~ShellWindows() override;

    TAboutForm& aboutForm() const { return *m_aboutForm; }
    TSettingForm& settingForm() const { return *m_settingForm; }

private:
    TMainForm& m_form;
    ProgramInfo m_info;
    Prompter& m_mainPrompter;
    DesktopOpener& m_opener;
    std::unique_ptr<TAboutForm> m_aboutForm;
    std::unique_ptr<TSettingForm> m_settingForm;
};
