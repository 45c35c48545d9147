#pragma once

#include <QString>

class QWidget;

// Lets the user pick a folder. Windows that need one take this interface, so
// tests answer it without a dialog.
class FolderChooser {
public:
    virtual ~FolderChooser() = default;

    // Shows a folder dialog owned by `owner`, modal to the whole program,
    // opening at `path` when that names an existing folder, else at `root`
    // (the file system's top when empty). Returns true when a folder was
    // confirmed; `path` is then its full path without a trailing "/" (except
    // the root "/"). On cancel returns false and `path` keeps its value when
    // it named an existing folder, else it becomes empty.
    virtual bool ChooseFolder(QWidget* owner, const QString& title, const QString& root,
                              QString& path) = 0;
};

// The folder dialog of Qt, showing folders only.
class DialogFolderChooser final : public FolderChooser {
public:
    bool ChooseFolder(QWidget* owner, const QString& title, const QString& root,
                      QString& path) override;
};

// The path form ChooseFolder returns: cleaned, no trailing "/" except for "/".
QString ChosenFolderPath(const QString& folder);
