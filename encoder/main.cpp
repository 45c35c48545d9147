// corvane-encoder: takes the MEncoder options that Corvane passes, does the
// work with ffmpeg (one run, or parts at once for a long job), and reports in
// MEncoder's status language.

#include "encoder/childProcess.h"
#include "encoder/ffmpegCommand.h"
#include "encoder/options.h"
#include "encoder/partedPlan.h"
#include "encoder/probe.h"
#include "encoder/scratchFile.h"
#include "encoder/statusLine.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace encoder;

namespace {

// Each status line leaves in one write, so a reader sees it whole and in time.
void Say(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = write(STDOUT_FILENO, text.data() + done, text.size() - done);
        if (count <= 0)
            return;
        done += std::size_t(count);
    }
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Describe(const InputFacts& input) {
    std::string text = input.videoCodec + " " + std::to_string(input.width) + "x" +
                       std::to_string(input.height) + " " + Fixed(input.frameRate.value(), 3) +
                       " fps, " + Fixed(input.pictureSeconds(), 2) + " s";
    if (input.hasAudio)
        text += ", " + input.audioCodec + " " + std::to_string(input.sampleRate) + " Hz " +
                std::to_string(input.channels) + " ch";
    else
        text += ", no sound";
    return text;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Writing over an input while reading it would destroy the input.
void RefuseOutputOverInput(const std::string& output, const std::vector<InputFacts>& inputs) {
    struct stat out {};
    if (stat(output.c_str(), &out) != 0)
        return;
    if (S_ISDIR(out.st_mode))
        throw Failure("Cannot write '" + output + "': it is a folder");
    for (const InputFacts& input : inputs) {
        struct stat in {};
        if (stat(input.path.c_str(), &in) == 0 && in.st_dev == out.st_dev &&
            in.st_ino == out.st_ino)
            throw Failure("The output file '" + output + "' is also an input");
    }
}

// A failed run must not leave a partly written file that looks like a result;
// only files are removed, never a device the user named.
void RemovePartialOutput(const std::string& output) {
    if (IsRegularFile(output))
        unlink(output.c_str());
}

// `count` scratch files in the first of `folders` that takes them all; none
// when no folder does.
std::vector<ScratchFile> MakeScratchFiles(std::size_t count,
                                          const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::vector<ScratchFile> files;
        while (files.size() < count && files.emplace_back(folder).isOpen()) {
        }
        if (files.size() == count && files.back().isOpen())
            return files;
    }
    return {};
}

std::string TemporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// Parts are worth making only where the output can be written: a folder that
// refuses them, or an output file that refuses writing, fails at once in one
// run instead of after all the encoding.
bool OutputWritable(const std::string& output) {
    return access(output.c_str(), F_OK) != 0 || access(output.c_str(), W_OK) == 0;
}

int ProcessorCount() {
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? int(count) : 1;
}

// CORVANE_ENCODER_PARTS=N sets how many parts a job that can be cut is encoded
// in at once (1: never cut), whatever its length.
std::optional<int> ForcedParts() {
    const char* text = std::getenv("CORVANE_ENCODER_PARTS");
    if (!text || !*text)
        return std::nullopt;
    char* end = nullptr;
    const long parts = std::strtol(text, &end, 10);
    if (*end != '\0' || parts < 1 || parts > 64)
        throw Failure("CORVANE_ENCODER_PARTS must be a whole number from 1 to 64, not '" +
                      std::string(text) + "'");
    return int(parts);
}

// A run failed when ffmpeg says so by its exit status or by a failed write
// (a full disk, which it may still answer with 0).
bool RunFailed(const ChildResult& result) {
    return result.exitCode != 0 || ShowsWriteFailure(result.errorText);
}

// The reason of a failed set of runs: a run's own failure rather than the
// kill that ended the others.
const ChildResult* FailedRun(const std::vector<ChildResult>& results) {
    const ChildResult* failed = nullptr;
    for (const ChildResult& result : results) {
        if (result.exitCode > 0)
            return &result;
        if (!failed && RunFailed(result))
            failed = &result;
    }
    return failed;
}

[[noreturn]] void Fail(const ChildResult& result, const FfmpegPlan& plan,
                       const std::string& output) {
    RemovePartialOutput(output);
    throw Failure(result.exitCode == 127 &&
                          result.errorText.find("cannot start") != std::string::npos
                      ? std::string("Cannot start ffmpeg; is it installed?")
                      : ExplainFfmpegFailure(result.errorText, plan));
}

std::vector<std::string> Ffmpeg(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"ffmpeg"};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

int Encode(const std::vector<std::string>& args) {
    const EncoderOptions options = ParseArguments(args);
    const std::optional<int> forcedParts = ForcedParts();
    Say("Corvane encoder (MEncoder options, FFmpeg engine)\n");

    const std::vector<InputFacts> inputs = ProbeInputs(options.inputs);
    for (std::size_t i = 0; i < inputs.size(); ++i)
        Say("Input " + std::to_string(i + 1) + ": " + inputs[i].path + " (" + Describe(inputs[i]) +
            ")\n");
    RefuseOutputOverInput(options.output, inputs);

    char folder[4096];
    const std::string currentFolder = getcwd(folder, sizeof folder) ? folder : ".";
    FfmpegPlan plan = BuildFfmpegPlan(options, inputs, "", currentFolder);
    // Scratch files are held open until the end: they vanish with us.
    std::vector<ScratchFile> inputList;
    if (!plan.concatList.empty()) {
        inputList = MakeScratchFiles(1, {FolderOf(options.output), TemporaryFolder()});
        if (inputList.empty() || !inputList.front().write(plan.concatList))
            throw Failure("Cannot write a temporary file for the list of inputs");
        plan = BuildFfmpegPlan(options, inputs, inputList.front().path(), currentFolder);
    }
    Say("Output: " + options.output + " (" + plan.container.label + ", video " + plan.videoEncoder +
        (plan.videoEncoder == "copy"
             ? std::string()
             : " " + std::to_string(plan.width) + "x" + std::to_string(plan.height) + " " +
                   Fixed(plan.frameRate.value(), 3) + " fps") +
        ", audio " + plan.audioEncoder +
        (plan.audioEncoder == "copy" ? std::string()
                                     : " " + std::to_string(plan.sampleRate) + " Hz " +
                                           std::to_string(plan.channels) + " ch") +
        ")\n");

    // A long job is cut into parts encoded at once; one run does the rest.
    std::vector<std::vector<std::string>> runs{Ffmpeg(plan.args)};
    std::vector<std::string> assembly;
    const int parts = PartsFor(plan, ProcessorCount(), forcedParts);
    std::vector<ScratchFile> scratch;
    if (parts > 1 && OutputWritable(options.output)) {
        // The parts, the sound and the list of parts, beside the output where
        // the room for it is.
        scratch = MakeScratchFiles(std::size_t(parts) + 2, {FolderOf(options.output)});
        if (!scratch.empty()) {
            std::vector<std::string> partPaths;
            for (int i = 0; i < parts; ++i)
                partPaths.push_back(scratch[std::size_t(i)].path());
            ScratchFile& sound = scratch[std::size_t(parts)];
            ScratchFile& list = scratch[std::size_t(parts) + 1];
            const PartedPlan parted =
                BuildPartedPlan(plan, inputs, options.output, partPaths, sound.path(), list.path());
            if (parted.parts() > 1 && list.write(parted.partList)) {
                runs.clear();
                for (const PartRun& run : parted.runs)
                    runs.push_back(Ffmpeg(run.args));
                assembly = Ffmpeg(parted.assembly);
            }
        }
    }

    const auto started = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    StatusFields status;
    status.totalSeconds = plan.totalSeconds;
    status.videoKbps = plan.videoKbps;
    status.audioKbps = plan.audioKbps;
    double lastSaid = -1;
    auto sayStatus = [&] {
        status.elapsedSeconds = elapsed();
        Say(FormatStatusLine(status));
        lastSaid = status.elapsedSeconds;
    };
    // The position is what all runs have written together, and only moves
    // forward, whatever a muxer reports first.
    std::vector<ProgressReport> latest(runs.size());
    std::vector<ProgressReader> readers;
    for (std::size_t i = 0; i < runs.size(); ++i)
        readers.emplace_back([&, i](const ProgressReport& report) {
            latest[i] = report;
            ProgressReport sum;
            for (const ProgressReport& part : latest) {
                sum.seconds += part.seconds;
                sum.frames += part.frames;
                sum.bytes += part.bytes;
            }
            status.seconds = std::max(status.seconds, sum.seconds);
            status.frames = std::max(status.frames, sum.frames);
            status.bytes = std::max(status.bytes, sum.bytes);
            sayStatus();
        });
    sayStatus();

    const std::vector<ChildResult> results = RunTogether(
        runs, [&](std::size_t i, const std::string& chunk) { readers[i].feed(chunk); },
        [&] {
            // Keep talking while ffmpeg is quiet, so the reader never waits long.
            if (elapsed() - lastSaid >= 0.4)
                sayStatus();
        },
        200);
    if (const ChildResult* failed = FailedRun(results))
        Fail(*failed, plan, options.output);
    if (!assembly.empty()) {
        const ChildResult result = RunAndCapture(assembly);
        if (RunFailed(result))
            Fail(result, plan, options.output);
    }
    struct stat written {};
    if (stat(options.output.c_str(), &written) != 0 ||
        (S_ISREG(written.st_mode) && written.st_size == 0)) {
        RemovePartialOutput(options.output);
        throw Failure("ffmpeg wrote no output to '" + options.output + "'");
    }
    // The last line stands for the whole output, written.
    status.totalSeconds = status.seconds;
    sayStatus();
    Say("\n\nVideo stream: " + plan.videoEncoder + ", audio stream: " + plan.audioEncoder + ", " +
        Fixed(status.seconds, 3) + " secs, " + std::to_string(status.frames) + " frames\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Corvane hands an argument list with an empty program name; skip nothing else.
    std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    try {
        return Encode(args);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "corvane-encoder: %s\n", failure.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane-encoder: %s\n", error.what());
    }
    return 1;
}
