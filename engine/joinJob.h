#pragma once

#include "app/programInfo.h"
#include "engine/encoderCommand.h"
#include "engine/encoderRun.h"
#include "engine/jobProgress.h"
#include "engine/statusParser.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

class DesktopOpener;
class EncodingChoices;
class JobHost;
class PowerOff;
class Prompter;
class TaskListModel;
struct Preferences;

enum class JobState { Idle, Running, Stopping };

// Everything a join job reads or acts through. The job owns none of it.
struct JoinJobContext {
    ProgramInfo info;
    TaskListModel* tasks = nullptr;
    EncodingChoices* choices = nullptr;
    const Preferences* preferences = nullptr;
    Prompter* prompter = nullptr;
    DesktopOpener* opener = nullptr;
    PowerOff* powerOff = nullptr;
    JobHost* host = nullptr;
};

// The Start command and the job it starts: the conversion pass turns every
// entry, in list order, into an intermediate AVI file at the output frame size;
// the join pass joins them into the output file with the profile's options;
// then the completion actions run. The job is driven by the encoder run's
// signals, so the window stays responsive throughout; Stop can come at any
// time. A failed run is reported as a failure, never as success.
class JoinJob final : public QObject {
    Q_OBJECT
public:
    enum class Ending { Completed, Cancelled, Failed };

    explicit JoinJob(JoinJobContext context, QObject* parent = nullptr);

    void start();
    void stop();
    // The main window is being closed. Returns true when a job runs: the job
    // then goes on to its end, shows its messages and closes the window itself.
    bool deferWindowClose();

    JobState state() const { return m_state; }
    JobProgress& progress() { return m_progress; }
    const QString& tempFolder() const { return m_tempFolder; }

    // Pure helpers, also used by tests.
    static QString IntermediateFile(const QString& tempFolder, int entry);
    // The first of name_1, name_2, ... (+ extension) in the output's folder
    // that does not exist yet.
    static QString FirstFreeName(const QString& outputFile, const QString& outputExt);

signals:
    void stateChanged(JobState state);
    // Every encoder command as a person reads it, just before the run starts.
    void encoderStarted(const QString& commandText);
    void ended(JoinJob::Ending ending);

private:
    bool checkStart();
    QString profilePath() const;
    double sumOfLengths() const;
    void setState(JobState state);
    void setStatus(int row, const QString& status);
    bool prepareTempFolder();
    void deleteIntermediates();

    void convertNext();
    void beginJoinPass();
    void startJoinRun();
    void startRun(const EncoderCommand& command);
    void onChunk(const QByteArray& chunk);
    void onRunEnded(const RunEnd& end);
    void conversionRunEnded(const RunEnd& end);
    void joinRunEnded(const RunEnd& end);

    void cancelConversion(int stoppedEntry);
    void cancelJoin();
    void startFailed();
    void conversionFailed(const RunEnd& end);
    void joinFailed(const RunEnd& end);
    void complete();
    void finishJob(Ending ending);

    JoinJobContext m_context;
    JobProgress m_progress;
    EncoderRun m_run;
    StatusReader m_reader;
    JobState m_state = JobState::Idle;
    bool m_joining = false;
    bool m_closeWhenDone = false;
    int m_entryCount = 0;
    int m_entry = 0;
    QString m_frameSize;
    QString m_outputFile; // the output box's text once Start has checked it
    QString m_joinTarget; // where the join writes: the output file or its free new name
    QString m_tempFolder;
    QString m_options;
    bool m_targetExisted = false;
    qint64 m_targetSize = -1;
    QDateTime m_targetModified;
};
