#include "engine/joinJob.h"

#include "engine/completionActions.h"
#include "engine/jobHost.h"
#include "engine/optionBuilder.h"
#include "profiles/encodingChoices.h"
#include "profiles/profileCatalogue.h"
#include "shell/preferences.h"
#include "shell/prompter.h"
#include "tasks/taskListModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace {

const QString StatusConverting = QStringLiteral("Converting");
const QString StatusWaiting = QStringLiteral("Waiting for joining");
const QString StatusStop = QStringLiteral("Stop");
const QString StatusJoining = QStringLiteral("Joining");
const QString StatusComplete = QStringLiteral("Complete");
const QString StatusError = QStringLiteral("Error");

// Makes one folder (its parent must exist). Returns the system's reason on failure.
bool makeFolder(const QString& folder, QString* reason) {
    if (QFileInfo(folder).isDir())
        return true;
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) == 0)
        return true;
    *reason = qt_error_string(errno);
    return false;
}

QString withLastLine(const QString& text, const QString& lastLine) {
    return lastLine.isEmpty() ? text : text + QLatin1Char('\n') + lastLine;
}

} // namespace

JoinJob::JoinJob(JoinJobContext context, QObject* parent)
    : QObject(parent), m_context(std::move(context)) {
    connect(&m_run, &EncoderRun::chunkRead, this, &JoinJob::onChunk);
    connect(&m_run, &EncoderRun::ended, this, &JoinJob::onRunEnded);
}

QString JoinJob::IntermediateFile(const QString& tempFolder, int entry) {
    return tempFolder + QString::number(entry) + QStringLiteral(".avi");
}

QString JoinJob::FirstFreeName(const QString& outputFile, const QString& outputExt) {
    const QString stem =
        AddBackslash(FolderPart(outputFile)) + FileNameWithoutExt(FileNamePart(outputFile));
    for (int n = 1;; ++n) {
        const QString candidate = stem + QLatin1Char('_') + QString::number(n) + outputExt;
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

QString JoinJob::profilePath() const {
    // With no profile chosen the path names no file, and every value takes its default.
    const QString path = ProfilePathFor(m_context.info.profilesDir, m_context.host->profileName());
    return path.isEmpty() ? m_context.info.profilesDir + QStringLiteral(".bpf") : path;
}

double JoinJob::sumOfLengths() const {
    double sum = 0;
    for (int row = 0; row < m_entryCount; ++row) {
        ltvItemData item;
        m_context.tasks->ReadTaskItem(row, TaskField::All, item);
        sum += item.LengthSeconds;
    }
    return sum;
}

void JoinJob::setState(JobState state) {
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void JoinJob::setStatus(int row, const QString& status) {
    ltvItemData item;
    item.StatusText = status;
    m_context.tasks->WriteTaskItem(row, TaskField::Status, item);
}

bool JoinJob::deferWindowClose() {
    if (m_state == JobState::Idle)
        return false;
    m_closeWhenDone = true;
    return true;
}

// ---- Start ------------------------------------------------------------------

bool JoinJob::checkStart() {
    Prompter& prompter = *m_context.prompter;
    JobHost& host = *m_context.host;
    if (m_context.tasks->count() < 2) {
        prompter.information(
            QStringLiteral("Add More Videos"),
            QStringLiteral("Please add at least 2 videos to the task for joining."));
        return false;
    }
    host.focusTaskList();

    QString output = host.outputFileText();
    const QString folder = FolderPart(output);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        prompter.information(
            QStringLiteral("Output path does not exist"),
            QStringLiteral("The output path does not exist. Please specify another one."));
        host.focusOutputFile();
        return false;
    }
    if (FileNamePart(output).isEmpty()) {
        prompter.information(QStringLiteral("Icorrect Filename"),
                             QStringLiteral("Please specify the output file."));
        host.focusOutputFile();
        return false;
    }
    // The profile decides the container, so its extension is added when the
    // name lacks it; an extension already there stays.
    const QString outputExt = m_context.choices->outputExt;
    if (LowerAscii(ExtensionOf(output)) != LowerAscii(outputExt)) {
        output += outputExt;
        host.setOutputFileText(output);
    }
    if (!AudioBitrateUsable(*m_context.choices)) {
        prompter.information(QStringLiteral("Invalid Audio Bitrate"),
                             QStringLiteral("The Audio bitrate is invalid."));
        return false;
    }
    if (QFileInfo(output).isFile() && m_context.preferences->overwrite == OverwritePolicy::Ask) {
        const bool overwrite = prompter.question(
            QStringLiteral("File Exists"),
            QStringLiteral("The output file is existent. Do you want to continue and overwrite "
                           "it? \n\rClick \"No\" to specify another output filename."));
        if (!overwrite) {
            host.focusOutputFile();
            return false;
        }
    }
    m_outputFile = output;
    return true;
}

void JoinJob::start() {
    if (m_state != JobState::Idle)
        return;
    m_entryCount = m_context.tasks->count();
    if (!checkStart())
        return;
    m_closeWhenDone = false;
    m_context.host->LockControls();
    m_frameSize = GetVideoSizeValue(profilePath(), *m_context.choices);

    m_progress.startConversionPass(sumOfLengths());
    setState(JobState::Running);
    m_joining = false;
    m_reader.startPass();
    if (!prepareTempFolder()) {
        finishJob(Ending::Failed);
        return;
    }
    m_entry = 0;
    QMetaObject::invokeMethod(this, &JoinJob::convertNext, Qt::QueuedConnection);
}

bool JoinJob::prepareTempFolder() {
    // An empty setting names no folder; it is treated like one that cannot be
    // made, so the application's own temp folder is used.
    const QString setting = m_context.preferences->tempDir;
    QString reason;
    if (!setting.isEmpty()) {
        const QString folder = AddBackslash(setting);
        if (makeFolder(folder, &reason)) {
            m_tempFolder = folder;
            return true;
        }
    }
    const QString fallback = m_context.info.appDir + QStringLiteral("temp/");
    if (makeFolder(fallback, &reason)) {
        m_tempFolder = fallback;
        return true;
    }
    m_progress.stopTimer();
    m_context.prompter->error(m_context.info.programName,
                              QStringLiteral("Could not create the temp folder ") + fallback +
                                  QStringLiteral(": ") + reason);
    return false;
}

void JoinJob::deleteIntermediates() {
    for (int k = 0; k < m_entryCount; ++k)
        QFile::remove(IntermediateFile(m_tempFolder, k));
}

void JoinJob::stop() {
    if (m_state != JobState::Running)
        return;
    setState(JobState::Stopping);
    m_run.terminate(); // between two runs there is nothing to end; the next step sees the state
}

// ---- Runs ---------------------------------------------------------------------

void JoinJob::startRun(const EncoderCommand& command) {
    m_reader.startRun();
    emit encoderStarted(command.text);
    m_run.start(m_context.info.encoderPath, command.arguments);
}

void JoinJob::onChunk(const QByteArray& chunk) {
    const StatusReader::Verdict verdict = m_reader.takeChunk(chunk);
    if (verdict.examined)
        m_progress.ShowStatusPosition(verdict.position);
}

void JoinJob::onRunEnded(const RunEnd& end) {
    if (m_joining)
        joinRunEnded(end);
    else
        conversionRunEnded(end);
}

// ---- Conversion pass ------------------------------------------------------------

void JoinJob::convertNext() {
    if (m_state == JobState::Stopping) {
        cancelConversion(m_entry);
        return;
    }
    ltvItemData item;
    m_context.tasks->ReadTaskItem(m_entry, TaskField::All, item);
    setStatus(m_entry, StatusConverting);
    m_progress.startEntry(item.InputFile, item.LengthSeconds);
    startRun(
        ConversionCommand(item.InputFile, IntermediateFile(m_tempFolder, m_entry), m_frameSize));
}

void JoinJob::conversionRunEnded(const RunEnd& end) {
    if (m_state == JobState::Stopping) {
        cancelConversion(m_entry);
        return;
    }
    if (end.outcome == RunOutcome::FailedToStart) {
        startFailed();
        return;
    }
    if (end.outcome != RunOutcome::Completed ||
        !QFileInfo(IntermediateFile(m_tempFolder, m_entry)).isFile()) {
        conversionFailed(end);
        return;
    }
    const bool last = m_entry == m_entryCount - 1;
    m_progress.entryConverted(last);
    setStatus(m_entry, StatusWaiting);
    if (last) {
        beginJoinPass();
        return;
    }
    ++m_entry;
    // Queued, so that a Stop pressed between two runs is seen before the next one starts.
    QMetaObject::invokeMethod(this, &JoinJob::convertNext, Qt::QueuedConnection);
}

void JoinJob::cancelConversion(int stoppedEntry) {
    m_progress.stopTimer();
    setStatus(stoppedEntry, StatusStop);
    deleteIntermediates();
    m_context.prompter->information(QStringLiteral("Cancel"),
                                    QStringLiteral("The Coversion is canceled."));
    finishJob(Ending::Cancelled);
}

void JoinJob::conversionFailed(const RunEnd& end) {
    m_progress.stopTimer();
    ltvItemData item;
    m_context.tasks->ReadTaskItem(m_entry, TaskField::Caption, item);
    setStatus(m_entry, StatusError);
    deleteIntermediates();
    m_context.prompter->error(QStringLiteral("Conversion Failed"),
                              withLastLine(QStringLiteral("Could not convert the file ") +
                                               item.InputFile + QLatin1Char('.'),
                                           end.lastErrorLine));
    finishJob(Ending::Failed);
}

// ---- Join pass ------------------------------------------------------------------

void JoinJob::beginJoinPass() {
    m_joining = true;
    m_options = BuildEncoderOptions(profilePath(), *m_context.choices);
    m_progress.startJoinPass(sumOfLengths());
    setState(JobState::Running);
    m_reader.startPass();
    for (int row = 0; row < m_entryCount; ++row)
        setStatus(row, StatusJoining);
    QMetaObject::invokeMethod(this, &JoinJob::startJoinRun, Qt::QueuedConnection);
}

void JoinJob::startJoinRun() {
    if (m_state == JobState::Stopping) {
        cancelJoin();
        return;
    }
    // Decided now, after the conversions, since the file may have appeared meanwhile.
    m_joinTarget = m_outputFile;
    if (QFileInfo(m_outputFile).isFile() &&
        m_context.preferences->overwrite == OverwritePolicy::Rename)
        m_joinTarget = FirstFreeName(m_outputFile, m_context.choices->outputExt);
    const QFileInfo target(m_joinTarget);
    m_targetExisted = target.exists();
    m_targetSize = target.size();
    m_targetModified = target.lastModified();

    QStringList intermediates;
    for (int row = 0; row < m_entryCount; ++row)
        intermediates << IntermediateFile(m_tempFolder, row);
    startRun(JoinCommand(intermediates, m_joinTarget, m_options));
}

void JoinJob::joinRunEnded(const RunEnd& end) {
    if (m_state == JobState::Stopping) {
        cancelJoin();
        return;
    }
    if (end.outcome == RunOutcome::FailedToStart) {
        startFailed();
        return;
    }
    if (end.outcome != RunOutcome::Completed || !QFileInfo(m_joinTarget).isFile()) {
        joinFailed(end);
        return;
    }
    complete();
}

void JoinJob::cancelJoin() {
    m_progress.stopTimer();
    for (int row = 0; row < m_entryCount; ++row) {
        setStatus(row, StatusStop);
        QFile::remove(IntermediateFile(m_tempFolder, row));
    }
    // The output stays as far as the encoder had written it.
    m_context.prompter->information(QStringLiteral("Cancel"),
                                    QStringLiteral("The Joining is canceled."));
    finishJob(Ending::Cancelled);
}

void JoinJob::joinFailed(const RunEnd& end) {
    m_progress.stopTimer();
    for (int row = 0; row < m_entryCount; ++row)
        setStatus(row, StatusError);
    // Only what this run wrote is removed: a file the encoder never touched
    // (it failed before opening its output) is left as the user had it.
    const QFileInfo target(m_joinTarget);
    if (target.exists() && (!m_targetExisted || target.size() != m_targetSize ||
                            target.lastModified() != m_targetModified))
        QFile::remove(m_joinTarget);
    deleteIntermediates();
    m_context.prompter->error(QStringLiteral("Joining Failed"),
                              withLastLine(QStringLiteral("Could not write the output file ") +
                                               m_joinTarget + QLatin1Char('.'),
                                           end.lastErrorLine));
    finishJob(Ending::Failed);
}

void JoinJob::startFailed() {
    // The entries keep "Converting" or "Joining"; intermediates already written
    // stay until a later job replaces them.
    m_progress.stopTimer();
    m_context.prompter->plain(m_context.info.programName,
                              QStringLiteral("Error. Please re-install ") +
                                  m_context.info.programName);
    finishJob(Ending::Failed);
}

void JoinJob::complete() {
    m_progress.joinCompleted();
    for (int row = 0; row < m_entryCount; ++row) {
        setStatus(row, StatusComplete);
        QFile::remove(IntermediateFile(m_tempFolder, row));
    }
    const CompletionResult result =
        RunCompletionActions(*m_context.preferences, m_outputFile, *m_context.prompter,
                             *m_context.opener, *m_context.powerOff);
    if (result == CompletionResult::ProgramCloses) {
        // The window closes with the progress panel still showing.
        setState(JobState::Idle);
        m_context.host->UnlockControls();
        emit ended(Ending::Completed);
        m_context.host->closeMainWindow();
        return;
    }
    finishJob(Ending::Completed);
}

void JoinJob::finishJob(Ending ending) {
    m_progress.showIdlePanels();
    setState(JobState::Idle);
    m_context.host->UnlockControls();
    emit ended(ending);
    if (std::exchange(m_closeWhenDone, false))
        m_context.host->closeMainWindow();
}
