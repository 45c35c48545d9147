#include "profiles/profileCatalogue.h"

#include "app/programInfo.h"
#include "profiles/encodingChoices.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString ProfileExt = QStringLiteral(".bpf");

// The extension as the catalogue compares it: from the last "." on, A-Z lowered.
QString catalogueExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : LowerAscii(name.mid(dot));
}

} // namespace

QStringList ListFilesWithExt(const QString& folder, const QString& ext) {
    const QString wanted = LowerAscii(ext);
    // Without QDir::Hidden and QDir::System, dot files and broken links stay out;
    // QDir::Files leaves out folders.
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        // Names equal but for case still need one fixed order.
        return folded != 0 ? folded < 0 : a < b;
    });
    QStringList kept;
    for (const QString& name : names)
        if (!wanted.isEmpty() && catalogueExtension(name) == wanted)
            kept.append(name);
    return kept;
}

QString FileNameWithoutExt(const QString& name) {
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        return name;
    return name.left(dot);
}

QStringList ProfileCatalogue(const QString& profilesDir) {
    QStringList shown;
    for (const QString& name : ListFilesWithExt(profilesDir, ProfileExt))
        shown.append(FileNameWithoutExt(name));
    return shown;
}

QString ProfilePathFor(const QString& profilesDir, const QString& displayName) {
    if (displayName.isEmpty())
        return QString();
    const QString folder = AddBackslash(profilesDir);
    const QString rebuilt = folder + displayName + ProfileExt;
    if (QFileInfo(rebuilt).isFile())
        return rebuilt;
    // The list showed this name, so look for the listed file it came from.
    for (const QString& name : ListFilesWithExt(folder, ProfileExt))
        if (FileNameWithoutExt(name) == displayName)
            return folder + name;
    return rebuilt;
}

bool ApplyChosenProfile(EncodingChoices& choices, const QString& profilesDir,
                        const QString& displayName) {
    return choices.loadProfile(ProfilePathFor(profilesDir, displayName));
}
