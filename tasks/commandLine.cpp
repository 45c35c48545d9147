#include "tasks/commandLine.h"

#include "app/programInfo.h"

#include <QFile>

CommandLineEntries ReadCommandLine(const QStringList& arguments) {
    CommandLineEntries result;
    if (arguments.isEmpty())
        return result;
    const QString& first = arguments.first();
    if (LowerAscii(ExtensionOf(first)) != QLatin1String(".tmp")) {
        result.entries = arguments;
        return result;
    }
    // A list file: one path per line, taken as it stands (a blank may begin a
    // file name); only the line end itself, "\n" or "\r\n", is dropped.
    QFile file(first);
    if (!file.open(QIODevice::ReadOnly)) {
        result.failed = true;
        result.error = QStringLiteral("Cannot open file \"%1\". %2").arg(first, file.errorString());
        return result;
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line, not an entry of its own
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    result.entries = lines;
    return result;
}
