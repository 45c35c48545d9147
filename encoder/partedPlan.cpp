#include "encoder/partedPlan.h"

#include <algorithm>
#include <numeric>

namespace encoder {

namespace {

// Below this length the extra starts and the copying cost more than the
// parts save.
constexpr double kShortestPartedSeconds = 10.0;
// Beyond this many parts the sound run and the copying dominate.
constexpr int kMostParts = 4;

long TotalFrames(const FfmpegPlan& plan) {
    return std::accumulate(plan.pieceFrames.begin(), plan.pieceFrames.end(), 0L);
}

bool Has(const std::vector<std::string>& args, const std::string& option) {
    return std::find(args.begin(), args.end(), option) != args.end();
}

// Whether a piece can be entered at some whole second that is also a whole
// number of output frames (not so at 29.97 fps: 1001 seconds apart).
bool CanEnter(const FfmpegPlan& plan, const InputFacts& input) {
    const Rate& rate = plan.frameRate;
    return input.seeksExactly() && rate.den > 0 &&
           std::gcd(rate.num, rate.den) * 60 % rate.den == 0;
}

// Where reading a piece may start so that its frame `fromFrame` is reached
// without decoding all before it: a whole second, some way before the frame
// so the rate step finds the pictures around it, and on an output frame.
// 0 when the piece is read from its start.
long SeekSeconds(const FfmpegPlan& plan, const InputFacts& input, long fromFrame) {
    if (!CanEnter(plan, input))
        return 0;
    const Rate& rate = plan.frameRate;
    for (long seconds = long(double(fromFrame) / rate.value() - 2.0); seconds >= 1; --seconds)
        if (seconds * rate.num % rate.den == 0)
            return seconds;
    return 0;
}

// Frames [from, to) of the whole picture, from the pieces they fall in.
PartRun PictureRun(const FfmpegPlan& plan, const std::vector<InputFacts>& inputs, long from,
                   long to, const std::string& path) {
    PartRun run;
    run.args = QuietRun(true);
    std::string graph;
    std::string pieces;
    int used = 0;
    long pieceStart = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const long pieceEnd = pieceStart + plan.pieceFrames[i];
        if (pieceEnd > from && pieceStart < to) {
            const long first = std::max(from, pieceStart) - pieceStart;
            const long last = std::min(to, pieceEnd) - pieceStart;
            // After a seek the piece's times count from the seek point.
            const long seek = SeekSeconds(plan, inputs[i], first);
            const long skipped = seek * plan.frameRate.num / plan.frameRate.den;
            if (seek > 0)
                run.args.insert(run.args.end(), {"-ss", std::to_string(seek)});
            run.args.insert(run.args.end(), {"-i", FileUrl(inputs[i].path)});
            const std::string label = "[v" + std::to_string(used) + "]";
            graph +=
                VideoChain(plan, inputs[i], used, first - skipped, last - skipped) + label + ";";
            pieces += label;
            ++used;
        }
        pieceStart = pieceEnd;
    }
    graph += pieces + "concat=n=" + std::to_string(used) + ":v=1:a=0[vout]";
    run.args.insert(run.args.end(), {"-filter_complex", graph, "-map", "[vout]"});
    run.args.insert(run.args.end(), plan.videoArgs.begin(), plan.videoArgs.end());
    // Every processor has a part already; more threads would only contend.
    if (!Has(plan.videoArgs, "-threads"))
        run.args.insert(run.args.end(), {"-threads", "1"});
    const std::vector<std::string> out = OutputArgs(plan.container.muxer, path);
    run.args.insert(run.args.end(), out.begin(), out.end());
    run.seconds = double(to - from) / plan.frameRate.value();
    return run;
}

// Whether decoding a piece's picture costs little beside scaling and encoding
// it: the MPEG-1/2/4 part 2 family, as DVDs, Video CDs and older cameras write.
bool CheapToDecode(const InputFacts& input) {
    for (const char* codec : {"mpeg1video", "mpeg2video", "mpeg4", "msmpeg4v1", "msmpeg4v2",
                              "msmpeg4v3", "wmv1", "wmv2", "h263", "flv1", "mjpeg"})
        if (input.videoCodec == codec)
            return true;
    return false;
}

// Where to cut the picture into `parts`: equal stretches, except that a cut
// inside an input that can neither be entered at a whole second nor cheaply
// decoded from its start by a second part moves to that input's nearer end.
// Cuts that meet merge, so there may be fewer parts.
std::vector<long> Cuts(const FfmpegPlan& plan, const std::vector<InputFacts>& inputs, long parts) {
    const long total = TotalFrames(plan);
    std::vector<long> cuts{0};
    for (long p = 1; p < parts; ++p) {
        long cut = total * p / parts;
        long pieceStart = 0;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const long pieceEnd = pieceStart + plan.pieceFrames[i];
            if (cut > pieceStart && cut < pieceEnd && !CanEnter(plan, inputs[i]) &&
                !CheapToDecode(inputs[i]))
                cut = cut - pieceStart <= pieceEnd - cut ? pieceStart : pieceEnd;
            pieceStart = pieceEnd;
        }
        if (cut > cuts.back() && cut < total)
            cuts.push_back(cut);
    }
    cuts.push_back(total);
    return cuts;
}

PartRun SoundRun(const FfmpegPlan& plan, const std::vector<InputFacts>& inputs,
                 const std::string& path) {
    PartRun run;
    run.args = QuietRun(false);
    std::string graph;
    std::string pieces;
    int used = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        // Only inputs with sound are read; the others give silence.
        if (inputs[i].hasAudio)
            run.args.insert(run.args.end(), {"-i", FileUrl(inputs[i].path)});
        const std::string label = "[a" + std::to_string(i) + "]";
        graph += SoundChain(plan, inputs[i], used, plan.pieceFrames[i]) + label + ";";
        pieces += label;
        if (inputs[i].hasAudio)
            ++used;
    }
    graph += pieces + "concat=n=" + std::to_string(inputs.size()) + ":v=0:a=1[aout]";
    run.args.insert(run.args.end(), {"-filter_complex", graph, "-map", "[aout]"});
    run.args.insert(run.args.end(), plan.audioArgs.begin(), plan.audioArgs.end());
    // In the output's own container the sound keeps what that container records
    // beside the packets (an MP4's skipped encoder delay, a WMA's block size),
    // and the copy into the output finds it there.
    const std::vector<std::string> out = OutputArgs(plan.container.muxer, path);
    run.args.insert(run.args.end(), out.begin(), out.end());
    return run;
}

} // namespace

int PartsFor(const FfmpegPlan& plan, int processors, std::optional<int> forced) {
    // MPEG program streams leave most packets without a time of their own;
    // copied from parts, the picture comes out frames short as players count it.
    const std::string& muxer = plan.container.muxer;
    if (plan.pieceFrames.empty() || !IsMpegVideoFamily(plan.videoEncoder) || muxer == "mpeg" ||
        muxer == "vob")
        return 1;
    int parts = 1;
    if (forced)
        parts = *forced;
    else if (plan.totalSeconds >= kShortestPartedSeconds)
        parts = std::min(processors, kMostParts);
    return int(std::clamp<long>(parts, 1, TotalFrames(plan)));
}

PartedPlan BuildPartedPlan(const FfmpegPlan& plan, const std::vector<InputFacts>& inputs,
                           const std::string& output, const std::vector<std::string>& partPaths,
                           const std::string& soundPath, const std::string& listPath) {
    PartedPlan parted;
    const std::vector<long> cuts = Cuts(plan, inputs, long(partPaths.size()));
    for (std::size_t p = 0; p + 1 < cuts.size(); ++p) {
        parted.runs.push_back(PictureRun(plan, inputs, cuts[p], cuts[p + 1], partPaths[p]));
        parted.partList += ConcatListEntry(partPaths[p]);
    }
    parted.runs.push_back(SoundRun(plan, inputs, soundPath));

    parted.assembly = QuietRun(false);
    parted.assembly.insert(parted.assembly.end(),
                           {"-f", "concat", "-safe", "0", "-i", FileUrl(listPath), "-i",
                            FileUrl(soundPath), "-map", "0:v:0", "-map", "1:a:0", "-c", "copy"});
    const std::vector<std::string> out = OutputArgs(plan.container.muxer, output);
    parted.assembly.insert(parted.assembly.end(), out.begin(), out.end());
    return parted;
}

} // namespace encoder
