#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The open and save dialogs of the main window. Windows take this interface,
// so tests answer the dialogs without showing them.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // Several existing files, under the open filter; empty on cancel.
    virtual QStringList openVideoFiles(QWidget* owner) = 0;
    // The output file, under the save filter with the default suffix "avi";
    // no overwrite question of its own. Empty on cancel.
    virtual QString saveOutputFile(QWidget* owner) = 0;
};

// Qt's own file dialogs.
class QtFileDialogs final : public FileDialogs {
public:
    QStringList openVideoFiles(QWidget* owner) override;
    QString saveOutputFile(QWidget* owner) override;
};
