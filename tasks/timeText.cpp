#include "tasks/timeText.h"

#include <QStringBuilder>

#include <cmath>

qint64 RoundHalfEven(double value) {
    return static_cast<qint64>(std::nearbyint(value)); // the default rounding mode is to even
}

QString SecondsToTimeText(double seconds) {
    qint64 whole = static_cast<qint64>(seconds);
    qint64 tenths = RoundHalfEven((seconds - static_cast<double>(whole)) * 10.0);
    // A fraction of .95 s or more rounds to ten tenths: carry it into the
    // seconds, so the text reads back as the play time to within a tenth.
    if (tenths >= 10) {
        whole += 1;
        tenths = 0;
    }
    const qint64 hours = whole / 3600;
    const qint64 minutes = (whole - 3600 * hours) / 60;
    const qint64 secs = whole - 3600 * hours - 60 * minutes;
    auto twoDigits = [](qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    QString text = twoDigits(hours) % QLatin1Char(':') % twoDigits(minutes) % QLatin1Char(':') %
                   twoDigits(secs);
    if (tenths != 0)
        text += QLatin1Char('.') + QString::number(tenths);
    return text;
}

namespace {

bool isWholeDecimal(const QString& text, int* value) {
    if (text.isEmpty())
        return false;
    bool ok = false;
    *value = text.toInt(&ok, 10);
    return ok;
}

// Digits with an optional point and more digits; a point as the decimal
// separator whatever the user's locale.
bool isDecimal(const QString& text, double* value) {
    if (text.isEmpty() || text.startsWith(QLatin1Char('.')))
        return false;
    bool ok = false;
    *value = text.toDouble(&ok); // QString::toDouble uses the C locale
    return ok;
}

} // namespace

double TimeTextToSeconds(const QString& text) {
    const qsizetype first = text.indexOf(QLatin1Char(':'));
    if (first < 0)
        return -1;
    const QString rest = text.mid(first + 1);
    const qsizetype second = rest.indexOf(QLatin1Char(':'));
    if (second < 0)
        return -1;
    int hours = 0;
    int minutes = 0;
    double seconds = 0;
    if (!isWholeDecimal(text.left(first), &hours) || !isWholeDecimal(rest.left(second), &minutes) ||
        !isDecimal(rest.mid(second + 1), &seconds))
        return -1;
    const qint32 wholePart = static_cast<qint32>(3600u * static_cast<quint32>(hours) +
                                                 60u * static_cast<quint32>(minutes));
    return static_cast<double>(wholePart) + seconds;
}
