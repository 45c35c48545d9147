#pragma once

#include "encoder/ffmpegCommand.h"
#include "encoder/probe.h"

#include <optional>
#include <string>
#include <vector>

namespace encoder {

// ffmpeg 5 filters and encodes one frame after another on one thread, so a
// long job leaves the other processors idle. The same job can instead run as
// several ffmpeg processes at once: each encodes one stretch of the picture
// into a part file, one more encodes all the sound, and a last, short run
// copies the parts one after another and the sound into the output.
struct PartRun {
    std::vector<std::string> args; // ffmpeg's arguments, without the program name
    double seconds = 0;            // the picture this run writes; 0 for the sound
};

struct PartedPlan {
    std::vector<PartRun> runs; // the picture's parts in order, then the sound
    std::size_t parts() const { return runs.empty() ? 0 : runs.size() - 1; }
    std::string partList;              // the concat demuxer's list of the part files
    std::vector<std::string> assembly; // the run that puts parts and sound together
};

// How many parts to encode at once: one per processor for a long filtered job
// whose video encoder starts each part afresh without harm (no reordered
// frames) and whose container keeps every packet's time, else 1. `forced` (when set) replaces the
// choice for any job that can be cut, which lets a short job be cut too.
int PartsFor(const FfmpegPlan& plan, int processors, std::optional<int> forced);

// Cuts `plan`'s picture into as many stretches of nearly equal frame counts
// as there are part paths, or fewer: a cut never falls inside an input that
// can neither be entered at a whole second (see InputFacts::seeksExactly)
// nor be decoded cheaply from its start. Part i
// is written to partPaths[i], the sound to `soundPath` (both in the output's
// container), and the list the assembly reads to `listPath`. Pure: tested
// without running anything.
PartedPlan BuildPartedPlan(const FfmpegPlan& plan, const std::vector<InputFacts>& inputs,
                           const std::string& output, const std::vector<std::string>& partPaths,
                           const std::string& soundPath, const std::string& listPath);

} // namespace encoder
