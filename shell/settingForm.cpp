#include "shell/settingForm.h"

#include "shell/folderChooser.h"
#include "shell/messageBoxPrompter.h"
#include "shell/preferencesFile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QToolButton* browseButton(const char* name, const QString& icon, const QString& tip) {
    auto* button = named(new QToolButton, name);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TSettingForm::TSettingForm(Preferences& inForce, const ProgramInfo& info, QWidget* mainWindow,
                           SettingFormLinks links, FolderChooser& folderChooser,
                           Prompter* prompter)
    : QDialog(nullptr), // not a child: disabling the main window would disable the dialog too
      m_ownPrompter(prompter ? nullptr : std::make_unique<MessageBoxPrompter>(this)),
      m_session(inForce, info, prompter ? *prompter : *m_ownPrompter), m_mainWindow(mainWindow),
      m_links(std::move(links)), m_folderChooser(folderChooser) {
    setObjectName(QStringLiteral("SettingForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    buildControls();
    // Created once at start-up, the dialog loads the stored preferences.
    m_session.values() = ReadPreferences(info);
    showValues();
    connectControls();
}

TSettingForm::~TSettingForm() = default;

void TSettingForm::buildControls() {
    edtOutputFile = named(new QLineEdit, "edtOutputFile");
    edtOutputFile->setMinimumWidth(300);
    SpeedButton1 = browseButton("SpeedButton1", QStringLiteral(":/preferences/browse-file.svg"),
                                QStringLiteral("Browse for the output file"));
    edtTempDir = named(new QLineEdit, "edtTempDir");
    SpeedButton2 = browseButton("SpeedButton2", QStringLiteral(":/preferences/browse-folder.svg"),
                                QStringLiteral("Browse for the temp folder"));

    auto* labOutputFile =
        named(new QLabel(QStringLiteral("Default Output File:")), "labOutputFile");
    labOutputFile->setBuddy(edtOutputFile);
    auto* labTempDir = named(new QLabel(QStringLiteral("Temp Folder:")), "labTempDir");
    labTempDir->setBuddy(edtTempDir);

    auto* paths = new QGridLayout;
    paths->addWidget(labOutputFile, 0, 0);
    paths->addWidget(edtOutputFile, 0, 1);
    paths->addWidget(SpeedButton1, 0, 2);
    paths->addWidget(labTempDir, 1, 0);
    paths->addWidget(edtTempDir, 1, 1);
    paths->addWidget(SpeedButton2, 1, 2);

    auto* separator = named(new QFrame, "Bevel1");
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    // The trailing blank of the first caption is part of the program's text.
    chkOpenDir = named(
        new QCheckBox(QStringLiteral("Open the output directory when the task is completed. ")),
        "chkOpenDir");
    chkExit = named(new QCheckBox(QStringLiteral("Exit the program when the task is completed.")),
                    "chkExit");
    chkTurnoff =
        named(new QCheckBox(QStringLiteral("Turn off the computer when the task is completed.")),
              "chkTurnoff");

    gpbOverWrite = named(new QGroupBox(QStringLiteral("Output File Overwrite")), "gpbOverWrite");
    rdbAsk = named(new QRadioButton(QStringLiteral("Ask me.")), "rdbAsk");
    rdbOverWrite = named(new QRadioButton(QStringLiteral("Overwrite")), "rdbOverWrite");
    rdbRename =
        named(new QRadioButton(QStringLiteral("Not overwrite (Rename to <Filename> + Index")),
              "rdbRename");
    auto* radios = new QVBoxLayout(gpbOverWrite);
    radios->addWidget(rdbAsk);
    radios->addWidget(rdbOverWrite);
    radios->addWidget(rdbRename);

    btnDefault = named(new QPushButton(QStringLiteral("&Load Default")), "btnDefault");
    btnOK = named(new QPushButton(QStringLiteral("&OK")), "btnOK");
    btnCancel = named(new QPushButton(QStringLiteral("&Cancel")), "btnCancel");
    btnDefault->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    btnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDefault);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(paths);
    layout->addWidget(separator);
    layout->addWidget(chkOpenDir);
    layout->addWidget(chkExit);
    layout->addWidget(chkTurnoff);
    layout->addWidget(gpbOverWrite);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // A fixed-size dialog frame: the size follows the contents and cannot be changed.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSettingForm::connectControls() {
    // The controls are the values in force: every edit goes straight into them.
    Preferences& values = m_session.values();
    connect(edtOutputFile, &QLineEdit::textChanged, this,
            [&values](const QString& text) { values.outputFile = text; });
    connect(edtTempDir, &QLineEdit::textChanged, this,
            [&values](const QString& text) { values.tempDir = text; });
    connect(chkOpenDir, &QCheckBox::toggled, this, [&values](bool on) { values.openDir = on; });
    connect(chkExit, &QCheckBox::toggled, this, [&values](bool on) { values.exitProgram = on; });
    connect(chkTurnoff, &QCheckBox::toggled, this, [&values](bool on) { values.turnOff = on; });
    for (QRadioButton* radio : {rdbAsk, rdbOverWrite, rdbRename})
        connect(radio, &QRadioButton::toggled, this, [this] {
            if (!m_showingValues)
                m_session.values().overwrite = shownOverwrite();
        });

    connect(btnOK, &QPushButton::clicked, this, &TSettingForm::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TSettingForm::btnCancelClick);
    connect(btnDefault, &QPushButton::clicked, this, &TSettingForm::btnDefaultClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TSettingForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TSettingForm::SpeedButton2Click);
}

void TSettingForm::showValues() {
    const Preferences values = m_session.values(); // the setters below write back into it
    edtOutputFile->setText(values.outputFile);
    edtTempDir->setText(values.tempDir);
    chkOpenDir->setChecked(values.openDir);
    chkExit->setChecked(values.exitProgram);
    chkTurnoff->setChecked(values.turnOff);
    showOverwrite(values.overwrite);
}

void TSettingForm::showOverwrite(OverwritePolicy policy) {
    // An exclusive radio group refuses to clear its checked button, yet "none
    // selected" is a valid choice, so exclusivity is lifted while the buttons are set.
    m_showingValues = true;
    const QList<QRadioButton*> radios{rdbAsk, rdbOverWrite, rdbRename};
    for (QRadioButton* radio : radios)
        radio->setAutoExclusive(false);
    rdbAsk->setChecked(policy == OverwritePolicy::Ask);
    rdbOverWrite->setChecked(policy == OverwritePolicy::Overwrite);
    rdbRename->setChecked(policy == OverwritePolicy::Rename);
    for (QRadioButton* radio : radios)
        radio->setAutoExclusive(true);
    m_showingValues = false;
    m_session.values().overwrite = policy;
}

OverwritePolicy TSettingForm::shownOverwrite() const {
    if (rdbAsk->isChecked())
        return OverwritePolicy::Ask;
    if (rdbOverWrite->isChecked())
        return OverwritePolicy::Overwrite;
    if (rdbRename->isChecked())
        return OverwritePolicy::Rename;
    return OverwritePolicy::None;
}

void TSettingForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_mainWindow) {
        if (windowHandle() && m_mainWindow->windowHandle())
            windowHandle()->setTransientParent(m_mainWindow->windowHandle());
        adjustSize();
        const QRect owner = m_mainWindow->frameGeometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
        m_mainWindow->setEnabled(false);
    }
    m_session.begin(m_links.mainOutputFile ? m_links.mainOutputFile()
                                           : m_session.values().outputFile);
    showValues();
}

void TSettingForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // OK, Cancel, Escape and the close box all end here.
    if (!event->spontaneous() && m_mainWindow)
        m_mainWindow->setEnabled(true);
}

void TSettingForm::closeEvent(QCloseEvent* event) {
    // QDialog would treat the close box as Cancel and put the snapshot back.
    event->accept();
}

void TSettingForm::btnOKClick() {
    // The main window takes the output file even when storing then fails.
    if (m_links.setMainOutputFile)
        m_links.setMainOutputFile(m_session.values().outputFile);
    if (m_session.store())
        hide();
}

void TSettingForm::btnCancelClick() {
    hide();
    m_session.restore();
    showValues();
}

void TSettingForm::reject() {
    btnCancelClick();
}

void TSettingForm::btnDefaultClick() {
    if (m_session.loadDefault())
        showValues();
}

void TSettingForm::SpeedButton1Click() {
    if (!m_links.browseOutputFile)
        return;
    // The dialog owns the save dialog: one owned by the disabled main window
    // would be disabled with it.
    if (const std::optional<QString> chosen = m_links.browseOutputFile(this))
        edtOutputFile->setText(*chosen);
}

void TSettingForm::SpeedButton2Click() {
    // No root and no initial folder: the chooser opens on the whole file system.
    QString folder;
    if (m_folderChooser.ChooseFolder(this, QStringLiteral("Select the output directory."),
                                     QString(), folder))
        edtTempDir->setText(AddBackslash(folder));
}
