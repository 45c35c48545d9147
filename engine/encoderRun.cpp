#include "engine/encoderRun.h"

#include "engine/statusParser.h"

#include <QRegularExpression>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#include <utility>

namespace {

// Enough of the output's end to find its last line.
constexpr qsizetype TailBytes = 4096;

} // namespace

RunOutcome MapRunEnd(bool started, bool terminated, QProcess::ExitStatus status, int exitCode) {
    if (terminated)
        return RunOutcome::Stopped;
    if (!started)
        return RunOutcome::FailedToStart;
    if (status == QProcess::CrashExit || exitCode != 0)
        return RunOutcome::Failed;
    return RunOutcome::Completed;
}

QString LastErrorLine(const QByteArray& outputTail) {
    const QString text = QString::fromUtf8(outputTail);
    static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
    const QStringList lines = text.split(lineEnd);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QString line = it->trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1String("Pos:")))
            return line;
    }
    return QString();
}

EncoderRun::EncoderRun(QObject* parent) : QObject(parent) {}

EncoderRun::~EncoderRun() {
    // A run still active when its owner goes away must not outlive it.
    if (m_process) {
        terminate();
        m_process->disconnect(this);
        delete m_process; // QProcess reaps the killed encoder itself
    }
}

void EncoderRun::start(const QString& program, const QStringList& arguments) {
    Q_ASSERT(!m_process);
    m_terminated = false;
    m_groupId = 0;
    m_tail.clear();
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setProgram(program);
    m_process->setArguments(arguments);
    // Own process group: the encoder may start helpers (ffmpeg) that must die
    // with it when the user stops the job.
    m_process->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(m_process, &QProcess::readyRead, this, &EncoderRun::readOutput);
    connect(m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) { finish(true, status, exitCode); });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(false, QProcess::NormalExit, -1);
    });
    m_process->start(QIODevice::ReadOnly);
    // The child makes itself the leader of a group named by its own id.
    if (m_process)
        m_groupId = m_process->processId();
}

void EncoderRun::terminate() {
    if (!m_process)
        return;
    m_terminated = true;
    // The group takes the encoder's helpers along; the direct kill covers an
    // encoder that has not yet made its group.
    if (m_groupId > 0)
        ::kill(-static_cast<pid_t>(m_groupId), SIGKILL);
    m_process->kill();
}

void EncoderRun::readOutput() {
    if (!m_process)
        return;
    const QByteArray data = m_process->readAll();
    for (const QByteArray& chunk : CutIntoChunks(data)) {
        rememberTail(chunk);
        emit chunkRead(chunk);
        if (!m_process)
            return; // a receiver ended the run
    }
}

void EncoderRun::rememberTail(const QByteArray& chunk) {
    m_tail += chunk;
    if (m_tail.size() > TailBytes)
        m_tail.remove(0, m_tail.size() - TailBytes);
}

void EncoderRun::finish(bool started, QProcess::ExitStatus status, int exitCode) {
    if (!m_process)
        return;
    readOutput(); // output still buffered belongs before the end
    if (!m_process)
        return;
    RunEnd end;
    end.outcome = MapRunEnd(started, m_terminated, status, exitCode);
    end.exitCode = exitCode;
    end.lastErrorLine = started ? LastErrorLine(m_tail) : m_process->errorString();
    QProcess* process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    process->deleteLater(); // released now that the run is over
    emit ended(end);
}
