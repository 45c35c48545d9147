// The encoder's parts on their own: option parsing, reading ffprobe's
// answer, the container choice, cutting a job into parts, status lines,
// failure messages, children run together and scratch files.

#include "encoder/childProcess.h"
#include "encoder/ffmpegCommand.h"
#include "encoder/options.h"
#include "encoder/partedPlan.h"
#include "encoder/probe.h"
#include "encoder/scratchFile.h"
#include "encoder/statusLine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace encoder;

namespace {

std::vector<std::string> Args(const QString& line) {
    std::vector<std::string> args;
    for (const QString& piece : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        args.push_back(piece.toStdString());
    return args;
}

QString Text(const std::optional<std::string>& value) {
    return value ? QString::fromStdString(*value) : QStringLiteral("-");
}

template <typename T> long long Number(const std::optional<T>& value) {
    return value ? (long long)(*value) : -1;
}

QString Joined(const std::vector<std::string>& args) {
    QStringList list;
    for (const std::string& arg : args)
        list << QString::fromStdString(arg);
    return list.join(QLatin1Char(' '));
}

// Inputs as the probe describes them: 30 fps pictures of `seconds` each in
// AVI files, which can be entered at any whole second.
std::vector<InputFacts> Inputs(const QList<double>& seconds, const QList<bool>& sound = {}) {
    std::vector<InputFacts> inputs;
    for (qsizetype i = 0; i < seconds.size(); ++i) {
        InputFacts input;
        input.path = "/in/" + std::to_string(i) + ".avi";
        input.hasVideo = true;
        input.width = 640;
        input.height = 480;
        input.frameRate = Rate{30, 1};
        input.videoPackets = std::lround(seconds.at(i) * 30);
        input.formatName = "avi";
        input.videoTimeBase = Rate{1, 30};
        input.hasAudio = sound.isEmpty() || sound.at(i);
        input.sampleRate = 44100;
        input.channels = 2;
        inputs.push_back(input);
    }
    return inputs;
}

} // namespace

class TestEncoderParts final : public QObject {
    Q_OBJECT

private slots:
    void parsesCommandLines_data();
    void parsesCommandLines();
    void refusesBadCommandLines_data();
    void refusesBadCommandLines();
    void readsProbeOutput_data();
    void readsProbeOutput();
    void containerFollowsExtension_data();
    void containerFollowsExtension();
    void statusLineReadsBackAsPosition_data();
    void statusLineReadsBackAsPosition();
    void progressSplitAnywhere();
    void explainsFailures_data();
    void explainsFailures();
    void copiedVideoJoinsThroughAFileList();
    void partsForAJob_data();
    void partsForAJob();
    void partsCutThePictureAndKeepTheSoundWhole();
    void cutsStayOutOfInputsThatCannotBeEntered_data();
    void cutsStayOutOfInputsThatCannotBeEntered();
    void childrenRunTogetherAndFailTogether();
    void scratchFilesHaveNoName();
};

void TestEncoderParts::parsesCommandLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("videoCodec");
    QTest::addColumn<qlonglong>("videoBitrate");
    QTest::addColumn<QString>("aspect"); // "auto", "-" or the ratio
    QTest::addColumn<int>("audioMode");
    QTest::addColumn<QString>("audioCodec");
    QTest::addColumn<qlonglong>("audioBitrate");
    QTest::addColumn<int>("mp3Mode");
    QTest::addColumn<qlonglong>("mp3Value"); // quality for VBR, bitrate otherwise
    QTest::addColumn<qlonglong>("sampleRate");
    QTest::addColumn<qlonglong>("channels");
    QTest::addColumn<qlonglong>("width");
    QTest::addColumn<bool>("intermediate");

    const int mp3 = int(AudioMode::Mp3Lame);
    QTest::newRow("conversion")
        << "a.mpg -o 0.avi -oac mp3lame -ovc lavc -ofps 30 -vf scale=640:480"
        << "-" << -1LL << "-" << mp3 << "-" << -1LL << int(Mp3Mode::Vbr) << -1LL << -1LL << -1LL
        << 640LL << true;
    QTest::newRow("MP3 VBR, autoaspect")
        << "0.avi 1.avi -o o.avi  -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect "
           "-oac mp3lame -lameopts vbr=2:q=6 -channels 2 -vf scale=640:480 -srate 44100"
        << "mpeg4" << 1000000LL << "auto" << mp3 << "-" << -1LL << int(Mp3Mode::Vbr) << 6LL
        << 44100LL << 2LL << 640LL << false;
    QTest::newRow("two -lavcopts, aspect with a colon")
        << "0.avi -o o.mpg -ovc lavc -lavcopts vcodec=mpeg2video:vbitrate=4000:mbd=2:aspect=16:9 "
           "-oac lavc -lavcopts acodec=mp2:abitrate=128 -channels 2 -vf scale=720:576 -srate 48000"
        << "mpeg2video" << 4000000LL << "16:9" << int(AudioMode::Lavc) << "mp2" << 128000LL
        << int(Mp3Mode::Vbr) << -1LL << 48000LL << 2LL << 720LL << false;
    QTest::newRow("aspect with a slash, ABR")
        << "0.avi -o o.avi -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=800:aspect=16/9 -oac mp3lame "
           "-lameopts abr:br=192 -vf scale=320:240"
        << "mpeg4" << 800000LL << "16:9" << mp3 << "-" << -1LL << int(Mp3Mode::Abr) << 192LL << -1LL
        << -1LL << 320LL << false;
    QTest::newRow("PCM, three blanks, empty sample rate at the end")
        << "0.avi -o o.avi -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1000:mbd=2:aspect=4/3 -oac pcm"
           "   -channels 1 -vf scale=640:480 -srate "
        << "mpeg4" << 1000000LL << "4:3" << int(AudioMode::Pcm) << "-" << -1LL << int(Mp3Mode::Vbr)
        << -1LL << -1LL << 1LL << 640LL << false;
    QTest::newRow("a bitrate above 16000 is in bit/s, decimal aspect, CBR")
        << "0.avi -o o.avi -ovc lavc -lavcopts vbitrate=24000:aspect=1.7778 -oac mp3lame "
           "-lameopts cbr:br=128"
        << "-" << 24000LL << "1.7778" << mp3 << "-" << -1LL << int(Mp3Mode::Cbr) << 128LL << -1LL
        << -1LL << -1LL << false;
}

void TestEncoderParts::parsesCommandLines() {
    QFETCH(QString, line);
    QFETCH(QString, videoCodec);
    QFETCH(qlonglong, videoBitrate);
    QFETCH(QString, aspect);
    QFETCH(int, audioMode);
    QFETCH(QString, audioCodec);
    QFETCH(qlonglong, audioBitrate);
    QFETCH(int, mp3Mode);
    QFETCH(qlonglong, mp3Value);
    QFETCH(qlonglong, sampleRate);
    QFETCH(qlonglong, channels);
    QFETCH(qlonglong, width);
    QFETCH(bool, intermediate);

    const EncoderOptions options = ParseArguments(Args(line));
    QVERIFY(!options.inputs.empty());
    QVERIFY(!options.output.empty());
    QCOMPARE(Text(options.videoCodec), videoCodec);
    QCOMPARE(Number(options.videoBitrate), videoBitrate);
    QCOMPARE(options.autoAspect ? QStringLiteral("auto") : Text(options.aspect), aspect);
    QCOMPARE(int(*options.audioMode), audioMode);
    QCOMPARE(Text(options.audioCodec), audioCodec);
    QCOMPARE(Number(options.audioBitrate), audioBitrate);
    QCOMPARE(int(options.mp3Mode), mp3Mode);
    QCOMPARE(options.mp3Mode == Mp3Mode::Vbr ? Number(options.mp3Quality)
                                             : Number(options.mp3Bitrate),
             mp3Value);
    QCOMPARE(Number(options.sampleRate), sampleRate);
    QCOMPARE(Number(options.channels), channels);
    QCOMPARE(Number(options.width), width);
    QCOMPARE(!options.lavcOptsGiven, intermediate);
}

void TestEncoderParts::refusesBadCommandLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    const QString tail = QStringLiteral(" -ovc lavc -oac pcm");
    QTest::newRow("unknown option") << "a.avi -o b.avi -ovc lavc -oac pcm -quiet"
                                    << "Unknown option '-quiet'";
    QTest::newRow("unknown sub-option") << "a.avi -o b.avi -ovc lavc -lavcopts vpass=2 -oac pcm"
                                        << "Unknown -lavcopts option 'vpass=2'";
    QTest::newRow("empty bitrate")
        << "a.avi -o b.avi -ovc lavc -lavcopts vcodec=mpeg4:vbitrate= -oac pcm"
        << "vbitrate needs a whole number, not ''";
    QTest::newRow("bad aspect") << "a.avi -o b.avi -ovc lavc -lavcopts aspect=wide -oac pcm"
                                << "aspect needs a ratio such as 16/9 or 1.7778, not 'wide'";
    QTest::newRow("bad VBR quality") << "a.avi -o b.avi -ovc lavc -oac mp3lame -lameopts vbr=2:q=12"
                                     << "q must lie between 0 and 9, not 12";
    QTest::newRow("bad frame size")
        << "a.avi -o b.avi -ovc lavc -oac pcm -vf scale=640x480"
        << "scale needs a frame size such as scale=640:480, not 'scale=640x480'";
    QTest::newRow("other filter") << "a.avi -o b.avi -ovc lavc -oac pcm -vf crop=10:10"
                                  << "Unsupported video filter 'crop=10:10' (only scale=W:H)";
    QTest::newRow("zero frame rate") << "a.avi -o b.avi -ovc lavc -oac pcm -ofps 0"
                                     << "-ofps needs a positive frame rate up to 1000, not '0'";
    QTest::newRow("other video encoder") << "a.avi -o b.avi -ovc xvid -oac pcm"
                                         << "Unsupported video encoder '-ovc xvid' (lavc or copy)";
    QTest::newRow("no input") << "-o b.avi" + tail << "No input file given";
    QTest::newRow("no output") << "a.avi" + tail + " -o"
                               << "No output file given (-o FILE)";
    QTest::newRow("no audio encoder")
        << "a.avi -o b.avi -ovc lavc"
        << "No audio encoder selected (-oac mp3lame, pcm, lavc or copy)";
}

void TestEncoderParts::refusesBadCommandLines() {
    QFETCH(QString, line);
    QFETCH(QString, message);
    try {
        ParseArguments(Args(line));
        QFAIL("accepted");
    } catch (const Failure& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), message);
    }
}

void TestEncoderParts::readsProbeOutput_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("pictureSeconds");
    QTest::addColumn<bool>("hasAudio");
    QTest::addColumn<int>("width");

    // AVI rounds its duration up by a frame: 15 frames at 15 fps last 1 s.
    QTest::newRow("frames counted")
        << "stream|index=0|codec_name=mpeg4|codec_type=video|width=320|height=240|"
           "sample_aspect_ratio=1:1|r_frame_rate=15/1|avg_frame_rate=15/1|start_time=0.000000|"
           "duration=1.066667|nb_read_packets=15|disposition:attached_pic=0\n"
           "stream|index=1|codec_name=mp3|codec_type=audio|sample_rate=48000|channels=1|"
           "start_time=0.000000|duration=1.032000|nb_read_packets=43|disposition:attached_pic=0\n"
           "format|format_name=avi|start_time=0.000000|duration=1.066667\n"
        << 1.0 << true << 320;
    // An MPEG stream whose picture starts 10 ms after the sound.
    QTest::newRow("late picture")
        << "stream|index=0|codec_name=mpeg1video|codec_type=video|width=352|height=288|"
           "sample_aspect_ratio=1:1|r_frame_rate=25/1|avg_frame_rate=25/1|start_time=0.540000|"
           "duration=0.960000|nb_read_packets=25|disposition:attached_pic=0\n"
           "format|format_name=mpeg|start_time=0.530000|duration=1.008000\n"
        << 1.01 << false << 352;
    QTest::newRow("no count: the stream's duration")
        << "stream|index=0|codec_name=h264|codec_type=video|width=640|height=360|"
           "avg_frame_rate=0/0|r_frame_rate=30/1|duration=2.500000|nb_read_packets=N/A\n"
           "format|format_name=mov|start_time=0.000000|duration=2.600000\n"
        << 2.5 << false << 640;
    QTest::newRow("cover picture skipped")
        << "stream|index=0|codec_name=mjpeg|codec_type=video|width=500|height=500|"
           "avg_frame_rate=0/0|nb_read_packets=1|disposition:attached_pic=1\n"
           "stream|index=1|codec_name=mpeg4|codec_type=video|width=320|height=240|"
           "avg_frame_rate=25/1|nb_read_packets=50|disposition:attached_pic=0\n"
           "format|format_name=mov|start_time=0.000000|duration=2.000000\n"
        << 2.0 << false << 320;
}

void TestEncoderParts::readsProbeOutput() {
    QFETCH(QString, text);
    QFETCH(double, pictureSeconds);
    QFETCH(bool, hasAudio);
    QFETCH(int, width);
    const InputFacts facts = ParseProbeOutput("in.avi", text.toStdString());
    QVERIFY(facts.hasVideo);
    QVERIFY(qAbs(facts.pictureSeconds() - pictureSeconds) < 1e-6);
    QCOMPARE(facts.hasAudio, hasAudio);
    QCOMPARE(facts.width, width);
}

void TestEncoderParts::containerFollowsExtension_data() {
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("videoEncoder");
    QTest::addColumn<QString>("muxer");
    QTest::newRow("avi") << "/v/a.avi"
                         << "mpeg4"
                         << "avi";
    QTest::newRow("mpg, MPEG-1") << "/v/a.mpg"
                                 << "mpeg1video"
                                 << "mpeg";
    QTest::newRow("mpeg, MPEG-2") << "/v/a.MPEG"
                                  << "mpeg2video"
                                  << "vob";
    QTest::newRow("vob") << "/v/a.vob"
                         << "mpeg2video"
                         << "vob";
    QTest::newRow("mp4") << "/v/a.mp4"
                         << "mpeg4"
                         << "mp4";
    QTest::newRow("mov") << "/v/a.mov"
                         << "mpeg4"
                         << "mov";
    QTest::newRow("wmv") << "/v/a.wmv"
                         << "wmv2"
                         << "asf";
    QTest::newRow("asf") << "/v/a.asf"
                         << "mpeg4"
                         << "asf";
    QTest::newRow("flv") << "/v/a.flv"
                         << "flv"
                         << "flv";
    QTest::newRow("other") << "/v/a.mkv"
                           << "mpeg4"
                           << "avi";
    QTest::newRow("none, dotted folder") << "/v.mp4/a"
                                         << "mpeg4"
                                         << "avi";
}

void TestEncoderParts::containerFollowsExtension() {
    QFETCH(QString, output);
    QFETCH(QString, videoEncoder);
    QFETCH(QString, muxer);
    QCOMPARE(QString::fromStdString(
                 ContainerFor(output.toStdString(), videoEncoder.toStdString()).muxer),
             muxer);
}

void TestEncoderParts::statusLineReadsBackAsPosition_data() {
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("shown");
    QTest::newRow("start") << 0.0 << 0.0;
    QTest::newRow("rounded to a tenth") << 12.34 << 12.3;
    QTest::newRow("past an hour") << 3725.0 << 3725.0;
}

void TestEncoderParts::statusLineReadsBackAsPosition() {
    QFETCH(double, seconds);
    QFETCH(double, shown);
    StatusFields fields;
    fields.seconds = seconds;
    fields.frames = long(seconds * 30);
    fields.totalSeconds = 4000;
    fields.elapsedSeconds = 2;
    fields.videoKbps = 800;
    fields.audioKbps = 128;
    const QString line = QString::fromStdString(FormatStatusLine(fields));
    QVERIFY(line.startsWith(QLatin1String("Pos:")));
    QVERIFY(line.endsWith(QLatin1Char('\r')));
    QVERIFY(line.contains(QLatin1String("[800:128]")));
    // The reader's rule: after "Pos:" up to the first "s".
    const QString afterPos = line.mid(4);
    const QString candidate = afterPos.left(afterPos.indexOf(QLatin1Char('s')));
    bool ok = false;
    QCOMPARE(candidate.trimmed().toDouble(&ok), shown);
    QVERIFY(ok);
}

void TestEncoderParts::progressSplitAnywhere() {
    QList<ProgressReport> reports;
    ProgressReader reader([&](const ProgressReport& report) { reports << report; });
    const std::string text =
        "frame=30\nfps=0.0\nout_time_us=1000000\ntotal_size=4096\nprogress=continue\n"
        "frame=60\nout_time_us=N/A\nprogress=continue\n"
        "frame=90\nout_time_us=3000000\nprogress=end\n";
    for (std::size_t i = 0; i < text.size(); i += 7)
        reader.feed(text.substr(i, 7));
    QCOMPARE(reports.size(), 3);
    QCOMPARE(reports.at(0).seconds, 1.0);
    QCOMPARE(reports.at(0).bytes, 4096LL);
    QCOMPARE(reports.at(1).seconds, 1.0); // "N/A" keeps the last position
    QCOMPARE(reports.at(1).frames, 60L);
    QCOMPARE(reports.at(2).seconds, 3.0);
    QVERIFY(!reports.at(1).ended);
    QVERIFY(reports.at(2).ended);
}

void TestEncoderParts::explainsFailures_data() {
    QTest::addColumn<QString>("errorText");
    QTest::addColumn<QString>("message");
    QTest::newRow("PCM in MP4")
        << "[mp4 @ 0x5573f575d740] Could not find tag for codec pcm_s16le in stream #1, codec not "
           "currently supported in container\nCould not write header for output file #0 (incorrect "
           "codec parameters ?): Invalid argument\n"
        << "The audio codec pcm_s16le cannot be stored in the MP4 container";
    QTest::newRow("MPEG-4 in FLV") << "[flv @ 0x55cb18d73740] Codec mpeg4 is not supported in the "
                                      "official FLV specification,\n"
                                   << "The video codec mpeg4 cannot be stored in the FLV container";
    QTest::newRow("other failure, noise skipped")
        << "[mpeg @ 0x1] buffer underflow st=1 bufi=2062 size=2304\n"
           "[mp2 @ 0x2] Sampling rate 22050 is not allowed in mp2\n"
        << "ffmpeg failed: Sampling rate 22050 is not allowed in mp2";
}

void TestEncoderParts::explainsFailures() {
    QFETCH(QString, errorText);
    QFETCH(QString, message);
    FfmpegPlan plan;
    plan.videoEncoder = "mpeg4";
    plan.audioEncoder = "pcm_s16le";
    plan.container =
        ContainerFor(errorText.contains(QLatin1String("flv")) ? "o.flv" : "o.mp4", "mpeg4");
    QCOMPARE(QString::fromStdString(ExplainFfmpegFailure(errorText.toStdString(), plan)), message);
}

void TestEncoderParts::copiedVideoJoinsThroughAFileList() {
    // Copied streams cannot be filtered: the concat demuxer reads a list whose
    // relative names would count from the list's own folder, and whose quotes
    // must survive a name like "Bob's clip.avi".
    const EncoderOptions options = ParseArguments(
        Args(QStringLiteral("in/Bob's clip.avi /v/b.avi -o /out/j.avi -ovc copy -oac pcm")));
    std::vector<InputFacts> inputs(2);
    inputs[0].path = "in/Bob's clip.avi";
    inputs[1].path = "/v/b.avi";
    for (InputFacts& input : inputs) {
        input.hasVideo = true;
        input.width = 640;
        input.height = 480;
        input.frameRate = Rate{30, 1};
        input.formatDuration = 1.5;
    }
    const FfmpegPlan plan = BuildFfmpegPlan(options, inputs, "/tmp/list", "/home/ann");
    QCOMPARE(QString::fromStdString(plan.concatList),
             QStringLiteral("file 'file:/home/ann/in/Bob'\\''s clip.avi'\nfile 'file:/v/b.avi'\n"));
    QCOMPARE(plan.totalSeconds, 3.0);
    const QStringList args = [&] {
        QStringList list;
        for (const std::string& arg : plan.args)
            list << QString::fromStdString(arg);
        return list;
    }();
    QVERIFY(
        args.join(QLatin1Char(' ')).contains(QLatin1String("-f concat -safe 0 -i file:/tmp/list")));
    QVERIFY(args.join(QLatin1Char(' ')).contains(QLatin1String("-c:v copy -c:a pcm_s16le")));
}

void TestEncoderParts::partsForAJob_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<double>("seconds"); // of each of two inputs
    QTest::addColumn<int>("processors");
    QTest::addColumn<int>("forced"); // 0: not forced
    QTest::addColumn<int>("parts");

    const QString mpeg4 = QStringLiteral("-ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1000 -oac pcm");
    const QString conversion = QStringLiteral("-oac mp3lame -ovc lavc -ofps 30 -vf scale=640:480");
    QTest::newRow("a short job is one run") << mpeg4 << 3.0 << 2 << 0 << 1;
    QTest::newRow("a long job, a part per processor") << mpeg4 << 30.0 << 2 << 0 << 2;
    QTest::newRow("a long conversion too") << conversion << 30.0 << 2 << 0 << 2;
    QTest::newRow("at most four parts") << mpeg4 << 30.0 << 16 << 0 << 4;
    QTest::newRow("one processor") << mpeg4 << 30.0 << 1 << 0 << 1;
    QTest::newRow("H.264 reorders frames across a cut")
        << QStringLiteral("-ovc lavc -lavcopts vcodec=libx264 -oac pcm") << 30.0 << 2 << 0 << 1;
    QTest::newRow("an MPEG program stream")
        << QStringLiteral("-ovc lavc -lavcopts vcodec=mpeg2video -oac lavc -o /out/j.mpg") << 30.0
        << 2 << 0 << 1;
    QTest::newRow("copied video is not filtered")
        << QStringLiteral("-ovc copy -oac pcm") << 30.0 << 2 << 0 << 1;
    QTest::newRow("forced on a short job") << mpeg4 << 3.0 << 2 << 3 << 3;
    QTest::newRow("forced to one run") << mpeg4 << 30.0 << 2 << 1 << 1;
    QTest::newRow("never more parts than frames") << mpeg4 << 0.1 << 2 << 64 << 6;
}

void TestEncoderParts::partsForAJob() {
    QFETCH(QString, options);
    QFETCH(double, seconds);
    QFETCH(int, processors);
    QFETCH(int, forced);
    QFETCH(int, parts);
    const EncoderOptions parsed = ParseArguments(Args(
        QStringLiteral("a b ") + options +
        (options.contains(QLatin1String("-o ")) ? QString() : QStringLiteral(" -o /out/j.avi"))));
    const std::vector<InputFacts> inputs = Inputs({seconds, seconds});
    const FfmpegPlan plan = BuildFfmpegPlan(parsed, inputs, "/tmp/list", "/home/ann");
    QCOMPARE(PartsFor(plan, processors, forced ? std::optional<int>(forced) : std::nullopt), parts);
}

void TestEncoderParts::partsCutThePictureAndKeepTheSoundWhole() {
    // Three inputs of 300, 300 and 301 frames, the middle one silent, in two
    // parts: the cut at frame 450 falls at 5 s into the middle input, which
    // the second part enters at 3 s (90 frames) rather than decode from its start.
    const EncoderOptions options = ParseArguments(
        Args(QStringLiteral("a b c -o /out/j.avi -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1000 "
                            "-oac mp3lame -lameopts vbr=2:q=6")));
    const std::vector<InputFacts> inputs = Inputs({10.0, 10.0, 301 / 30.0}, {true, false, true});
    const FfmpegPlan plan = BuildFfmpegPlan(options, inputs);
    const PartedPlan parted =
        BuildPartedPlan(plan, inputs, options.output, {"/p0", "/p1"}, "/sound", "/list");

    QCOMPARE(parted.parts(), std::size_t(2));
    const QString first = Joined(parted.runs[0].args);
    const QString second = Joined(parted.runs[1].args);
    const QString sound = Joined(parted.runs[2].args);
    // Each part reads only the inputs its frames come from.
    QVERIFY2(first.contains(QLatin1String("-i file:/in/0.avi -i file:/in/1.avi -filter_complex")),
             qPrintable(first));
    QVERIFY2(
        second.contains(QLatin1String("-ss 3 -i file:/in/1.avi -i file:/in/2.avi -filter_complex")),
        qPrintable(second));
    QVERIFY2(first.contains(QLatin1String("[1:v:0]")) &&
                 first.contains(QLatin1String("trim=end_frame=150[v1]")),
             qPrintable(first));
    QVERIFY2(
        second.contains(QLatin1String("trim=start_frame=60:end_frame=210,setpts=PTS-STARTPTS[v0]")),
        qPrintable(second));
    QVERIFY2(second.contains(QLatin1String("trim=end_frame=301[v1]")), qPrintable(second));
    QCOMPARE(parted.runs[0].seconds, 15.0);
    QCOMPARE(parted.runs[1].seconds, 451 / 30.0);
    // Pictures only, one thread each, in the output's container.
    for (const QString& part : {first, second}) {
        QVERIFY(part.contains(QLatin1String("-map [vout] -c:v mpeg4")));
        QVERIFY(!part.contains(QLatin1String("-c:a")));
        QVERIFY(part.contains(QLatin1String("-threads 1")));
        QVERIFY(part.contains(QLatin1String("-progress pipe:1")));
    }
    QVERIFY(first.endsWith(QLatin1String("-f avi -y file:/p0")));
    QVERIFY(second.endsWith(QLatin1String("-f avi -y file:/p1")));

    // The sound is one run over every input: the silent one read from nowhere.
    QCOMPARE(parted.runs[2].seconds, 0.0);
    QVERIFY2(sound.contains(QLatin1String("-i file:/in/0.avi -i file:/in/2.avi -filter_complex")),
             qPrintable(sound));
    QVERIFY2(sound.contains(QLatin1String("[1:a:0]")) &&
                 sound.contains(QLatin1String("anullsrc")) &&
                 !sound.contains(QLatin1String("[2:a:0]")),
             qPrintable(sound));
    QVERIFY(sound.contains(QLatin1String("concat=n=3:v=0:a=1[aout] -map [aout] -c:a libmp3lame")));
    QVERIFY(sound.endsWith(QLatin1String("-f avi -y file:/sound")));

    // The parts one after another, the sound beside them, copied.
    QCOMPARE(QString::fromStdString(parted.partList),
             QStringLiteral("file 'file:/p0'\nfile 'file:/p1'\n"));
    QCOMPARE(Joined(parted.assembly),
             QStringLiteral("-hide_banner -nostdin -loglevel error -nostats -f concat -safe 0 -i "
                            "file:/list -i file:/sound -map 0:v:0 -map 1:a:0 -c copy "
                            "-max_muxing_queue_size 4096 -f avi -y file:/out/j.avi"));
}

void TestEncoderParts::cutsStayOutOfInputsThatCannotBeEntered_data() {
    QTest::addColumn<QList<double>>("seconds");
    QTest::addColumn<QString>("container"); // of every input
    QTest::addColumn<QString>("codec");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QList<double>>("partSeconds");

    const QString mpeg = QStringLiteral("mpeg");
    const QString h264 = QStringLiteral("h264");
    QTest::newRow("H.264 in MPEG streams: the cut moves to the nearer end")
        << QList<double>{10.0, 12.0, 4.0} << mpeg << h264 << 2 << QList<double>{10.0, 16.0};
    QTest::newRow("one such stream is one part")
        << QList<double>{20.0} << mpeg << h264 << 2 << QList<double>{20.0};
    QTest::newRow("cuts that meet merge")
        << QList<double>{5.0, 30.0, 5.0} << mpeg << h264 << 4 << QList<double>{5.0, 30.0, 5.0};
    QTest::newRow("MPEG-2 is cheap to read from the start: cut anywhere")
        << QList<double>{20.0} << mpeg << "mpeg2video" << 2 << QList<double>{10.0, 10.0};
    QTest::newRow("AVI: cut anywhere")
        << QList<double>{20.0} << "avi" << h264 << 4 << QList<double>{5.0, 5.0, 5.0, 5.0};
    QTest::newRow("MP4 too, even near an input's start")
        << QList<double>{9.0, 11.0} << "mov,mp4,m4a,3gp,3g2,mj2" << h264 << 2
        << QList<double>{10.0, 10.0};
}

void TestEncoderParts::cutsStayOutOfInputsThatCannotBeEntered() {
    QFETCH(QList<double>, seconds);
    QFETCH(QString, container);
    QFETCH(QString, codec);
    QFETCH(int, asked);
    QFETCH(QList<double>, partSeconds);
    const EncoderOptions options = ParseArguments(
        Args(QStringLiteral("a -o /out/j.avi -ovc lavc -lavcopts vcodec=mpeg4 -oac pcm")));
    std::vector<InputFacts> inputs = Inputs(seconds);
    for (InputFacts& input : inputs) {
        input.formatName = container.toStdString();
        input.videoCodec = codec.toStdString();
        if (container == QLatin1String("mpeg"))
            input.videoTimeBase = Rate{1, 90000};
    }
    const FfmpegPlan plan = BuildFfmpegPlan(options, inputs);
    const PartedPlan parted =
        BuildPartedPlan(plan, inputs, options.output,
                        std::vector<std::string>(std::size_t(asked), "/p"), "/s", "/l");
    QList<double> made;
    for (std::size_t i = 0; i < parted.parts(); ++i)
        made << parted.runs[i].seconds;
    QCOMPARE(made, partSeconds);
}

void TestEncoderParts::childrenRunTogetherAndFailTogether() {
    QElapsedTimer clock;
    clock.start();
    std::vector<std::string> said(2);
    const std::vector<ChildResult> results = RunTogether(
        {{"sh", "-c", "echo waiting; exec sleep 30"},
         {"sh", "-c", "sleep 0.2; echo broken >&2; exit 3"}},
        [&](std::size_t i, const std::string& chunk) { said[i] += chunk; }, nullptr, 100);
    // The failure ends the job at once: the sleeper is killed, not waited for.
    QVERIFY(clock.elapsed() < 10000);
    QCOMPARE(results.size(), std::size_t(2));
    QCOMPARE(results[0].exitCode, -1);
    QCOMPARE(results[1].exitCode, 3);
    QCOMPARE(QString::fromStdString(said[0]), QStringLiteral("waiting\n"));
    QCOMPARE(QString::fromStdString(results[1].errorText), QStringLiteral("broken\n"));

    const std::vector<ChildResult> fine =
        RunTogether({{"true"}, {"sh", "-c", "echo done"}}, nullptr, nullptr, 100);
    QCOMPARE(fine[0].exitCode, 0);
    QCOMPARE(fine[1].exitCode, 0);
    QCOMPARE(QString::fromStdString(fine[1].outputText), QStringLiteral("done\n"));
}

void TestEncoderParts::scratchFilesHaveNoName() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    {
        ScratchFile scratch(folder.path().toStdString());
        QVERIFY(scratch.isOpen());
        QVERIFY(scratch.write("longer text first"));
        QVERIFY(scratch.write("file 'a'\n"));
        // A child reads it through the inherited descriptor.
        const ChildResult read = RunAndCapture({"cat", scratch.path()});
        QCOMPARE(read.exitCode, 0);
        QCOMPARE(QString::fromStdString(read.outputText), QStringLiteral("file 'a'\n"));
        QVERIFY(QDir(folder.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    }
    QVERIFY(!ScratchFile(folder.filePath(QStringLiteral("no such folder")).toStdString()).isOpen());
    QCOMPARE(QString::fromStdString(FolderOf("/out/j.avi")), QStringLiteral("/out"));
    QCOMPARE(QString::fromStdString(FolderOf("j.avi")), QStringLiteral("."));
    QCOMPARE(QString::fromStdString(FolderOf("/j.avi")), QStringLiteral("/"));
}

QTEST_GUILESS_MAIN(TestEncoderParts)
#include "test_encoderParts.moc"
