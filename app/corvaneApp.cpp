#include "app/corvaneApp.h"

#include "app/corvaneResources.h"
#include "app/mainForm.h"
#include "app/shellWindows.h"
#include "profiles/outputSettingsForm.h"
#include "profiles/profileCatalogue.h"
#include "engine/jobWindowBinding.h"

#include <QApplication>
#include <QComboBox>

CorvaneApp::CorvaneApp(const QString& appFolder, const QStringList& arguments)
    : m_info(ProgramInfo::forAppDir(appFolder)) {
    QApplication::setApplicationName(m_info.programName);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        ApplyCorvaneStyle(*app);

    // The main window comes first; the message boxes belong to it, also those
    // asked while the command line is read, before it is shown.
    m_mainForm = std::make_unique<TMainForm>(m_info, &m_model, &m_prompter, &m_opener,
                                             &m_fileDialogs, &m_folderChooser);
    m_prompter = MessageBoxPrompter(m_mainForm.get());
    // The profile list is filled once; profiles added later show at the next start.
    m_mainForm->cmbProfile()->addItems(ProfileCatalogue(m_info.profilesDir));
    m_mainForm->runCommandLine(arguments);

    // Then the dialogs that live as long as the program: About, the output
    // settings and the preferences (which read Preferences.ini when made).
    m_opSettingForm =
        std::make_unique<TopSettingForm>(m_encodingChoices, m_settingsPrompter, m_mainForm.get());
    m_settingsPrompter = MessageBoxPrompter(m_opSettingForm.get());
    connectOtherParts();
}

CorvaneApp::~CorvaneApp() = default;

void CorvaneApp::show() {
    m_mainForm->show();
}

void CorvaneApp::connectOtherParts() {
    // Where the other parts of the program meet the main window:
    // - startRequested / stopRequested: the join job;
    // - outputSettingsRequested and profileChanged(index): the output settings
    //   dialog and the profile catalogue, which also fills cmbProfile;
    // - generalSettingsRequested, firstShown and closing: the preferences
    //   dialog and the stored profile position and output file;
    // - aboutRequested, helpRequested and makerPageRequested: About and help.
    TMainForm* form = m_mainForm.get();
    // About, the preferences dialog (which loads Preferences.ini into
    // m_preferences before the job can read it), help and the maker's page.
    m_shellWindows = std::make_unique<ShellWindows>(*m_mainForm, m_info, m_preferences, m_prompter,
                                                    m_opener, m_fileDialogs, m_folderChooser);
    m_job = JobWindowBinding::bind({m_info, &m_model, &m_encodingChoices, &m_preferences,
                                    &m_prompter, &m_opener, &m_powerOff, nullptr},
                                   form);
    connect(form, &TMainForm::profileChanged, this, [this] { cmbProfileChange(); });
    connect(form, &TMainForm::outputSettingsRequested, m_opSettingForm.get(), &QWidget::show);
}

void CorvaneApp::cmbProfileChange() {
    ApplyChosenProfile(m_encodingChoices, m_info.profilesDir,
                       m_mainForm->cmbProfile()->currentText());
}
