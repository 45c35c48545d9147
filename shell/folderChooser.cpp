#include "shell/folderChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QString ChosenFolderPath(const QString& folder) {
    return QDir::cleanPath(folder); // also keeps "/" as it is
}

bool DialogFolderChooser::ChooseFolder(QWidget* owner, const QString& title, const QString& root,
                                       QString& path) {
    if (!QFileInfo(path).isDir())
        path.clear();
    const QString start =
        path.isEmpty() ? (QFileInfo(root).isDir() ? root : QDir::rootPath()) : path;
    // The static dialog runs application-modal, so no other window of the
    // program takes input while it is open, and re-enables them as they were.
    const QString chosen =
        QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return false;
    path = ChosenFolderPath(chosen);
    return true;
}
