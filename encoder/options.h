#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace encoder {

// Every failure the encoder reports: one line for standard error.
class Failure final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class VideoMode { Lavc, Copy };
enum class AudioMode { Mp3Lame, Pcm, Lavc, Copy };
enum class Mp3Mode { Vbr, Abr, Cbr };

// A frame rate as a fraction, so 30000/1001 stays exact.
struct Rate {
    long num = 0;
    long den = 1;
    double value() const { return den ? double(num) / double(den) : 0.0; }
};

// The MEncoder command line Corvane passes, parsed. Unset optionals keep the
// source's value (or the encoder's default).
struct EncoderOptions {
    std::vector<std::string> inputs;
    std::string output;

    std::optional<VideoMode> videoMode;
    std::optional<AudioMode> audioMode;

    // -lavcopts, video side
    bool lavcOptsGiven = false; // no -lavcopts at all: an intermediate of the conversion pass
    std::optional<std::string> videoCodec;
    std::optional<long> videoBitrate; // bit/s
    std::optional<int> videoQuantiser;
    std::optional<int> macroblockDecision;
    std::optional<int> keyInterval;
    bool autoAspect = false;
    std::optional<std::string> aspect; // "16:9" or a decimal, ready for ffmpeg
    // -lavcopts, audio side
    std::optional<std::string> audioCodec;
    std::optional<long> audioBitrate; // bit/s

    // -lameopts
    bool lameOptsGiven = false;
    Mp3Mode mp3Mode = Mp3Mode::Vbr;
    std::optional<int> mp3Quality;
    std::optional<int> mp3Bitrate; // kbit/s

    std::optional<Rate> frameRate;
    std::optional<int> width;
    std::optional<int> height;
    std::optional<int> channels;
    std::optional<int> sampleRate;
};

// Parses the arguments after the program name. Throws Failure with a one-line
// reason for an unknown option or a malformed value.
EncoderOptions ParseArguments(const std::vector<std::string>& args);

} // namespace encoder
