#include "shell/iniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

constexpr qsizetype MaxValueLength = 2047;

// One line of the file with its terminator kept apart, so untouched lines are
// written back exactly as they were read.
struct Line {
    QByteArray text;
    QByteArray ending;
};

QList<Line> splitLines(const QByteArray& data) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        Line line;
        if (end < 0) {
            line.text = data.mid(start);
            start = data.size();
        } else {
            qsizetype textEnd = end;
            if (textEnd > start && data.at(textEnd - 1) == '\r')
                --textEnd;
            line.text = data.mid(start, textEnd - start);
            line.ending = data.mid(textEnd, end + 1 - textEnd);
            start = end + 1;
        }
        lines.append(line);
    }
    return lines;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The section name of a "[name]" line, or nothing for other lines.
std::optional<QString> sectionName(const QByteArray& raw) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (!line.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return line.mid(1, close - 1).trimmed();
}

// The key of a "key=value" line, or nothing for other lines.
std::optional<QString> keyName(const QByteArray& raw) {
    const QString line = QString::fromUtf8(raw);
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const QString key = line.left(equals).trimmed();
    if (key.startsWith(QLatin1Char(';')))
        return std::nullopt;
    return key;
}

QString valueOf(const QByteArray& raw) {
    const QString line = QString::fromUtf8(raw);
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value.left(MaxValueLength);
}

std::optional<QString> lookup(const QString& path, const QString& section, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool inSection = false;
    for (const Line& line : splitLines(file.readAll())) {
        if (const auto name = sectionName(line.text)) {
            if (inSection)
                break; // only the first occurrence of a section counts, for reads as for writes
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const auto name = keyName(line.text); name && sameName(*name, key))
            return valueOf(line.text);
    }
    return std::nullopt;
}

} // namespace

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    return lookup(m_path, section, key).value_or(defaultValue);
}

bool IniFile::parseDecimal(const QString& text, int* value) {
    const QString digits = text.trimmed();
    for (const QChar c : digits)
        if (c.isSpace())
            return false;
    bool ok = false;
    const int number = digits.toInt(&ok, 10);
    if (ok)
        *value = number;
    return ok;
}

bool IniFile::parseNumber(const QString& text, int* value) {
    QString digits = text.trimmed();
    int base = 10;
    if (digits.startsWith(QLatin1Char('$'))) {
        digits = digits.mid(1);
        base = 16;
    } else if (digits.startsWith(QLatin1String("0x")) || digits.startsWith(QLatin1String("0X"))) {
        digits = digits.mid(2);
        base = 16;
    }
    if (digits.isEmpty() ||
        (base == 16 && (digits.front() == QLatin1Char('+') || digits.front() == QLatin1Char('-'))))
        return false;
    // Qt's conversion tolerates blanks around the digits; "$ 1" is not a number.
    for (const QChar c : digits)
        if (c.isSpace())
            return false;
    bool ok = false;
    // Hexadecimal values are 32-bit patterns: $FFFFFFFF reads as -1.
    const qlonglong number = digits.toLongLong(&ok, base);
    if (!ok)
        return false;
    if (base == 16 ? (number > 0xFFFFFFFFLL) : (number < INT_MIN || number > INT_MAX))
        return false;
    *value = static_cast<int>(static_cast<quint32>(number));
    return true;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    int value = defaultValue;
    if (const auto text = lookup(m_path, section, key); text && parseDecimal(*text, &value))
        return value;
    return defaultValue;
}

int IniFile::readNumber(const QString& section, const QString& key, int defaultValue) const {
    int value = defaultValue;
    if (const auto text = lookup(m_path, section, key); text && parseNumber(*text, &value))
        return value;
    return defaultValue;
}

bool IniFile::readFlag(const QString& section, const QString& key, bool defaultValue) const {
    return readNumber(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::writeFlag(const QString& section, const QString& key, bool value) {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString fullPath = QFileInfo(m_path).absoluteFilePath();
    m_error = QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(fullPath));

    // A line break inside a name or value would end the line early and turn the
    // rest into lines of their own (a file name may contain one on Linux), so
    // such a write is refused instead of corrupting the file.
    const auto breaksLine = [](const QString& text) {
        return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    };
    if (breaksLine(section) || breaksLine(key) || breaksLine(value))
        return false;

    QByteArray data;
    QFile existing(m_path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return false;
        data = existing.readAll();
        existing.close();
    }
    QList<Line> lines = splitLines(data);

    // New lines take the ending the file already uses.
    QByteArray newline = "\n";
    for (const Line& line : lines)
        if (!line.ending.isEmpty()) {
            newline = line.ending;
            break;
        }
    const QByteArray keyLine = (key + QLatin1Char('=') + value).toUtf8();

    qsizetype sectionStart = -1; // index of the section's header line
    qsizetype lastContent = -1;  // last non-blank line of the section
    qsizetype keyLineIndex = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i].text)) {
            if (inSection)
                break; // the section ended; only its first occurrence counts
            if (sameName(*name, section)) {
                inSection = true;
                sectionStart = lastContent = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].text.trimmed().isEmpty())
            lastContent = i;
        if (const auto name = keyName(lines[i].text); name && sameName(*name, key)) {
            keyLineIndex = i;
            break;
        }
    }

    if (keyLineIndex >= 0) {
        // The key keeps its spelling and the blanks around "=" as the file has
        // them; only the value changes.
        const QByteArray current = lines[keyLineIndex].text;
        qsizetype valueStart = current.indexOf('=') + 1;
        while (valueStart < current.size() &&
               (current.at(valueStart) == ' ' || current.at(valueStart) == '\t'))
            ++valueStart;
        lines[keyLineIndex].text = current.left(valueStart) + value.toUtf8();
    } else if (sectionStart >= 0) {
        if (lines[lastContent].ending.isEmpty())
            lines[lastContent].ending = newline;
        lines.insert(lastContent + 1, Line{keyLine, newline});
    } else {
        if (!lines.isEmpty() && lines.last().ending.isEmpty())
            lines.last().ending = newline;
        lines.append(Line{(QLatin1Char('[') + section + QLatin1Char(']')).toUtf8(), newline});
        lines.append(Line{keyLine, newline});
    }

    QByteArray out;
    for (const Line& line : lines)
        out += line.text + line.ending;

    QSaveFile file(m_path);
    // A folder that allows no new file may still allow rewriting the file itself.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(out) != out.size())
        return false;
    if (!file.commit())
        return false;
    m_error.clear();
    return true;
}
