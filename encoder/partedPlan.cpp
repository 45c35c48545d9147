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

std::vector<std::string> OutputArgs(const std::string& muxer, const std::string& path) {
    return {"-max_muxing_queue_size", "4096", "-f", muxer, "-y", FileUrl(path)};
}

bool Has(const std::vector<std::string>& args, const std::string& option) {
    return std::find(args.begin(), args.end(), option) != args.end();
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
            run.args.insert(run.args.end(), {"-i", FileUrl(inputs[i].path)});
            const std::string label = "[v" + std::to_string(used) + "]";
            graph += VideoChain(plan, inputs[i], used, std::max(from, pieceStart) - pieceStart,
                                std::min(to, pieceEnd) - pieceStart) +
                     label + ";";
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
    if (plan.pieceFrames.empty() || !plan.concatList.empty() ||
        !IsMpegVideoFamily(plan.videoEncoder) || muxer == "mpeg" || muxer == "vob")
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
    const long total = TotalFrames(plan);
    const long parts = long(partPaths.size());
    for (long p = 0; p < parts; ++p) {
        const std::string& path = partPaths[std::size_t(p)];
        parted.runs.push_back(
            PictureRun(plan, inputs, total * p / parts, total * (p + 1) / parts, path));
        parted.partList += ConcatListEntry(path);
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
