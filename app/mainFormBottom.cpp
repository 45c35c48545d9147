// The buttons of the profile and output row.
#include "app/mainForm.h"

#include "app/fileDialogs.h"
#include "shell/desktopOpener.h"

#include <QFileInfo>
#include <QLineEdit>

void TMainForm::bbtnBrowserClick() {
    const QString chosen = m_fileDialogs->saveOutputFile(this);
    if (!chosen.isEmpty())
        m_edtOutputFile->setText(chosen);
}

void TMainForm::bbtnOpenClick() {
    const QString text = m_edtOutputFile->text();
    if (text.isEmpty())
        return;
    if (QFileInfo(text).isFile()) {
        m_opener->openPath(text);
        return;
    }
    const QString folder = FolderPart(text);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        m_opener->openPath(folder);
}
