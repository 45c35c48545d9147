// corvane-encoder: takes the MEncoder options that Corvane passes, does the
// work with one ffmpeg run, and reports in MEncoder's status language.

#include "encoder/childProcess.h"
#include "encoder/ffmpegCommand.h"
#include "encoder/options.h"
#include "encoder/probe.h"
#include "encoder/statusLine.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
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

std::string WriteConcatList(const std::string& text) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/corvane-encoder-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        throw Failure("Cannot write a temporary file in " + std::string(tmp ? tmp : "/tmp"));
    const bool written = write(fd, text.data(), text.size()) == ssize_t(text.size());
    close(fd);
    if (!written) {
        unlink(name.data());
        throw Failure("Cannot write a temporary file in " + std::string(tmp ? tmp : "/tmp"));
    }
    return name.data();
}

int Encode(const std::vector<std::string>& args) {
    const EncoderOptions options = ParseArguments(args);
    Say("Corvane encoder (MEncoder options, FFmpeg engine)\n");

    const std::vector<InputFacts> inputs = ProbeInputs(options.inputs);
    for (std::size_t i = 0; i < inputs.size(); ++i)
        Say("Input " + std::to_string(i + 1) + ": " + inputs[i].path + " (" + Describe(inputs[i]) +
            ")\n");
    RefuseOutputOverInput(options.output, inputs);

    std::string listPath;
    char folder[4096];
    const std::string currentFolder = getcwd(folder, sizeof folder) ? folder : ".";
    FfmpegPlan plan = BuildFfmpegPlan(options, inputs, "", currentFolder);
    if (!plan.concatList.empty()) {
        listPath = WriteConcatList(plan.concatList);
        plan = BuildFfmpegPlan(options, inputs, listPath, currentFolder);
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
    ProgressReader reader([&](const ProgressReport& report) {
        // The position only moves forward, whatever the muxer reports first.
        status.seconds = std::max(status.seconds, report.seconds);
        status.frames = std::max(status.frames, report.frames);
        status.bytes = std::max(status.bytes, report.bytes);
        sayStatus();
    });
    sayStatus();

    std::vector<std::string> argv{"ffmpeg"};
    argv.insert(argv.end(), plan.args.begin(), plan.args.end());
    const ChildResult result = RunStreaming(
        argv, [&](const std::string& chunk) { reader.feed(chunk); },
        [&] {
            // Keep talking while ffmpeg is quiet, so the reader never waits long.
            if (elapsed() - lastSaid >= 0.4)
                sayStatus();
        },
        200);
    if (!listPath.empty())
        unlink(listPath.c_str());

    if (result.exitCode != 0 || ShowsWriteFailure(result.errorText)) {
        RemovePartialOutput(options.output);
        throw Failure(result.exitCode == 127 &&
                              result.errorText.find("cannot start") != std::string::npos
                          ? std::string("Cannot start ffmpeg; is it installed?")
                          : ExplainFfmpegFailure(result.errorText, plan));
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
