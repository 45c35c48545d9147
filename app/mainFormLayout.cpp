// Building the main window's controls, one area at a time.
#include "app/mainForm.h"

#include "tasks/taskEditor.h"
#include "tasks/taskListModel.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QToolButton* toolButton(QToolBar* bar, const char* name, const QString& hint,
                        const QString& picture) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAccessibleName(hint);
    // QIcon greys the picture by itself for the disabled state.
    button->setIcon(QIcon(QStringLiteral(":/icons/") + picture + QStringLiteral(".svg")));
    button->setIconSize(QSize(48, 48));
    button->setFixedSize(56, 54);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

QLabel* label(const QString& text, QWidget* parent, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    return l;
}

QPushButton* pictureButton(const QString& text, const char* name, const QString& picture,
                           QWidget* parent) {
    auto* button = new QPushButton(
        QIcon(QStringLiteral(":/icons/") + picture + QStringLiteral(".svg")), text, parent);
    button->setObjectName(QLatin1String(name));
    button->setIconSize(QSize(16, 16));
    button->setMinimumWidth(84);
    return button;
}

} // namespace

void TMainForm::createToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tlbMain"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(75);
    bar->setContentsMargins(5, 5, 5, 5);
    bar->setIconSize(QSize(48, 48));
    bar->toggleViewAction()->setVisible(false);
    m_tbtnAddFile = toolButton(bar, "tbtnAddFile", QStringLiteral("Add Video Files"),
                               QStringLiteral("addFile"));
    m_tbtnAddDir =
        toolButton(bar, "tbtnAddDir", QStringLiteral("Add Directory"), QStringLiteral("addDir"));
    bar->addSeparator();
    m_tbtnUp = toolButton(bar, "tbtnUp", QStringLiteral("Move Up"), QStringLiteral("up"));
    m_tbtnDown = toolButton(bar, "tbtnDown", QStringLiteral("Move Down"), QStringLiteral("down"));
    m_tbtnRemove =
        toolButton(bar, "tbtnRemove", QStringLiteral("Remove"), QStringLiteral("remove"));
    m_tbtnClear = toolButton(bar, "tbtnClear", QStringLiteral("Clear"), QStringLiteral("clear"));
    bar->addSeparator();
    m_tbtnStart = toolButton(bar, "tbtnStart", QStringLiteral("Start"), QStringLiteral("start"));
    m_tbtnStop = toolButton(bar, "tbtnStop", QStringLiteral("Stop"), QStringLiteral("stop"));
    bar->addSeparator();
    m_tbtnSetting = toolButton(bar, "tbtnSetting", QStringLiteral("General Settings"),
                               QStringLiteral("setting"));
    bar->addSeparator();
    m_tbtnAbout = toolButton(bar, "tbtnAbout", QStringLiteral("About"), QStringLiteral("about"));
    m_tbtnHelp = toolButton(bar, "tbtnHelp", QStringLiteral("Help"), QStringLiteral("help"));
    addToolBar(Qt::TopToolBarArea, bar);
}

QWidget* TMainForm::createTaskList() {
    auto* holder = new QWidget(this);
    holder->setObjectName(QStringLiteral("panTaskList"));
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(10, 0, 10, 0);

    m_ltvTask = new QTreeView(holder);
    m_ltvTask->setObjectName(QStringLiteral("ltvTask"));
    m_ltvTask->setModel(m_model);
    m_ltvTask->setRootIsDecorated(false);
    m_ltvTask->setItemsExpandable(false);
    m_ltvTask->setUniformRowHeights(true);
    m_ltvTask->setAllColumnsShowFocus(true);
    m_ltvTask->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_ltvTask->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ltvTask->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ltvTask->setSortingEnabled(false);
    m_ltvTask->setContextMenuPolicy(Qt::CustomContextMenu);
    m_ltvTask->setTextElideMode(Qt::ElideMiddle); // keeps the file name of a long path visible
    QHeaderView* header = m_ltvTask->header();
    header->setObjectName(QStringLiteral("ltvTaskHeader"));
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    // The header's own background colour, also when no style sheet is applied.
    QPalette palette = header->palette();
    palette.setColor(QPalette::Button, QColor(243, 243, 243));
    palette.setColor(QPalette::Window, QColor(243, 243, 243));
    header->setPalette(palette);
    m_ltvTask->installEventFilter(this);
    layout->addWidget(m_ltvTask);
    return holder;
}

void TMainForm::createBanner() {
    // Laid over the top left of the list until the first file is added.
    m_panltvTask = new QFrame(m_ltvTask);
    m_panltvTask->setObjectName(QStringLiteral("panltvTask"));
    m_panltvTask->setFrameShape(QFrame::Panel);
    m_panltvTask->setFrameShadow(QFrame::Sunken);
    m_panltvTask->setAutoFillBackground(true);
    m_panltvTask->setGeometry(0, 0, 768, 354);

    auto* picture = new QLabel(m_panltvTask);
    picture->setObjectName(QStringLiteral("imgBanner"));
    picture->setPixmap(QIcon(QStringLiteral(":/images/banner.svg")).pixmap(150, 150));
    picture->setGeometry(40, 40, 150, 150);

    m_labProgramName = label(m_info.programName, m_panltvTask, "labProgramName");
    m_labProgramName->setGeometry(220, 42, 500, 44);
    auto* heading = label(QStringLiteral("Getting Start:"), m_panltvTask, "labGettingStart");
    heading->setGeometry(222, 104, 500, 24);
    const QString steps[] = {QStringLiteral("1. Add multiple videos to the Task List."),
                             QStringLiteral("2. Select a profile and output path."),
                             QStringLiteral("3. Click on the \"Start\" button.")};
    const char* stepNames[] = {"labStep1", "labStep2", "labStep3"};
    for (int i = 0; i < 3; ++i)
        label(steps[i], m_panltvTask, stepNames[i])->setGeometry(240, 140 + 30 * i, 500, 22);

    m_labCompany = label(m_info.companyName + QStringLiteral("  ") + m_info.webAddress,
                         m_panltvTask, "labCompany");
    m_labCompany->setCursor(Qt::PointingHandCursor);
    m_labCompany->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_labCompany->setGeometry(268, 322, 490, 20);
    m_labCompany->setToolTip(m_info.webAddress);
    m_labCompany->installEventFilter(this);
    m_panltvTask->raise();
}

QWidget* TMainForm::createBottomArea() {
    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("panBottom"));
    bottom->setFixedHeight(77);
    auto* layout = new QHBoxLayout(bottom);
    layout->setContentsMargins(10, 4, 4, 4);
    layout->setSpacing(0);
    m_panBottomCenter = createProfilePanel();
    m_panBottomLeft = createProgressPanel();
    layout->addWidget(m_panBottomCenter);
    layout->addWidget(m_panBottomLeft);
    layout->addStretch(1);
    layout->addWidget(createLogoPanel());
    return bottom;
}

QFrame* TMainForm::createProfilePanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panBottomCenter"));
    panel->setFixedWidth(607);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 2, 8, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);

    m_cmbProfile = new QComboBox(panel);
    m_cmbProfile->setObjectName(QStringLiteral("cmbProfile"));
    m_cmbProfile->setEditable(false); // a choice from the list only
    m_bbtnSetting =
        pictureButton(QStringLiteral("&Setting"), "bbtnSetting", QStringLiteral("setting"), panel);
    m_edtOutputFile = new QLineEdit(panel);
    m_edtOutputFile->setObjectName(QStringLiteral("edtOutputFile"));
    m_bbtnBrowser =
        pictureButton(QStringLiteral("&Browser"), "bbtnBrowser", QStringLiteral("folder"), panel);
    m_bbtnOpen = pictureButton(QStringLiteral("&Open"), "bbtnOpen", QStringLiteral("open"), panel);

    auto* profileLabel = label(QStringLiteral("Profile:"), panel, "labProfile");
    profileLabel->setBuddy(m_cmbProfile);
    auto* outputLabel = label(QStringLiteral("Output File:"), panel, "labOutputFile");
    outputLabel->setBuddy(m_edtOutputFile);
    grid->addWidget(profileLabel, 0, 0);
    grid->addWidget(m_cmbProfile, 0, 1, 1, 2);
    grid->addWidget(m_bbtnSetting, 0, 3);
    grid->addWidget(outputLabel, 1, 0);
    grid->addWidget(m_edtOutputFile, 1, 1);
    grid->addWidget(m_bbtnBrowser, 1, 2);
    grid->addWidget(m_bbtnOpen, 1, 3);
    grid->setColumnStretch(1, 1);
    return panel;
}

QFrame* TMainForm::createProgressPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panBottomLeft"));
    panel->setFixedWidth(607);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 8, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    m_labProcessTitle = label(QStringLiteral("Converting:"), panel, "labProcessTitle");
    m_labConvertingFile = label(QStringLiteral("No File"), panel, "labConvertingFile");
    m_labConvertingFile->setTextFormat(Qt::PlainText);
    m_pgbCurrent = new QProgressBar(panel);
    m_pgbCurrent->setObjectName(QStringLiteral("pgbCurrent"));
    m_labCurProgress = label(QStringLiteral("0%"), panel, "labCurProgress");
    m_pgbTotal = new QProgressBar(panel);
    m_pgbTotal->setObjectName(QStringLiteral("pgbTotal"));
    m_labTotalProgress = label(QStringLiteral("0%"), panel, "labTotalProgress");
    m_labElapsed = label(QStringLiteral("00:00:00"), panel, "labElapsed");
    m_labRemaining = label(QStringLiteral("00:00:00"), panel, "labRemaining");
    for (QProgressBar* bar : {m_pgbCurrent, m_pgbTotal}) {
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        bar->setFixedHeight(14);
    }
    for (QLabel* percent : {m_labCurProgress, m_labTotalProgress}) {
        percent->setMinimumWidth(36);
        percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    grid->addWidget(m_labProcessTitle, 0, 0);
    grid->addWidget(m_labConvertingFile, 0, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Current Progress:"), panel, "labCurrentTitle"), 1, 0);
    grid->addWidget(m_pgbCurrent, 1, 1);
    grid->addWidget(m_labCurProgress, 1, 2);
    grid->addWidget(label(QStringLiteral("Total Progress:"), panel, "labTotalTitle"), 2, 0);
    grid->addWidget(m_pgbTotal, 2, 1);
    grid->addWidget(m_labTotalProgress, 2, 2);
    grid->addWidget(label(QStringLiteral("Time Elapsed:"), panel, "labElapsedTitle"), 1, 3);
    grid->addWidget(m_labElapsed, 1, 4);
    grid->addWidget(label(QStringLiteral("Time Remaining:"), panel, "labRemainingTitle"), 2, 3);
    grid->addWidget(m_labRemaining, 2, 4);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* TMainForm::createLogoPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panLogo"));
    panel->setFixedWidth(178);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_Image1 = new QLabel(panel);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setPixmap(QIcon(QStringLiteral(":/images/logo.svg")).pixmap(QSize(170, 64)));
    m_Image1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_Image1->setCursor(Qt::PointingHandCursor);
    m_Image1->setToolTip(m_info.webAddress);
    m_Image1->installEventFilter(this);
    layout->addWidget(m_Image1);
    return panel;
}

void TMainForm::createTaskMenu() {
    m_ppmTask = new QMenu(this);
    m_ppmTask->setObjectName(QStringLiteral("ppmTask"));
    m_mniOpen = m_ppmTask->addAction(QStringLiteral("Open"), this, &TMainForm::ltvTaskDblClick);
    m_ppmTask->addSeparator();
    m_mniAddFiles =
        m_ppmTask->addAction(QStringLiteral("Add Files..."), this, &TMainForm::tbtnAddFileClick);
    m_mniAddDir = m_ppmTask->addAction(QStringLiteral("Add Directorys..."), this,
                                       &TMainForm::tbtnAddDirClick);
    m_ppmTask->addSeparator();
    m_mniRemove = m_ppmTask->addAction(QStringLiteral("Remove"), this, &TMainForm::tbtnRemoveClick);
    m_mniClear = m_ppmTask->addAction(QStringLiteral("Clear"), this, &TMainForm::tbtnClearClick);
    m_mniOpen->setObjectName(QStringLiteral("mniOpen"));
    m_mniAddFiles->setObjectName(QStringLiteral("mniAddFiles"));
    m_mniAddDir->setObjectName(QStringLiteral("mniAddDir"));
    m_mniRemove->setObjectName(QStringLiteral("mniRemove"));
    m_mniClear->setObjectName(QStringLiteral("mniClear"));
}

void TMainForm::connectCommands() {
    connect(m_tbtnAddFile, &QToolButton::clicked, this, &TMainForm::tbtnAddFileClick);
    connect(m_tbtnAddDir, &QToolButton::clicked, this, &TMainForm::tbtnAddDirClick);
    connect(m_tbtnUp, &QToolButton::clicked, this, &TMainForm::tbtnUpClick);
    connect(m_tbtnDown, &QToolButton::clicked, this, &TMainForm::tbtnDownClick);
    connect(m_tbtnRemove, &QToolButton::clicked, this, &TMainForm::tbtnRemoveClick);
    connect(m_tbtnClear, &QToolButton::clicked, this, &TMainForm::tbtnClearClick);
    connect(m_tbtnStart, &QToolButton::clicked, this, &TMainForm::startRequested);
    connect(m_tbtnStop, &QToolButton::clicked, this, &TMainForm::stopRequested);
    connect(m_tbtnSetting, &QToolButton::clicked, this, &TMainForm::generalSettingsRequested);
    connect(m_tbtnAbout, &QToolButton::clicked, this, &TMainForm::aboutRequested);
    connect(m_tbtnHelp, &QToolButton::clicked, this, &TMainForm::helpRequested);
    connect(m_bbtnSetting, &QPushButton::clicked, this, &TMainForm::outputSettingsRequested);
    connect(m_bbtnBrowser, &QPushButton::clicked, this, &TMainForm::bbtnBrowserClick);
    connect(m_bbtnOpen, &QPushButton::clicked, this, &TMainForm::bbtnOpenClick);
    connect(m_cmbProfile, &QComboBox::activated, this, &TMainForm::profileChanged);
    connect(m_ltvTask, &QTreeView::doubleClicked, this, &TMainForm::ltvTaskDblClick);
    connect(m_ltvTask, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
        ppmTaskPopup();
        m_ppmTask->popup(m_ltvTask->viewport()->mapToGlobal(at));
    });
    connect(m_editor, &TaskEditor::addingFile, this, &TMainForm::hideBanner);
    connect(m_editor, &TaskEditor::listButtonsEnabledChanged, this,
            &TMainForm::setListButtonsEnabled);
    connect(m_editor, &TaskEditor::busyChanged, this,
            [this] { setListButtonsEnabled(m_editor->listButtonsEnabled()); });
}
