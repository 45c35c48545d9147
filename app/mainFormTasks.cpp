// The task list commands of the main window: each asks its dialog, hands the
// answer and the selection to the TaskEditor and shows what comes back.
#include "app/mainForm.h"

#include "app/fileDialogs.h"
#include "shell/desktopOpener.h"
#include "shell/folderChooser.h"
#include "tasks/taskEditor.h"
#include "tasks/taskListModel.h"

#include <QAction>
#include <QFrame>
#include <QTreeView>

void TMainForm::tbtnAddFileClick() {
    m_editor->AddFiles(m_fileDialogs->openVideoFiles(this));
}

void TMainForm::tbtnAddDirClick() {
    QString folder;
    if (!m_folderChooser->ChooseFolder(this, QStringLiteral("Add a directory to the Task List"),
                                       QString(), folder))
        folder.clear();
    m_editor->AddFolder(folder);
    m_ltvTask->setFocus();
}

void TMainForm::WMDropFiles(const QStringList& paths) {
    hideBanner();
    // While a job runs the list is locked, and so is what can be dropped on it.
    if (!m_ltvTask->isEnabled())
        return;
    m_editor->AddDropped(paths);
}

void TMainForm::tbtnUpClick() {
    const QList<bool> selected = selectedRows();
    if (!selected.contains(true))
        return;
    setSelectedRows(m_editor->MoveUp(selected));
}

void TMainForm::tbtnDownClick() {
    const QList<bool> selected = selectedRows();
    if (!selected.contains(true))
        return;
    setSelectedRows(m_editor->MoveDown(selected));
}

void TMainForm::tbtnRemoveClick() {
    m_editor->Remove(selectedRows());
}

void TMainForm::tbtnClearClick() {
    m_editor->Clear();
}

void TMainForm::ltvTaskDblClick() {
    const QString path = m_editor->EntryToOpen(selectedRows());
    if (!path.isEmpty())
        m_opener->openPath(path);
}

void TMainForm::ppmTaskPopup() {
    const bool anySelected = selectedRows().contains(true);
    m_mniOpen->setEnabled(anySelected);
    m_mniRemove->setEnabled(anySelected);
    m_mniClear->setEnabled(m_model->count() > 0);
    m_mniAddFiles->setEnabled(true);
    m_mniAddDir->setEnabled(true);
}
