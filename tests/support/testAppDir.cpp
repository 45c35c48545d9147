#include "tests/support/testAppDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestAppDir::TestAppDir() : m_dir(QDir::tempPath() + QStringLiteral("/corvane-test-XXXXXX")) {}

QString TestAppDir::buildAppDir() {
    return QStringLiteral(CORVANE_APP_DIR) + QLatin1Char('/');
}

QString TestAppDir::sourceDir() {
    return QStringLiteral(CORVANE_SOURCE_DIR) + QLatin1Char('/');
}

bool TestAppDir::installEncoder() const {
    return QFile::link(buildAppDir() + QStringLiteral("asapi.dll"), filePath(QStringLiteral("asapi.dll")));
}

bool TestAppDir::installShippedProfiles() const {
    const QDir shipped(buildAppDir() + QStringLiteral("Profiles"));
    if (!shipped.exists() || !QDir().mkpath(filePath(QStringLiteral("Profiles"))))
        return false;
    for (const QString& name : shipped.entryList(QDir::Files))
        if (!QFile::copy(shipped.filePath(name), filePath(QStringLiteral("Profiles/") + name)))
            return false;
    return true;
}

QString TestAppDir::writeFile(const QString& name, const QByteArray& content) const {
    const QString full = filePath(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return full;
}
