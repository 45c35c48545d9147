#include "app/shellWindows.h"

#include "app/fileDialogs.h"
#include "app/mainForm.h"
#include "shell/aboutForm.h"
#include "shell/helpCommands.h"
#include "shell/mainWindowPreferences.h"
#include "shell/settingForm.h"

#include <QComboBox>
#include <QLineEdit>

ShellWindows::ShellWindows(TMainForm& form, const ProgramInfo& info, Preferences& preferences,
                           Prompter& mainPrompter, DesktopOpener& opener, FileDialogs& fileDialogs,
                           FolderChooser& folderChooser, Prompter* settingsPrompter)
    : m_form(form), m_info(info), m_mainPrompter(mainPrompter), m_opener(opener) {
    m_aboutForm = std::make_unique<TAboutForm>(m_info, m_opener, &m_form);

    SettingFormLinks links;
    links.mainOutputFile = [this] { return m_form.edtOutputFile()->text(); };
    links.setMainOutputFile = [this](const QString& text) {
        m_form.edtOutputFile()->setText(text);
    };
    links.browseOutputFile = [&fileDialogs](QWidget* owner) -> std::optional<QString> {
        const QString chosen = fileDialogs.saveOutputFile(owner);
        if (chosen.isEmpty())
            return std::nullopt;
        return chosen;
    };
    m_settingForm = std::make_unique<TSettingForm>(preferences, m_info, &m_form, std::move(links),
                                                   folderChooser, settingsPrompter);

    connect(&m_form, &TMainForm::generalSettingsRequested, m_settingForm.get(), &QWidget::show);
    connect(&m_form, &TMainForm::aboutRequested, m_aboutForm.get(), &QWidget::show);
    connect(&m_form, &TMainForm::helpRequested, this, [this] { OpenHelp(m_info, m_opener); });
    connect(&m_form, &TMainForm::makerPageRequested, this,
            [this] { OpenMakerPage(m_info, m_opener); });
    connect(&m_form, &TMainForm::firstShown, this, [this] {
        QComboBox& profiles = *m_form.cmbProfile();
        RestoreMainWindowPreferences(m_info, profiles, *m_form.edtOutputFile(), [this, &profiles] {
            emit m_form.profileChanged(profiles.currentIndex());
        });
    });
    connect(&m_form, &TMainForm::closing, this, [this] {
        StoreMainWindowPreferences(m_info, *m_form.cmbProfile(), *m_form.edtOutputFile(),
                                   m_mainPrompter);
    });
}

ShellWindows::~ShellWindows() = default;
