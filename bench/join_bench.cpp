// Runs one whole join job without a window on four one-minute clips of mixed
// formats, and compares it with one ffmpeg run that does the same concat in a
// single pass. Also reports the longest time the event loop was kept busy in
// one go while the job ran (a short-interval heartbeat measures the gaps).
//
// Usage: join_bench [seconds per clip, default 60]

#include "engine/jobHost.h"
#include "engine/joinJob.h"
#include "engine/powerOff.h"
#include "profiles/encodingChoices.h"
#include "shell/preferences.h"
#include "tasks/taskListModel.h"
#include "tasks/timeText.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/recordingOpener.h"
#include "tests/support/testAppDir.h"
#include "tests/support/testMedia.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

qint64 threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The shipped general AVI profile: MPEG-4 at 640x480 with MP3 audio; the
// bitrate is set to 1000 kbit/s as a user would type it in Output Settings.
const QString BenchProfileName = QStringLiteral("AVI - MPEG-4 and MP3");

class HeadlessHost final : public JobHost {
public:
    QString output;
    QString outputFileText() const override { return output; }
    void setOutputFileText(const QString& text) override { output = text; }
    QString profileName() const override { return BenchProfileName; }
    void focusTaskList() override {}
    void focusOutputFile() override {}
    void LockControls() override {}
    void UnlockControls() override {}
    void closeMainWindow() override {}
};

class NoPowerOff final : public PowerOff {
public:
    void powerOff() override {}
};

struct Clip {
    QString name;
    ClipSpec spec;
};

bool runFfmpegConcat(const QList<Clip>& clips, const QString& folder, double seconds,
                     const QString& output) {
    QStringList args{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                     QStringLiteral("error"), QStringLiteral("-y")};
    QString graph;
    QString pads;
    for (int i = 0; i < clips.size(); ++i)
        args << QStringLiteral("-i") << folder + clips[i].name;
    for (int i = 0; i < clips.size(); ++i) {
        graph += QStringLiteral("[%1:v]scale=640:480,setsar=1,fps=30[v%1];").arg(i);
        if (clips[i].spec.audio)
            graph +=
                QStringLiteral("[%1:a]aresample=44100,aformat=channel_layouts=stereo[a%1];").arg(i);
        else
            graph += QStringLiteral("anullsrc=r=44100:cl=stereo,atrim=duration=%2[a%1];")
                         .arg(i)
                         .arg(seconds);
        pads += QStringLiteral("[v%1][a%1]").arg(i);
    }
    graph += pads + QStringLiteral("concat=n=%1:v=1:a=1[v][a]").arg(clips.size());
    args << QStringLiteral("-filter_complex") << graph << QStringLiteral("-map")
         << QStringLiteral("[v]") << QStringLiteral("-map") << QStringLiteral("[a]")
         << QStringLiteral("-c:v") << QStringLiteral("mpeg4") << QStringLiteral("-b:v")
         << QStringLiteral("1000k") << QStringLiteral("-c:a") << QStringLiteral("libmp3lame")
         << QStringLiteral("-q:a") << QStringLiteral("6") << output;
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedChannels);
    ffmpeg.start(QStringLiteral("ffmpeg"), args);
    return ffmpeg.waitForFinished(-1) && ffmpeg.exitCode() == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 60.0;

    TestAppDir dir;
    if (!dir.isValid() || !dir.installEncoder() || !dir.installShippedProfiles()) {
        std::fprintf(stderr, "join_bench: cannot set up an application folder with the encoder "
                             "and the shipped profiles\n");
        return 1;
    }

    auto spec = [seconds](int w, int h, int fps, bool audio, int rate) {
        ClipSpec s;
        s.width = w;
        s.height = h;
        s.fps = fps;
        s.seconds = seconds;
        s.audio = audio;
        s.sampleRate = rate;
        return s;
    };
    const QList<Clip> clips{
        {QStringLiteral("clip1.mpg"), spec(720, 576, 25, true, 48000)},
        {QStringLiteral("clip2.avi"), spec(320, 240, 30, true, 44100)},
        {QStringLiteral("clip3.mp4"), spec(1280, 720, 24, true, 22050)},
        {QStringLiteral("clip4.mov"), spec(480, 360, 15, false, 44100)},
    };
    std::printf("Making %d clips of %.0f s ...\n", int(clips.size()), seconds);
    for (const Clip& clip : clips) {
        QString error;
        if (!MakeClip(dir.filePath(clip.name), clip.spec, &error)) {
            std::fprintf(stderr, "join_bench: %s\n", qPrintable(error));
            return 1;
        }
    }

    TaskListModel tasks;
    for (const Clip& clip : clips) {
        const int row = tasks.appendEmptyRow();
        ltvItemData item;
        item.InputFile = dir.filePath(clip.name);
        item.LengthText = SecondsToTimeText(ReadMediaFacts(item.InputFile).durationMs / 1000.0);
        item.StatusText = QStringLiteral("OK");
        tasks.WriteTaskItem(row, TaskField::All, item);
    }
    EncodingChoices choices;
    if (!choices.loadProfile(dir.info().profilesDir + BenchProfileName + QStringLiteral(".bpf"))) {
        std::fprintf(stderr, "join_bench: the shipped profile %s is missing\n",
                     qPrintable(BenchProfileName));
        return 1;
    }
    choices.typeText(SettingBox::Vbitrate, QStringLiteral("1000"));
    Preferences preferences;
    preferences.tempDir = dir.filePath(QStringLiteral("temp/"));
    preferences.overwrite = OverwritePolicy::Overwrite;
    preferences.openDir = false;
    FakePrompter prompter;
    RecordingOpener opener;
    NoPowerOff powerOff;
    HeadlessHost host;
    host.output = dir.filePath(QStringLiteral("joined.avi"));

    JoinJobContext context{dir.info(), &tasks,  &choices,  &preferences,
                           &prompter,  &opener, &powerOff, &host};
    JoinJob job(context);

    // The heartbeat: any gap much longer than its interval is time the event
    // loop could not get to it. A gap is wall time; the thread's own CPU time
    // within it tells how much of it the thread really worked rather than
    // waited for a busy machine.
    QElapsedTimer beat;
    qint64 longestGap = 0;
    qint64 longestGapCpu = 0;
    qint64 longestCpu = 0;
    qint64 lastCpu = 0;
    int runsStarted = 0;
    int longestCpuAtRun = 0;
    QObject::connect(&job, &JoinJob::encoderStarted, [&runsStarted] { ++runsStarted; });
    QTimer heartbeat;
    heartbeat.setInterval(5);
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 gap = beat.restart();
        const qint64 cpu = threadCpuMs();
        if (gap > longestGap) {
            longestGap = gap;
            longestGapCpu = cpu - lastCpu;
        }
        if (cpu - lastCpu > longestCpu) {
            longestCpu = cpu - lastCpu;
            longestCpuAtRun = runsStarted;
        }
        lastCpu = cpu;
    });

    QElapsedTimer wall;
    JoinJob::Ending ending = JoinJob::Ending::Failed;
    QObject::connect(&job, &JoinJob::ended, [&](JoinJob::Ending e) {
        ending = e;
        QCoreApplication::quit();
    });
    QTimer::singleShot(0, [&] {
        wall.start();
        beat.start();
        lastCpu = threadCpuMs();
        heartbeat.start();
        job.start();
    });
    app.exec();
    const double jobSeconds = wall.elapsed() / 1000.0;
    heartbeat.stop();
    if (ending != JoinJob::Ending::Completed) {
        std::fprintf(stderr, "join_bench: the job did not complete: %s\n",
                     qPrintable(prompter.texts().join(QLatin1Char('\n'))));
        return 1;
    }
    const MediaFacts joined = ReadMediaFacts(host.output);

    QElapsedTimer reference;
    reference.start();
    const QString single = dir.filePath(QStringLiteral("single.avi"));
    if (!runFfmpegConcat(clips, dir.path(), seconds, single)) {
        std::fprintf(stderr, "join_bench: the ffmpeg reference run failed\n");
        return 1;
    }
    const double ffmpegSeconds = reference.elapsed() / 1000.0;

    std::printf("Join job (4 x %.0f s clips, mixed formats): %.2f s wall time\n", seconds,
                jobSeconds);
    std::printf("  output %s, %dx%d, %.2f s\n", qPrintable(joined.format), joined.width,
                joined.height, joined.durationMs / 1000.0);
    std::printf("One ffmpeg single-pass concat of the same clips: %.2f s\n", ffmpegSeconds);
    std::printf("Ratio job / ffmpeg: %.2f\n", jobSeconds / ffmpegSeconds);
    std::printf(
        "Longest gap between 5 ms heartbeats: %lld ms wall (UI thread CPU in it: %lld ms)\n",
        static_cast<long long>(longestGap), static_cast<long long>(longestGapCpu));
    std::printf("Longest UI-thread CPU time between two heartbeats: %lld ms (runs started by "
                "then: %d)\n",
                static_cast<long long>(longestCpu), longestCpuAtRun);
    return 0;
}
