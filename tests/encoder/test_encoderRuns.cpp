// Runs the built encoder the way Corvane does: a conversion of each clip into
// an intermediate, then joins of the intermediates with the option strings
// the program builds, and checks every output with libmediainfo. Jobs run as
// one ffmpeg run and cut into parts run at once (forced for these short clips).

#include "encoder/ffmpegCommand.h"
#include "encoder/partedPlan.h"
#include "engine/optionBuilder.h"
#include "profiles/encodingChoices.h"
#include "shell/iniFile.h"
#include "tests/support/testAppDir.h"
#include "tests/support/testMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <deque>
#include <memory>
#include <sys/types.h>
#include <unistd.h>

namespace {

QString EncoderPath() {
    return TestAppDir::buildAppDir() + QStringLiteral("asapi.dll");
}

// The program splits its option string at blanks, dropping empty pieces.
QStringList SplitOptions(const QString& options) {
    return options.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

struct EncoderRun {
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};

// How many parts the encoder cuts a job into; 0 leaves it its own choice.
void SetParts(QProcess* process, int parts) {
    if (parts <= 0)
        return;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CORVANE_ENCODER_PARTS"), QString::number(parts));
    process->setProcessEnvironment(environment);
}

EncoderRun RunEncoder(const QStringList& args, int parts = 0) {
    QProcess process;
    SetParts(&process, parts);
    process.start(EncoderPath(), args);
    EncoderRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.error = process.readAllStandardError();
    return run;
}

// Runs the encoder once per argument list, two at a time (the machine has two
// cores), each cut into as many parts as `parts` says, and returns the runs in order.
QList<EncoderRun> RunEncoders(const QList<QStringList>& argLists, const QList<int>& parts) {
    QList<EncoderRun> runs(argLists.size());
    std::deque<std::pair<qsizetype, std::unique_ptr<QProcess>>> running;
    qsizetype next = 0;
    while (next < argLists.size() || !running.empty()) {
        while (running.size() < 2 && next < argLists.size()) {
            auto process = std::make_unique<QProcess>();
            SetParts(process.get(), parts.at(next));
            process->start(EncoderPath(), argLists.at(next));
            running.emplace_back(next++, std::move(process));
        }
        auto [index, process] = std::move(running.front());
        running.pop_front();
        EncoderRun& run = runs[index];
        if (process->waitForFinished(120000) && process->exitStatus() == QProcess::NormalExit)
            run.exitCode = process->exitCode();
        else
            process->kill();
        process->waitForFinished();
        run.output = process->readAllStandardOutput();
        run.error = process->readAllStandardError();
    }
    return runs;
}

// The position in every status line, read the way the program reads a chunk:
// the text after the first "Pos:" up to the first "s", as a number.
QList<double> StatusPositions(const QByteArray& output) {
    QList<double> positions;
    const QStringList lines =
        QString::fromUtf8(output).split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (const QString& line : lines) {
        const qsizetype pos = line.indexOf(QLatin1String("Pos:"));
        if (pos < 0)
            continue;
        const QString rest = line.mid(pos + 4);
        const qsizetype s = rest.indexOf(QLatin1Char('s'));
        bool ok = false;
        const double value = rest.left(s < 0 ? 0 : s).trimmed().toDouble(&ok);
        if (ok)
            positions << value;
    }
    return positions;
}

bool ProcessRuns(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    // A zombie has ended; only its parent's bookkeeping remains.
    return close >= 0 && text.size() > close + 2 && text.at(close + 2) != 'Z';
}

QList<pid_t> LivingProcessesInGroup(pid_t group) {
    QList<pid_t> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        // After the name: state, parent, process group.
        if (fields.size() > 2 && fields.at(0) != "Z" && fields.at(2).toInt() == group)
            found << pid;
    }
    return found;
}

QList<pid_t> ChildrenOf(pid_t pid) {
    QFile file(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    QList<pid_t> children;
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& piece : file.readAll().split(' '))
            if (!piece.trimmed().isEmpty())
                children << piece.trimmed().toInt();
    return children;
}

// What libmediainfo calls the container of each output type.
QString ContainerOfType(const QString& type) {
    const QString t = type.toLower();
    if (t == QLatin1String("mpg") || t == QLatin1String("mpeg") || t == QLatin1String("vob"))
        return QStringLiteral("MPEG-PS");
    if (t == QLatin1String("mp4") || t == QLatin1String("mov"))
        return QStringLiteral("MPEG-4");
    if (t == QLatin1String("wmv") || t == QLatin1String("asf"))
        return QStringLiteral("Windows Media");
    if (t == QLatin1String("flv"))
        return QStringLiteral("Flash Video");
    return QStringLiteral("AVI");
}

const char* const kExample1 =
    " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect -oac mp3lame -lameopts "
    "vbr=2:q=6 -channels 2 -vf scale=640:480 -srate 44100";
const char* const kExample2 =
    " -ovc lavc -lavcopts vcodec=mpeg2video:vbitrate=4000:mbd=2:aspect=16/9 -oac lavc -lavcopts "
    "acodec=mp2:abitrate=128 -channels 2 -vf scale=720:576 -srate 48000";
const char* const kExample3 =
    " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect -oac mp3lame -lameopts "
    "abr:br=192 -channels 2 -vf scale=320:240 -srate 44100";
const char* const kExample4 =
    " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1000:mbd=2:aspect=4/3 -oac pcm   -channels 1 -vf "
    "scale=640:480 -srate 44100";

} // namespace

class TestEncoderRuns final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void conversion_data();
    void conversion();
    void join_data();
    void join();
    void statusLinesRiseToTheOutputLength_data();
    void statusLinesRiseToTheOutputLength();
    void killedRunLeavesNoProcess_data();
    void killedRunLeavesNoProcess();
    void failures_data();
    void failures();
    void outputOverAnInputIsRefused();
    void shippedProfilesWriteTheirContainer();
    void partsFitTogetherFrameForFrame_data();
    void partsFitTogetherFrameForFrame();

private:
    struct NamedClip {
        const char* name;
        ClipSpec spec;
    };
    // Makes the clips in the test's folder and returns their paths; on a
    // failure fills *error and stops.
    QStringList makeClips(std::initializer_list<NamedClip> clips, QString* error) const {
        QStringList paths;
        for (const NamedClip& clip : clips) {
            paths << m_dir.filePath(QLatin1String(clip.name));
            if (!MakeClip(paths.last(), clip.spec, error))
                return paths;
        }
        return paths;
    }
    QString clip(int i) const { return m_clips.at(i); }
    QString intermediate(int i, int parts = 1) const {
        return m_dir.filePath(parts == 1 ? QStringLiteral("%1.avi").arg(i)
                                         : QStringLiteral("%1 in parts.avi").arg(i));
    }
    QStringList intermediates(int count) const;
    double intermediatesSeconds(int count) const;
    void checkJoin(const QString& output, int inputs);

    // The number in a join's output name ("joined 3.avi") is its row's place.
    static qsizetype rowIndex(const QString& output) {
        return QFileInfo(output).completeBaseName().section(QLatin1Char(' '), 1).toInt();
    }

    QTemporaryDir m_dir;
    QStringList m_clips;
    QList<EncoderRun> m_joinRuns;
};

void TestEncoderRuns::initTestCase() {
    QVERIFY(QFile::exists(EncoderPath()));
    QVERIFY(m_dir.isValid());
    // Different sizes, rates, sample rates, channel counts and containers; one without sound.
    QString error;
    m_clips = makeClips({{"one clip.avi", {320, 240, 25, 1.0, true, 44100, 2}},
                         {"two.mp4", {176, 144, 15, 1.0, true, 48000, 1}},
                         {"three.mpg", {352, 288, 30, 1.0, true, 48000, 2}},
                         {"four.wmv", {160, 120, 25, 1.0, false, 44100, 2}}},
                        &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    // The conversion pass, as the program runs it: one input, the intermediate, 30 fps, the frame
    // size; in one run (the joins' inputs) and cut into three parts.
    QList<QStringList> conversions;
    QList<int> parts;
    for (int inParts : {1, 3})
        for (int i = 0; i < m_clips.size(); ++i) {
            conversions << QStringList{clip(i), QStringLiteral("-o"), intermediate(i, inParts)} +
                               SplitOptions(QStringLiteral(
                                   " -oac mp3lame -ovc lavc -ofps 30 -vf scale=640:480"));
            parts << inParts;
        }
    for (const EncoderRun& run : RunEncoders(conversions, parts))
        QVERIFY2(run.exitCode == 0, run.error.constData());
}

QStringList TestEncoderRuns::intermediates(int count) const {
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << intermediate(i);
    return paths;
}

double TestEncoderRuns::intermediatesSeconds(int count) const {
    double seconds = 0;
    for (int i = 0; i < count; ++i)
        seconds += ReadMediaFacts(intermediate(i)).durationMs / 1000.0;
    return seconds;
}

void TestEncoderRuns::conversion_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("parts");
    for (int parts : {1, 3}) {
        const char* way = parts == 1 ? "one run" : "three parts";
        QTest::addRow("avi, 25 fps, 44100 Hz stereo, %s", way) << 0 << parts;
        QTest::addRow("mp4, 15 fps, 48000 Hz mono, %s", way) << 1 << parts;
        QTest::addRow("mpg, 30 fps, 48000 Hz stereo, %s", way) << 2 << parts;
        QTest::addRow("wmv without sound, %s", way) << 3 << parts;
    }
}

void TestEncoderRuns::conversion() {
    QFETCH(int, index);
    QFETCH(int, parts);
    const MediaFacts source = ReadMediaFacts(clip(index));
    const MediaFacts facts = ReadMediaFacts(intermediate(index, parts));
    QCOMPARE(facts.format, QStringLiteral("AVI"));
    QCOMPARE(facts.videoFormat, QStringLiteral("MPEG-4 Visual"));
    QCOMPARE(facts.audioFormat, QStringLiteral("MPEG Audio"));
    QCOMPARE(facts.width, 640);
    QCOMPARE(facts.height, 480);
    QCOMPARE(facts.frameRate, 30.0);
    QVERIFY2(qAbs(facts.durationMs - source.durationMs) <= 100,
             qPrintable(
                 QStringLiteral("%1 ms from %2 ms").arg(facts.durationMs).arg(source.durationMs)));
    QVERIFY2(qAbs(facts.videoDurationMs - facts.audioDurationMs) <= 100,
             qPrintable(QStringLiteral("video %1 ms, audio %2 ms")
                            .arg(facts.videoDurationMs)
                            .arg(facts.audioDurationMs)));
}

void TestEncoderRuns::checkJoin(const QString& output, int inputs) {
    const MediaFacts facts = ReadMediaFacts(output);
    const double expected = intermediatesSeconds(inputs);
    QVERIFY2(qAbs(facts.durationMs / 1000.0 - expected) <= 0.1 * inputs,
             qPrintable(QStringLiteral("%1: %2 s, inputs %3 s")
                            .arg(QFileInfo(output).fileName())
                            .arg(facts.durationMs / 1000.0)
                            .arg(expected)));
    QVERIFY2(qAbs(facts.videoDurationMs - facts.audioDurationMs) <= 100,
             qPrintable(QStringLiteral("%1: video %2 ms, audio %3 ms")
                            .arg(QFileInfo(output).fileName())
                            .arg(facts.videoDurationMs)
                            .arg(facts.audioDurationMs)));
}

void TestEncoderRuns::join_data() {
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("videoFormat");
    QTest::addColumn<QString>("audioFormat");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("channels");

    // Every row's join runs here, two at a time; each row then checks its output.
    // Cut into two parts unless the row says one run.
    QList<QStringList> joins;
    QList<int> parts;
    auto row = [&](const char* name, const QString& options, const QString& extension,
                   int inParts = 2) -> QTestData& {
        const QString output =
            m_dir.filePath(QStringLiteral("joined %1").arg(joins.size()) + extension);
        joins << intermediates(4) + QStringList{QStringLiteral("-o"), output} +
                     SplitOptions(options);
        parts << inParts;
        return QTest::newRow(name) << output;
    };
    const QString avi = QStringLiteral("AVI");
    const QString ps = QStringLiteral("MPEG-PS");
    const QString mpeg4 = QStringLiteral("MPEG-4 Visual");
    const QString mpegAudio = QStringLiteral("MPEG Audio");
    // The four option strings of the option builder's worked examples.
    row("MPEG-4, MP3 VBR, .avi", kExample1, ".avi")
        << avi << mpeg4 << mpegAudio << 640 << 480 << 44100 << 2;
    row("MPEG-2, MP2, 16/9, .mpg", kExample2, ".mpg")
        << ps << "MPEG Video" << mpegAudio << 720 << 576 << 48000 << 2;
    row("MPEG-4, MP3 ABR, 320:240, .avi", kExample3, ".avi")
        << avi << mpeg4 << mpegAudio << 320 << 240 << 44100 << 2;
    row("MPEG-4, PCM mono, 4/3, .avi", kExample4, ".avi")
        << avi << mpeg4 << "PCM" << 640 << 480 << 44100 << 1;
    row("MPEG-4, MP3 VBR, .avi, one run", kExample1, ".avi", 1)
        << avi << mpeg4 << mpegAudio << 640 << 480 << 44100 << 2;
    row("MPEG-2, MP2, 16/9, .mpg, one run", kExample2, ".mpg", 1)
        << ps << "MPEG Video" << mpegAudio << 720 << 576 << 48000 << 2;
    row("MPEG-4, MP3 ABR, 320:240, .avi, one run", kExample3, ".avi", 1)
        << avi << mpeg4 << mpegAudio << 320 << 240 << 44100 << 2;
    row("MPEG-4, PCM mono, 4/3, .avi, one run", kExample4, ".avi", 1)
        << avi << mpeg4 << "PCM" << 640 << 480 << 44100 << 1;
    // Every output type, each with codecs that its container holds.
    row(".mpeg", kExample2, ".mpeg") << ps << "MPEG Video" << mpegAudio << 720 << 576 << 48000 << 2;
    row(".vob", kExample2, ".vob") << ps << "MPEG Video" << mpegAudio << 720 << 576 << 48000 << 2;
    row(".mp4", kExample1, ".mp4") << "MPEG-4" << mpeg4 << mpegAudio << 640 << 480 << 44100 << 2;
    row(".mp4, H.264, AAC",
        " -ovc lavc -lavcopts vcodec=libx264:vbitrate=800:mbd=2:autoaspect -oac lavc "
        "-lavcopts acodec=aac:abitrate=128 -channels 2 -vf scale=320:240 -srate 48000",
        ".mp4")
        << "MPEG-4"
        << "AVC"
        << "AAC" << 320 << 240 << 48000 << 2;
    row(".mov, PCM", kExample4, ".mov") << "MPEG-4" << mpeg4 << "PCM" << 640 << 480 << 44100 << 1;
    row(".wmv",
        " -ovc lavc -lavcopts vcodec=wmv2:vbitrate=1000:mbd=2:autoaspect -oac lavc "
        "-lavcopts acodec=wmav2:abitrate=128 -channels 2 -vf scale=320:240 -srate 44100",
        ".wmv")
        << "Windows Media"
        << "WMV2"
        << "WMA" << 320 << 240 << 44100 << 2;
    row(".asf", kExample3, ".asf")
        << "Windows Media" << mpeg4 << mpegAudio << 320 << 240 << 44100 << 2;
    row(".flv",
        " -ovc lavc -lavcopts vcodec=flv:vbitrate=800:mbd=2:autoaspect -oac mp3lame "
        "-lameopts cbr:br=128 -channels 2 -vf scale=320:240 -srate 22050",
        ".flv")
        << "Flash Video"
        << "Sorenson Spark" << mpegAudio << 320 << 240 << 22050 << 2;
    row("another extension gives AVI", kExample3, ".mkv")
        << avi << mpeg4 << mpegAudio << 320 << 240 << 44100 << 2;
    row("sample rate left empty keeps the source's",
        " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect -oac mp3lame "
        "-lameopts vbr=2:q=6 -channels 2 -vf scale=640:480 -srate ",
        ".avi")
        << avi << mpeg4 << mpegAudio << 640 << 480 << 44100 << 2;

    m_joinRuns = RunEncoders(joins, parts);
}

void TestEncoderRuns::join() {
    QFETCH(QString, output);
    QFETCH(QString, container);
    QFETCH(QString, videoFormat);
    QFETCH(QString, audioFormat);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, sampleRate);
    QFETCH(int, channels);

    const EncoderRun& run = m_joinRuns.at(rowIndex(output));
    QVERIFY2(run.exitCode == 0, run.error.constData());
    const MediaFacts facts = ReadMediaFacts(output);
    QCOMPARE(facts.format, container);
    QCOMPARE(facts.videoFormat, videoFormat);
    QCOMPARE(facts.audioFormat, audioFormat);
    QCOMPARE(facts.width, width);
    QCOMPARE(facts.height, height);
    QCOMPARE(facts.frameRate, 30.0);
    QCOMPARE(facts.sampleRate, sampleRate);
    QCOMPARE(facts.channels, channels);
    checkJoin(output, 4);
    QFile::remove(output);
}

void TestEncoderRuns::statusLinesRiseToTheOutputLength_data() {
    QTest::addColumn<int>("parts");
    QTest::newRow("one run") << 1;
    QTest::newRow("three parts") << 3;
}

void TestEncoderRuns::statusLinesRiseToTheOutputLength() {
    QFETCH(int, parts);
    const QString output = m_dir.filePath(QStringLiteral("status.avi"));
    const EncoderRun run = RunEncoder(intermediates(4) + QStringList{QStringLiteral("-o"), output} +
                                          SplitOptions(QLatin1String(kExample1)),
                                      parts);
    QVERIFY2(run.exitCode == 0, run.error.constData());

    // Before the status lines, a banner that names the inputs and the output.
    const QString text = QString::fromUtf8(run.output);
    const qsizetype firstStatus = text.indexOf(QLatin1String("Pos:"));
    QVERIFY(firstStatus > 0);
    for (int i = 0; i < 4; ++i)
        QVERIFY(text.left(firstStatus).contains(intermediate(i)));
    QVERIFY(text.left(firstStatus).contains(output));
    // Each status line ends in a carriage return, as MEncoder's do.
    QVERIFY(QRegularExpression(QStringLiteral("Pos: *\\d+\\.\\ds +\\d+f [^\\r\\n]*\\r"))
                .match(text)
                .hasMatch());

    const QList<double> positions = StatusPositions(run.output);
    QVERIFY2(positions.size() >= 2, text.toUtf8().constData());
    for (qsizetype i = 1; i < positions.size(); ++i)
        QVERIFY(positions.at(i) >= positions.at(i - 1));
    const double length = ReadMediaFacts(output).durationMs / 1000.0;
    QVERIFY2(
        qAbs(positions.last() - length) <= 0.4,
        qPrintable(
            QStringLiteral("last position %1 s, output %2 s").arg(positions.last()).arg(length)));
    QFile::remove(output);
}

void TestEncoderRuns::killedRunLeavesNoProcess_data() {
    QTest::addColumn<bool>("wholeGroup");
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("parts");
    // H.264 is never cut into parts; MPEG-4 is, here into two.
    const QString oneRun = QStringLiteral(" -ovc lavc -lavcopts vcodec=libx264:vbitrate=4000 "
                                          "-oac mp3lame -vf scale=1280:720");
    const QString inParts = QStringLiteral(" -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=4000:mbd=2 "
                                           "-oac mp3lame -vf scale=1280:720");
    QTest::newRow("the program kills the process group") << true << oneRun << 0;
    QTest::newRow("only the encoder is killed") << false << oneRun << 0;
    QTest::newRow("the group is killed while parts run") << true << inParts << 2;
    QTest::newRow("only the encoder is killed while parts run") << false << inParts << 2;
}

void TestEncoderRuns::killedRunLeavesNoProcess() {
    QFETCH(bool, wholeGroup);
    QFETCH(QString, options);
    QFETCH(int, parts);
    // Long enough that ffmpeg is surely still at work when the kill comes.
    const QString source = m_dir.filePath(QStringLiteral("long.mp4"));
    if (!QFile::exists(source)) {
        QString error;
        QVERIFY2(MakeClip(source, {160, 120, 25, 60.0, true, 44100, 2}, &error), qPrintable(error));
    }
    QTemporaryDir outputFolder;
    QVERIFY(outputFolder.isValid());
    const QString output = outputFolder.filePath(QStringLiteral("killed.avi"));

    QProcess encoder;
    // Its own process group, as the program starts it.
    encoder.setChildProcessModifier([] { setpgid(0, 0); });
    SetParts(&encoder, parts);
    encoder.start(EncoderPath(),
                  QStringList{source, QStringLiteral("-o"), output} + SplitOptions(options));
    QVERIFY(encoder.waitForStarted());
    const pid_t pid = pid_t(encoder.processId());
    QByteArray seen;
    QTRY_VERIFY_WITH_TIMEOUT((seen += encoder.readAllStandardOutput()).contains("Pos:") &&
                                 !ChildrenOf(pid).isEmpty(),
                             20000);
    const QList<pid_t> children = ChildrenOf(pid);

    ::kill(wholeGroup ? -pid : pid, SIGKILL);
    QVERIFY(encoder.waitForFinished(10000));
    for (const pid_t child : children)
        QTRY_VERIFY_WITH_TIMEOUT(!ProcessRuns(child), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(LivingProcessesInGroup(pid).isEmpty(), 10000);
    // Parts in progress had no names; at most the output ffmpeg began remains.
    const QStringList left =
        QDir(outputFolder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QVERIFY2(left.isEmpty() || left == QStringList{QStringLiteral("killed.avi")},
             qPrintable(left.join(QLatin1String(", "))));
    if (parts > 1)
        QVERIFY(left.isEmpty());
}

void TestEncoderRuns::failures_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QStringList>("messageParts");
    QTest::addColumn<int>("parts");

    const QString conversion = QStringLiteral(" -oac mp3lame -ovc lavc -ofps 30 -vf scale=640:480");
    QTest::newRow("missing input") << "no such clip.avi" << conversion << ".avi"
                                   << QStringList{QStringLiteral("no such clip.avi")} << 0;
    QTest::newRow("a text file as input")
        << "notes.txt" << conversion << ".avi"
        << QStringList{QStringLiteral("notes.txt"), QStringLiteral("Cannot read input")} << 0;
    for (int parts : {0, 2}) {
        const char* way = parts ? ", in parts" : "";
        QTest::addRow("PCM into .mp4%s", way)
            << "" << kExample4 << ".mp4"
            << QStringList{QStringLiteral("pcm"), QStringLiteral("MP4")} << parts;
        QTest::addRow("MPEG-4 into .flv%s", way)
            << "" << kExample1 << ".flv"
            << QStringList{QStringLiteral("mpeg4"), QStringLiteral("FLV")} << parts;
    }
    QTest::newRow("an unknown option") << "" << conversion + QStringLiteral(" -nosound") << ".avi"
                                       << QStringList{QStringLiteral("-nosound")} << 0;
    QTest::newRow("an unknown codec")
        << "" << QStringLiteral(" -ovc lavc -lavcopts vcodec=nosuchcodec -oac pcm") << ".avi"
        << QStringList{QStringLiteral("nosuchcodec")} << 0;
    QTest::newRow("a bitrate that is no number")
        << "" << QStringLiteral(" -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=fast -oac pcm")
        << ".avi" << QStringList{QStringLiteral("vbitrate"), QStringLiteral("fast")} << 0;
    QTest::newRow("an empty frame size") << "" << QStringLiteral(" -ovc lavc -oac pcm -vf scale=:")
                                         << ".avi" << QStringList{QStringLiteral("scale")} << 0;
}

void TestEncoderRuns::failures() {
    QFETCH(QString, input);
    QFETCH(QString, options);
    QFETCH(QString, extension);
    QFETCH(QStringList, messageParts);
    QFETCH(int, parts);

    QString inputPath = intermediate(0);
    if (input == QLatin1String("notes.txt")) {
        inputPath = m_dir.filePath(input);
        QFile text(inputPath);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("These are notes, not a video.\n");
    } else if (!input.isEmpty()) {
        inputPath = m_dir.filePath(input);
    }
    const QString output = m_dir.filePath(QStringLiteral("failed") + extension);
    const EncoderRun run = RunEncoder(
        QStringList{inputPath, QStringLiteral("-o"), output} + SplitOptions(options), parts);

    QCOMPARE(run.exitCode, 1);
    const QString message = QString::fromUtf8(run.error).trimmed();
    QVERIFY2(!message.isEmpty() && !message.contains(QLatin1Char('\n')), run.error.constData());
    for (const QString& part : messageParts)
        QVERIFY2(message.contains(part), qPrintable(message));
    QVERIFY(!QFile::exists(output));
    QVERIFY(QDir(m_dir.path())
                .entryList({QStringLiteral(".corvane*")}, QDir::AllEntries | QDir::Hidden)
                .isEmpty());
}

void TestEncoderRuns::outputOverAnInputIsRefused() {
    // Writing the output over an input would destroy the input as it is read.
    const QString path = m_dir.filePath(QStringLiteral("precious.avi"));
    QVERIFY(QFile::copy(intermediate(1), path));
    const qint64 size = QFileInfo(path).size();
    const EncoderRun run =
        RunEncoder(QStringList{intermediate(0), path, QStringLiteral("-o"), path} +
                   SplitOptions(QLatin1String(kExample1)));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.error.contains("also an input"), run.error.constData());
    QCOMPARE(QFileInfo(path).size(), size);
    QCOMPARE(ReadMediaFacts(path).videoFormat, QStringLiteral("MPEG-4 Visual"));
}

void TestEncoderRuns::shippedProfilesWriteTheirContainer() {
    const QDir profiles(TestAppDir::buildAppDir() + QStringLiteral("Profiles"));
    const QStringList names =
        profiles.entryList({QStringLiteral("*.bpf")}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        QSKIP("No shipped profiles in the build's application folder (Profiles/*.bpf) yet");
    // The program's own way from a profile to the join options; the joins run two at a time.
    QList<QStringList> joins;
    QStringList outputs;
    QStringList sizes;
    for (const QString& name : names) {
        const QString path = profiles.filePath(name);
        EncodingChoices choices;
        QVERIFY(choices.loadProfile(path));
        const QString output =
            m_dir.filePath(QStringLiteral("profile %1").arg(outputs.size()) + choices.outputExt);
        outputs << output;
        sizes << GetVideoSizeValue(path, choices);
        joins << intermediates(2) + QStringList{QStringLiteral("-o"), output} +
                     SplitOptions(BuildEncoderOptions(path, choices));
    }
    const QList<EncoderRun> runs = RunEncoders(joins, QList<int>(joins.size(), 2));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString context =
            names.at(i) + QStringLiteral(": ") + joins.at(i).join(QLatin1Char(' '));
        QVERIFY2(runs.at(i).exitCode == 0,
                 qPrintable(context + QStringLiteral(": ") + QString::fromUtf8(runs.at(i).error)));
        const QString type =
            IniFile(profiles.filePath(names.at(i)))
                .readString(QStringLiteral("Main"), QStringLiteral("Type"), QStringLiteral("avi"));
        const MediaFacts facts = ReadMediaFacts(outputs.at(i));
        QVERIFY2(facts.format == ContainerOfType(type),
                 qPrintable(context + QStringLiteral(": ") + facts.format));
        QCOMPARE(QStringLiteral("%1:%2").arg(facts.width).arg(facts.height), sizes.at(i));
        checkJoin(outputs.at(i), 2);
        QFile::remove(outputs.at(i));
    }
}

// The pictures a run's filters give, one checksum per frame: the run's own
// arguments up to its encoders, written as ffmpeg's frame checksums instead.
QStringList PictureChecksums(const std::vector<std::string>& args) {
    QStringList ffmpegArgs;
    for (std::size_t i = 0; i < args.size() && args[i] != "-c:v"; ++i) {
        if (args[i] == "-progress" || args[i] == "-stats_period")
            ++i;
        else
            ffmpegArgs << QString::fromStdString(args[i]);
    }
    ffmpegArgs << QStringLiteral("-f") << QStringLiteral("framemd5") << QStringLiteral("-");
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), ffmpegArgs);
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return {QStringLiteral("ffmpeg failed: ") +
                QString::fromUtf8(ffmpeg.readAllStandardError())};
    QStringList checksums;
    for (const QByteArray& line : ffmpeg.readAllStandardOutput().split('\n'))
        if (line.startsWith("0,")) // the picture is the first stream
            checksums << QString::fromLatin1(line.split(',').last().trimmed());
    return checksums;
}

void TestEncoderRuns::partsFitTogetherFrameForFrame_data() {
    QTest::addColumn<QStringList>("clips");
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("parts");

    // Long enough that later parts enter an input at a whole second.
    const QString conversion = QStringLiteral(" -oac mp3lame -ovc lavc -ofps 30 -vf scale=640:480");
    QString error;
    const QStringList paths = makeClips({{"six seconds.mpg", {352, 288, 25, 6.0, true, 48000, 2}},
                                         {"six seconds.mp4", {176, 144, 15, 6.0, true, 44100, 1}},
                                         {"six seconds.avi", {320, 240, 25, 6.0, true, 44100, 2}},
                                         {"six seconds.wmv", {320, 240, 25, 6.0, true, 44100, 2}},
                                         {"six seconds.mkv", {320, 240, 30, 6.0, true, 48000, 2}}},
                                        &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTest::newRow("MP4 at 15 fps, entered at a whole second")
        << QStringList{paths.at(1)} << conversion << 2;
    QTest::newRow("AVI at 25 fps: read from the start, then entered")
        << QStringList{paths.at(2)} << conversion << 3;
    QTest::newRow("WMV entered at a whole second") << QStringList{paths.at(3)} << conversion << 2;
    QTest::newRow("Matroska entered at a whole second")
        << QStringList{paths.at(4)} << conversion << 2;
    QTest::newRow("an MPEG stream starting late, read from its start")
        << QStringList{paths.at(0), paths.at(1)} << conversion << 3;
    QTest::newRow("four inputs cut near their starts")
        << intermediates(4) << QString::fromLatin1(kExample1) << 3;
}

void TestEncoderRuns::partsFitTogetherFrameForFrame() {
    QFETCH(QStringList, clips);
    QFETCH(QString, options);
    QFETCH(int, parts);

    std::vector<std::string> paths;
    for (const QString& clip : clips)
        paths.push_back(clip.toStdString());
    const std::vector<encoder::InputFacts> inputs = encoder::ProbeInputs(paths);
    std::vector<std::string> args = paths;
    for (const QString& option :
         QStringList{QStringLiteral("-o"), QStringLiteral("/out/j.avi")} + SplitOptions(options))
        args.push_back(option.toStdString());
    const encoder::FfmpegPlan plan =
        encoder::BuildFfmpegPlan(encoder::ParseArguments(args), inputs);
    auto cut = [&](int count) {
        return encoder::BuildPartedPlan(plan, inputs, "/out/j.avi",
                                        std::vector<std::string>(std::size_t(count), "/out/part"),
                                        "/out/sound", "/out/list");
    };

    // The uncut picture, read the way parts read it (without the sound, which
    // may shift a first frame that falls exactly between two output frames).
    const QStringList whole = PictureChecksums(cut(1).runs.front().args);
    long frames = 0;
    for (const long piece : plan.pieceFrames)
        frames += piece;
    QVERIFY2(whole.size() == qsizetype(frames),
             qPrintable(whole.join(QLatin1Char('\n')).left(2000)));
    const encoder::PartedPlan parted = cut(parts);
    QVERIFY(parted.parts() >= 2);
    QStringList pieced;
    for (std::size_t part = 0; part < parted.parts(); ++part)
        pieced += PictureChecksums(parted.runs[part].args);
    QCOMPARE(pieced, whole);
}

QTEST_GUILESS_MAIN(TestEncoderRuns)
#include "test_encoderRuns.moc"
