#include "app/programInfo.h"

#include "shell/iniFile.h"

#include <QStringBuilder>

ProgramInfo ProgramInfo::forAppDir(const QString& folder) {
    ProgramInfo info;
    info.appDir = AddBackslash(folder);
    info.encoderPath = info.appDir + QStringLiteral("asapi.dll");
    info.helpFilePath = info.appDir + QStringLiteral("CorvaneHelp.chm");
    info.preferencesPath = info.appDir + QStringLiteral("Preferences.ini");
    info.profilesDir = info.appDir + QStringLiteral("Profiles/");
    info.programVersion = IniFile(info.preferencesPath)
                              .readString(QStringLiteral("Main"), QStringLiteral("Version"),
                                          QStringLiteral("1.5"));
    return info;
}

QString AddBackslash(const QString& folder) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

const QStringList& InputTypes() {
    static const QStringList types{".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"};
    return types;
}

const QStringList& OutputTypes() {
    static const QStringList types{".avi", ".mpg", ".mp4", ".wmv", ".mov", ".vob", ".asf", ".flv"};
    return types;
}

// One "U Files (*T)|*T|" pair per type, U being the type without its dot in upper case.
static QString typePairs(const QStringList& types) {
    QString pairs;
    for (const QString& type : types) {
        const QString upper = type.mid(1).toUpper();
        pairs += upper % QStringLiteral(" Files (*") % type % QStringLiteral(")|*") % type %
                 QLatin1Char('|');
    }
    return pairs;
}

QString InputMask() {
    QString mask;
    for (const QString& type : InputTypes())
        mask += QLatin1Char('*') % type % QLatin1Char(';');
    return mask;
}

QString SaveDialogFilter() {
    return typePairs(OutputTypes()) + QStringLiteral("All Files (*.*)|*.*");
}

QString OpenDialogFilter() {
    const QString mask = InputMask();
    return QStringLiteral("All Support Files(") % mask % QStringLiteral(")|") % mask %
           QLatin1Char('|') % typePairs(InputTypes()) % QStringLiteral("All Files (*.*)|*.*");
}

QString ToQtFilter(const QString& filter) {
    // Qt reads the patterns from the parentheses that end each description and
    // separates them with blanks, so each entry is rebuilt in that form.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')')))
            description.truncate(open);
        const QStringList patterns =
            parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        entries << description + QLatin1Char('(') + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString FolderPart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    if (slash == 0)
        return QStringLiteral("/");
    return path.left(slash);
}

QString FileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString ExtensionOf(const QString& path) {
    const QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString LowerAscii(const QString& text) {
    QString lower = text;
    for (QChar& c : lower)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lower;
}
