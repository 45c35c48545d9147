#pragma once

#include "app/programInfo.h"
#include "shell/preferences.h"
#include "shell/settingsSession.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class FolderChooser;
class Prompter;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// What the settings dialog needs of the main window besides the window itself.
struct SettingFormLinks {
    // The main window's output file box.
    std::function<QString()> mainOutputFile;
    std::function<void(const QString&)> setMainOutputFile;
    // The main window's save dialog (the one behind "&Browser"), owned by the
    // given window: the chosen file, or nothing when the person cancelled.
    std::function<std::optional<QString>(QWidget* owner)> browseOutputFile;
};

// The preferences dialog, created once at start-up (when it loads
// Preferences.ini into the preferences in force) and hidden when closed. Its
// controls show and edit the preferences in force; while it is visible the
// main window is disabled, so it behaves as a modal dialog without a modal loop.
class TSettingForm final : public QDialog {
    Q_OBJECT
public:
    // folderChooser: picks the temp folder. prompter: message boxes of this
    // dialog; null for real message boxes owned by it.
    TSettingForm(Preferences& inForce, const ProgramInfo& info, QWidget* mainWindow,
                 SettingFormLinks links, FolderChooser& folderChooser,
                 Prompter* prompter = nullptr);
    ~TSettingForm() override;

    // The controls show the values in force again (after they changed elsewhere).
    void showValues();

public slots:
    void btnOKClick();
    void btnCancelClick();
    void btnDefaultClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    // Escape cancels, as the Cancel button does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The close box keeps the edits: it only hides the dialog.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void showOverwrite(OverwritePolicy policy);
    OverwritePolicy shownOverwrite() const;

    std::unique_ptr<Prompter> m_ownPrompter;
    SettingsSession m_session;
    QPointer<QWidget> m_mainWindow;
    SettingFormLinks m_links;
    FolderChooser& m_folderChooser;
    bool m_showingValues = false;

    QLineEdit* edtOutputFile = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLineEdit* edtTempDir = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QCheckBox* chkOpenDir = nullptr;
    QCheckBox* chkExit = nullptr;
    QCheckBox* chkTurnoff = nullptr;
    QGroupBox* gpbOverWrite = nullptr;
    QRadioButton* rdbAsk = nullptr;
    QRadioButton* rdbOverWrite = nullptr;
    QRadioButton* rdbRename = nullptr;
    QPushButton* btnDefault = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
};
