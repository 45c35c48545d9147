#include "tests/shell/readOnlyFolder.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

QStringList entriesOf(const QString& folder) {
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        paths << dir.filePath(name);
    paths << folder; // the folder last, so its entries can still be changed before
    return paths;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString& folder) : m_folder(folder) {
    const QStringList paths = entriesOf(folder);
    for (const QString& path : paths)
        QFile::setPermissions(path,
                              QFile::permissions(path) & ~(QFile::WriteOwner | QFile::WriteUser |
                                                           QFile::WriteGroup | QFile::WriteOther));
    if (::geteuid() == 0) {
        for (const QString& path : paths)
            if (setImmutable(path, true))
                m_immutable << path;
    }
}

ReadOnlyFolder::~ReadOnlyFolder() {
    for (auto it = m_immutable.crbegin(); it != m_immutable.crend(); ++it)
        setImmutable(*it, false);
    for (const QString& path : entriesOf(m_folder))
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
}

bool ReadOnlyFolder::isEffective() const {
    const QString probe = QDir(m_folder).filePath(QStringLiteral(".write-probe"));
    QFile file(probe);
    if (!file.open(QIODevice::WriteOnly))
        return true;
    file.close();
    file.remove();
    return false;
}
