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

    // A filtered job, piece by piece, so it can also be encoded in parts;
    // empty for a job that copies a stream.
    std::vector<long> pieceFrames;      // each input's picture, in output frames
    std::vector<std::string> videoArgs; // the video encoder and its settings
    std::vector<std::string> audioArgs; // the audio encoder and its settings
};

// Builds the ffmpeg run from the parsed options and the facts of every input.
// `concatListPath` is where the caller will write plan.concatList when a
// stream is copied; `currentFolder` completes relative input paths in that
// list. Pure: tested without running anything.
FfmpegPlan BuildFfmpegPlan(const EncoderOptions& options, const std::vector<InputFacts>& inputs,
                           const std::string& concatListPath = {},
                           const std::string& currentFolder = {});

// The filters for frames [fromFrame, toFrame) of one input's picture, read
// from ffmpeg input `inputIndex`: scaled, brought to the output rate from the
// start of the file and held to whole frames, so pieces cut anywhere fit
// together frame for frame. Ends without an output label.
std::string VideoChain(const FfmpegPlan& plan, const InputFacts& input, int inputIndex,
                       long fromFrame, long toFrame);

// The filters for one input's sound lasting `frames` output frames: resampled,
// gaps filled, padded or cut to exactly the picture's length (silence for an
// input without sound), so every piece starts in step. Ends without a label.
std::string SoundChain(const FfmpegPlan& plan, const InputFacts& input, int inputIndex,
                       long frames);

// Whether an ffmpeg encoder is one of libavcodec's MPEG video family, which
// shares its options and writes no reordered (B) frames unless asked to.
bool IsMpegVideoFamily(const std::string& encoder);

// ffmpeg reads "name:rest" as a protocol; "file:" keeps every path a file.
std::string FileUrl(const std::string& path);

// ffmpeg's last options: write `path` with `muxer`, replacing it, with room to
// queue packets while a slow stream catches up.
std::vector<std::string> OutputArgs(const std::string& muxer, const std::string& path);

// ffmpeg's first options for a run that only speaks of errors; with progress
// it reports on standard output four times a second.
std::vector<std::string> QuietRun(bool reportProgress);

// One line of the concat demuxer's file list naming `path`, quoted.
std::string ConcatListEntry(const std::string& path);

} // namespace encoder

namespace encoder {

// Turns what ffmpeg wrote to standard error on a failed run into one line for
// the user: a codec the container cannot hold is named with the container.
std::string ExplainFfmpegFailure(const std::string& errorText, const FfmpegPlan& plan);

// Whether ffmpeg's error text shows a failed write (a full disk) even when
// its exit status does not.
bool ShowsWriteFailure(const std::string& errorText);

} // namespace encoder
