#pragma once

#include "encoder/options.h"
#include "encoder/probe.h"

#include <string>
#include <vector>

namespace encoder {

// Where the output goes, chosen by the output file's extension.
struct Container {
    std::string muxer; // ffmpeg's format name
    std::string label; // for messages: "AVI", "MP4", ...
};
Container ContainerFor(const std::string& outputPath, const std::string& videoEncoder);

// One ffmpeg run that does the whole job, and what the status lines need.
struct FfmpegPlan {
    std::vector<std::string> args; // ffmpeg's arguments, without the program name
    double totalSeconds = 0;       // the output's expected length
    Container container;
    std::string videoEncoder; // ffmpeg encoder names, or "copy"
    std::string audioEncoder;
    long videoKbps = 0; // for the status line; 0 when not fixed
    long audioKbps = 0;
    int width = 0;
    int height = 0;
    Rate frameRate;
    int sampleRate = 0;
    int channels = 0;
    std::string concatList; // the concat demuxer's file list, for copied streams
};

// Builds the ffmpeg run from the parsed options and the facts of every input.
// `concatListPath` is where the caller will write plan.concatList when a
// stream is copied; `currentFolder` completes relative input paths in that
// list. Pure: tested without running anything.
FfmpegPlan BuildFfmpegPlan(const EncoderOptions& options, const std::vector<InputFacts>& inputs,
                           const std::string& concatListPath = {},
                           const std::string& currentFolder = {});

// ffmpeg reads "name:rest" as a protocol; "file:" keeps every path a file.
std::string FileUrl(const std::string& path);

} // namespace encoder

namespace encoder {

// Turns what ffmpeg wrote to standard error on a failed run into one line for
// the user: a codec the container cannot hold is named with the container.
std::string ExplainFfmpegFailure(const std::string& errorText, const FfmpegPlan& plan);

// Whether ffmpeg's error text shows a failed write (a full disk) even when
// its exit status does not.
bool ShowsWriteFailure(const std::string& errorText);

} // namespace encoder
