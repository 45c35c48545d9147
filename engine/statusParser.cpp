#include "engine/statusParser.h"

#include <QRegularExpression>

QList<QByteArray> CutIntoChunks(const QByteArray& data) {
    QList<QByteArray> chunks;
    for (qsizetype from = 0; from < data.size(); from += MaxChunkBytes) {
        QByteArray chunk = data.mid(from, MaxChunkBytes);
        const qsizetype zero = chunk.indexOf('\0');
        if (zero >= 0)
            chunk.truncate(zero);
        chunks.append(chunk);
    }
    return chunks;
}

std::optional<double> ParseStatusNumber(const QString& text) {
    // Written out rather than left to a locale-aware conversion, so that a
    // user whose locale writes decimal commas still gets the encoder's points.
    static const QRegularExpression form(
        QStringLiteral("^ *([+-]?)([0-9]*)(?:\\.([0-9]*))?(?:[eE]([+-]?[0-9]+))? *$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString whole = match.captured(2);
    const bool hasPoint = match.capturedStart(3) >= 0;
    if (whole.isEmpty() && !hasPoint)
        return std::nullopt; // a sign or an exponent alone is no number
    QString normal = match.captured(1) + (whole.isEmpty() ? QStringLiteral("0") : whole) +
                     QLatin1Char('.') + match.captured(3) + QLatin1Char('0');
    if (match.capturedStart(4) >= 0)
        normal += QLatin1Char('e') + match.captured(4);
    bool ok = false;
    const double value = normal.toDouble(&ok); // QString::toDouble uses the C locale
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<double> StatusStep(const QByteArray& chunk, QString& candidate) {
    const qsizetype pos = chunk.indexOf("Pos:");
    if (pos >= 0) {
        const QByteArray rest = chunk.mid(pos + 4);
        const qsizetype s = rest.indexOf('s');
        candidate = s < 0 ? QString() : QString::fromLatin1(rest.left(s));
    }
    return ParseStatusNumber(candidate);
}

StatusReader::Verdict StatusReader::takeChunk(const QByteArray& chunk) {
    Verdict verdict;
    if (m_chunkCount >= UnexaminedChunks) {
        verdict.examined = true;
        verdict.position = StatusStep(chunk, m_candidate);
    }
    ++m_chunkCount;
    return verdict;
}
