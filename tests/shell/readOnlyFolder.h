#pragma once

#include <QString>
#include <QStringList>

// Makes a folder and the files directly in it read-only while the object
// lives. Permission bits alone do not stop root, under which the tests may
// run, so for root the folder and its files are also marked immutable
// (FS_IMMUTABLE_FL, as chattr +i does), which stops every writer. Everything
// is put back on destruction so the temporary folder can be removed.
class ReadOnlyFolder final {
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // True when a new file really cannot be created in the folder.
    bool isEffective() const;

private:
    QString m_folder;
    QStringList m_immutable; // entries that got the immutable flag
};
