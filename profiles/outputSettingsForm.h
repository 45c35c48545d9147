#pragma once

#include "profiles/encodingChoices.h"

#include <QDialog>
#include <QPointer>

#include <array>

class Prompter;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The output settings dialog: a view over the encoding choices in force. Its
// boxes show and edit that one object; OK checks the numbers and closes,
// Cancel puts back what was there when the dialog was shown, and the close box
// keeps the edits. While shown it disables the main window, so it acts as a
// modal dialog without a nested event loop. It is no child of the main window,
// since disabling a window disables its children too.
class TopSettingForm final : public QDialog {
    Q_OBJECT
public:
    TopSettingForm(EncodingChoices& choices, Prompter& prompter, QWidget* mainWindow = nullptr);

    void setMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }
    QComboBox* settingBox(SettingBox b) const { return m_boxes[static_cast<int>(b)]; }

    // OK: runs the checks; the first failure is reported and focused, else the dialog closes.
    void btnOKClick();
    // Cancel (also Escape): closes, then puts back the snapshot taken on show.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void placeControls();
    void setTabOrderOfControls();
    void connectControls();

    // Shows every choice again, after a profile load or a restore.
    void showChoices();
    void applyVisibilityRules();
    // Description box: the section's "Description" line and the box's current value.
    void refreshDescription(SettingBox b);
    void boxChanged(SettingBox b);
    void boxTyped(SettingBox b, const QString& text);
    QWidget* fieldWidget(int field) const;

    EncodingChoices& m_choices;
    Prompter& m_prompter;
    QPointer<QWidget> m_mainWindow;
    SavedSettings m_saved;
    bool m_showingChoices = false;

    std::array<QComboBox*, SettingBoxCount> m_boxes{};
    QLabel* m_labVcodec = nullptr;
    QLabel* m_labVbitrate = nullptr;
    QLabel* m_labVbitrateUnit = nullptr;
    QLabel* m_labAspect = nullptr;
    QGroupBox* m_gpbOutputSize = nullptr;
    QRadioButton* m_rdbSelectSize = nullptr;
    QRadioButton* m_rdbManualSize = nullptr;
    QLabel* m_labWidth = nullptr;
    QLineEdit* m_edtWidth = nullptr;
    QLabel* m_labHeight = nullptr;
    QLineEdit* m_edtHeight = nullptr;
    QLabel* m_labAcodec = nullptr;
    QWidget* m_panLavc = nullptr;
    QLabel* m_labAbitrate = nullptr;
    QLabel* m_labAbitrateUnit = nullptr;
    QWidget* m_panMP3 = nullptr;
    QLabel* m_labEncodeTo = nullptr;
    QLabel* m_labQuality = nullptr;
    QLabel* m_labBitrate = nullptr;
    QLabel* m_labChannels = nullptr;
    QLabel* m_labSrate = nullptr;
    QLabel* m_labSrateUnit = nullptr;
    QGroupBox* m_gpbDescription = nullptr;
    QPlainTextEdit* m_memDescription = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
};
