#pragma once

#include "app/programInfo.h"

#include <QList>
#include <QMainWindow>

class DesktopOpener;
class FileDialogs;
class FolderChooser;
class Prompter;
class TaskEditor;
class TaskListModel;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QProgressBar;
class QPushButton;
class QToolButton;
class QTreeView;

// The main window: tool bar, task list, start banner, the profile and output
// row and the progress panel. It shows the task list model and forwards the
// editing commands to the TaskEditor; commands that belong to other parts of
// the program (the job, the settings dialogs, About and help) leave it as
// signals, which the composition root connects.
class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    TMainForm(const ProgramInfo& info, TaskListModel* model, Prompter* prompter,
              DesktopOpener* opener, FileDialogs* fileDialogs, FolderChooser* folderChooser,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // Offers the command-line entries (arguments without the program name) to
    // the task list, then sets the list buttons.
    void runCommandLine(const QStringList& arguments);

    const ProgramInfo& info() const { return m_info; }
    TaskListModel* model() const { return m_model; }
    TaskEditor* taskEditor() const { return m_editor; }

    // Controls that other parts of the program drive.
    QToolButton* tbtnAddFile() const { return m_tbtnAddFile; }
    QToolButton* tbtnAddDir() const { return m_tbtnAddDir; }
    QToolButton* tbtnUp() const { return m_tbtnUp; }
    QToolButton* tbtnDown() const { return m_tbtnDown; }
    QToolButton* tbtnRemove() const { return m_tbtnRemove; }
    QToolButton* tbtnClear() const { return m_tbtnClear; }
    QToolButton* tbtnStart() const { return m_tbtnStart; }
    QToolButton* tbtnStop() const { return m_tbtnStop; }
    QToolButton* tbtnSetting() const { return m_tbtnSetting; }
    QToolButton* tbtnAbout() const { return m_tbtnAbout; }
    QToolButton* tbtnHelp() const { return m_tbtnHelp; }
    QTreeView* ltvTask() const { return m_ltvTask; }
    QMenu* ppmTask() const { return m_ppmTask; }
    QFrame* panltvTask() const { return m_panltvTask; }
    QComboBox* cmbProfile() const { return m_cmbProfile; }
    QPushButton* bbtnSetting() const { return m_bbtnSetting; }
    QLineEdit* edtOutputFile() const { return m_edtOutputFile; }
    QPushButton* bbtnBrowser() const { return m_bbtnBrowser; }
    QPushButton* bbtnOpen() const { return m_bbtnOpen; }
    QFrame* panBottomCenter() const { return m_panBottomCenter; }
    QFrame* panBottomLeft() const { return m_panBottomLeft; }
    QLabel* labProcessTitle() const { return m_labProcessTitle; }
    QLabel* labConvertingFile() const { return m_labConvertingFile; }
    QProgressBar* pgbCurrent() const { return m_pgbCurrent; }
    QLabel* labCurProgress() const { return m_labCurProgress; }
    QProgressBar* pgbTotal() const { return m_pgbTotal; }
    QLabel* labTotalProgress() const { return m_labTotalProgress; }
    QLabel* labElapsed() const { return m_labElapsed; }
    QLabel* labRemaining() const { return m_labRemaining; }

    // The pop-up menu's items, in menu order.
    QAction* mniOpen() const { return m_mniOpen; }
    QAction* mniAddFiles() const { return m_mniAddFiles; }
    QAction* mniAddDir() const { return m_mniAddDir; }
    QAction* mniRemove() const { return m_mniRemove; }
    QAction* mniClear() const { return m_mniClear; }

    // The rows selected in the list, one flag per row.
    QList<bool> selectedRows() const;
    void setSelectedRows(const QList<bool>& selected);

    int lastListWidth() const { return m_lastListWidth; }

public slots:
    void tbtnAddFileClick();
    void tbtnAddDirClick();
    void tbtnUpClick();
    void tbtnDownClick();
    void tbtnRemoveClick();
    void tbtnClearClick();
    void ltvTaskDblClick();
    void ppmTaskPopup(); // sets the items' enabling before the menu shows
    void bbtnBrowserClick();
    void bbtnOpenClick();
    void WMDropFiles(const QStringList& paths);
    void setListButtonsEnabled(bool enabled);

signals:
    void startRequested();           // tbtnStart
    void stopRequested();            // tbtnStop
    void outputSettingsRequested();  // bbtnSetting
    void generalSettingsRequested(); // tbtnSetting
    void aboutRequested();           // tbtnAbout
    void helpRequested();            // tbtnHelp
    void makerPageRequested();       // the logo Image1 and the banner's labCompany
    void profileChanged(int index);  // the user picked another profile in cmbProfile
    void firstShown();               // the window is shown for the first time
    void closing();                  // the window is being closed

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Construction, one concern each (mainFormLayout.cpp).
    void createToolBar();
    QWidget* createTaskList();
    void createBanner();
    QWidget* createBottomArea();
    QFrame* createProfilePanel();
    QFrame* createProgressPanel();
    QWidget* createLogoPanel();
    void createTaskMenu();
    void connectCommands();

    void ltvTaskResize(int newWidth);
    void ltvTaskKeyDown(int key);
    void hideBanner();

    ProgramInfo m_info;
    TaskListModel* m_model;
    Prompter* m_prompter;
    DesktopOpener* m_opener;
    FileDialogs* m_fileDialogs;
    FolderChooser* m_folderChooser;
    TaskEditor* m_editor;

    int m_lastListWidth = 562; // the list's width the column widths were designed for
    bool m_listLaidOut = false;
    bool m_shownOnce = false;

    QToolButton* m_tbtnAddFile = nullptr;
    QToolButton* m_tbtnAddDir = nullptr;
    QToolButton* m_tbtnUp = nullptr;
    QToolButton* m_tbtnDown = nullptr;
    QToolButton* m_tbtnRemove = nullptr;
    QToolButton* m_tbtnClear = nullptr;
    QToolButton* m_tbtnStart = nullptr;
    QToolButton* m_tbtnStop = nullptr;
    QToolButton* m_tbtnSetting = nullptr;
    QToolButton* m_tbtnAbout = nullptr;
    QToolButton* m_tbtnHelp = nullptr;
    QTreeView* m_ltvTask = nullptr;
    QMenu* m_ppmTask = nullptr;
    QAction* m_mniOpen = nullptr;
    QAction* m_mniAddFiles = nullptr;
    QAction* m_mniAddDir = nullptr;
    QAction* m_mniRemove = nullptr;
    QAction* m_mniClear = nullptr;
    QFrame* m_panltvTask = nullptr;
    QLabel* m_labProgramName = nullptr;
    QLabel* m_labCompany = nullptr;
    QComboBox* m_cmbProfile = nullptr;
    QPushButton* m_bbtnSetting = nullptr;
    QLineEdit* m_edtOutputFile = nullptr;
    QPushButton* m_bbtnBrowser = nullptr;
    QPushButton* m_bbtnOpen = nullptr;
    QFrame* m_panBottomCenter = nullptr;
    QFrame* m_panBottomLeft = nullptr;
    QLabel* m_labProcessTitle = nullptr;
    QLabel* m_labConvertingFile = nullptr;
    QProgressBar* m_pgbCurrent = nullptr;
    QLabel* m_labCurProgress = nullptr;
    QProgressBar* m_pgbTotal = nullptr;
    QLabel* m_labTotalProgress = nullptr;
    QLabel* m_labElapsed = nullptr;
    QLabel* m_labRemaining = nullptr;
    QLabel* m_Image1 = nullptr;
};
