#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Reading the encoder's status text. The encoder prints MEncoder-style status
// lines in which "Pos:" is followed by the position in seconds and an "s".
// Output is taken in chunks as it arrives; chunk borders fall anywhere, also
// inside a status line, and only a chunk's first "Pos:" counts.

// The most one chunk holds.
constexpr int MaxChunkBytes = 4095;
// The first chunks of every run are start-up chatter (banner, stream list) and
// are never examined.
constexpr int UnexaminedChunks = 20;

// Cuts arrived output into chunks of at most MaxChunkBytes, in order. Each
// chunk's text ends at its first zero byte.
QList<QByteArray> CutIntoChunks(const QByteArray& data);

// The status number form: optional blanks, an optional sign, digits with an
// optional point and more digits, an optional exponent, optional blanks. The
// point is the decimal separator whatever the user's locale says. Anything
// else, an empty text included, gives no number.
std::optional<double> ParseStatusNumber(const QString& text);

// The status step for one chunk: a chunk containing "Pos:" replaces the
// candidate with the text between its first "Pos:" and the next "s" (empty when
// there is no "s"); a chunk without "Pos:" keeps the candidate. Returns the
// candidate read as a number.
std::optional<double> StatusStep(const QByteArray& chunk, QString& candidate);

// The status reading of one pass: the candidate lives as long as the pass
// (it carries over from one run to the next), the chunk count as long as a run.
class StatusReader final {
public:
    struct Verdict {
        bool examined = false;          // false for the first chunks of a run
        std::optional<double> position; // only when examined
    };

    void startPass() { m_candidate.clear(); }
    void startRun() { m_chunkCount = 0; }
    Verdict takeChunk(const QByteArray& chunk);

    const QString& candidate() const { return m_candidate; }

private:
    int m_chunkCount = 0;
    QString m_candidate;
};
