#include "app/mainForm.h"

#include "app/corvaneResources.h"
#include "tasks/taskEditor.h"
#include "tasks/taskListModel.h"
#include "tasks/timeText.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

TMainForm::TMainForm(const ProgramInfo& info, TaskListModel* model, Prompter* prompter,
                     DesktopOpener* opener, FileDialogs* fileDialogs, FolderChooser* folderChooser,
                     QWidget* parent)
    : QMainWindow(parent), m_info(info), m_model(model), m_prompter(prompter), m_opener(opener),
      m_fileDialogs(fileDialogs), m_folderChooser(folderChooser),
      m_editor(new TaskEditor(*model, *prompter, info.programName, this)) {
    InitCorvaneResources();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(m_info.caption());
    createToolBar();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("panMain"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createTaskList(), 1);
    layout->addWidget(createBottomArea());
    setCentralWidget(central);
    createBanner();
    createTaskMenu();
    connectCommands();

    m_panBottomLeft->hide(); // until a job runs
    resize(798, 542);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    const int widths[TaskListModel::VisibleColumns] = {350, 90, 80, 150};
    for (int column = 0; column < TaskListModel::VisibleColumns; ++column)
        m_ltvTask->setColumnWidth(column, widths[column]);

    // The output box starts at the program's folder until the stored output
    // file is put in when the window is first shown.
    m_edtOutputFile->setText(m_info.appDir);
    setListButtonsEnabled(false);
    m_tbtnStop->setEnabled(false);
    setAcceptDrops(true);
}

TMainForm::~TMainForm() = default;

void TMainForm::runCommandLine(const QStringList& arguments) {
    m_editor->AddCommandLine(arguments);
}

QList<bool> TMainForm::selectedRows() const {
    QList<bool> selected(m_model->count(), false);
    const QItemSelectionModel* selection = m_ltvTask->selectionModel();
    for (int row = 0; row < m_model->count(); ++row)
        selected[row] = selection->isRowSelected(row, QModelIndex());
    return selected;
}

void TMainForm::setSelectedRows(const QList<bool>& selected) {
    QItemSelection rows;
    for (int row = 0; row < qMin(m_model->count(), static_cast<int>(selected.size())); ++row)
        if (selected[row])
            rows.select(m_model->index(row, 0),
                        m_model->index(row, TaskListModel::VisibleColumns - 1));
    m_ltvTask->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void TMainForm::setListButtonsEnabled(bool enabled) {
    for (QToolButton* button : {m_tbtnUp, m_tbtnDown, m_tbtnRemove, m_tbtnClear, m_tbtnStart})
        button->setEnabled(enabled);
    // A job must not start on a list that a folder walk is still filling.
    if (m_editor->busy())
        m_tbtnStart->setEnabled(false);
}

void TMainForm::ltvTaskResize(int newWidth) {
    const int delta = newWidth - m_lastListWidth;
    m_lastListWidth = newWidth;
    if (delta == 0)
        return;
    static constexpr double shares[TaskListModel::VisibleColumns] = {0.49, 0.17, 0.15, 0.19};
    for (int column = 0; column < TaskListModel::VisibleColumns; ++column)
        m_ltvTask->setColumnWidth(column,
                                  m_ltvTask->columnWidth(column) +
                                      static_cast<int>(RoundHalfEven(shares[column] * delta)));
}

void TMainForm::ltvTaskKeyDown(int key) {
    if (key == Qt::Key_Backspace)
        tbtnClearClick();
    else if (key == Qt::Key_Delete)
        tbtnRemoveClick();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ltvTask && event->type() == QEvent::Resize) {
        const int width = static_cast<QResizeEvent*>(event)->size().width();
        // The designed column widths belong to the width the list gets when
        // the window is first laid out; only later changes rescale them.
        if (m_listLaidOut)
            ltvTaskResize(width);
        else
            m_lastListWidth = width;
        m_listLaidOut = true;
    } else if (watched == m_ltvTask && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            ltvTaskKeyDown(key);
            return true;
        }
    } else if ((watched == m_Image1 || watched == m_labCompany) &&
               event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit makerPageRequested();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shownOnce && !event->spontaneous()) {
        m_shownOnce = true;
        emit firstShown();
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    emit closing();
    QMainWindow::closeEvent(event);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile(); // whole: a shortened path would name another file
    event->acceptProposedAction();
    WMDropFiles(paths);
}

void TMainForm::hideBanner() {
    m_panltvTask->hide();
}
