#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// How one encoder run ended, decided in one place (MapRunEnd).
enum class RunOutcome {
    Completed,     // the encoder ended by itself with exit code 0
    Stopped,       // terminated on request
    FailedToStart, // the program could not be started
    Failed,        // a non-zero exit code or a crash
};

struct RunEnd {
    RunOutcome outcome = RunOutcome::Completed;
    int exitCode = 0;
    QString lastErrorLine; // the last line the encoder wrote that is not a status line
};

RunOutcome MapRunEnd(bool started, bool terminated, QProcess::ExitStatus status, int exitCode);

// The last line of the encoder's output that says something: lines end at
// "\n" or "\r"; blank lines and "Pos:" status lines are passed over.
QString LastErrorLine(const QByteArray& outputTail);

// One run of the external encoder. Its standard output and standard error
// arrive merged, in chunks of at most 4095 bytes, in order, through
// chunkRead(); ended() follows the last chunk. The encoder runs in its own
// process group so that terminate() also ends the helper processes it starts.
// The process is released as soon as the run has ended.
class EncoderRun final : public QObject {
    Q_OBJECT
public:
    explicit EncoderRun(QObject* parent = nullptr);
    ~EncoderRun() override;

    // Starts the run; the outcome, also a failed start, comes through ended().
    void start(const QString& program, const QStringList& arguments);
    // Kills the encoder's process group at once. No effect when no run is active.
    void terminate();
    bool isRunning() const { return m_process != nullptr; }

signals:
    void chunkRead(const QByteArray& chunk);
    void ended(const RunEnd& end);

private:
    void readOutput();
    void finish(bool started, QProcess::ExitStatus status, int exitCode);
    void rememberTail(const QByteArray& chunk);

    QProcess* m_process = nullptr;
    qint64 m_groupId = 0;
    bool m_terminated = false;
    QByteArray m_tail;
};
