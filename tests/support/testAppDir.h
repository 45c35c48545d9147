#pragma once

#include "app/programInfo.h"

#include <QTemporaryDir>

// A throw-away application folder for one test: empty at first, with helpers
// to bring in the built encoder and the shipped profiles.
class TestAppDir final {
public:
    TestAppDir();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path() + QLatin1Char('/'); } // ends in "/"
    QString filePath(const QString& name) const { return path() + name; }
    ProgramInfo info() const { return ProgramInfo::forAppDir(path()); }

    // Links the encoder of the build's application folder in as asapi.dll.
    bool installEncoder() const;
    // Copies the shipped profiles into Profiles/.
    bool installShippedProfiles() const;
    // Writes a file (making its folders); returns its full path.
    QString writeFile(const QString& name, const QByteArray& content) const;

    // The build's own application folder and the source tree.
    static QString buildAppDir();
    static QString sourceDir();

private:
    QTemporaryDir m_dir;
};
