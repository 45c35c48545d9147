#include "encoder/options.h"

#include <charconv>
#include <cmath>
#include <numeric>

namespace encoder {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        pieces.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return pieces;
        start = end + 1;
    }
}

bool ParseWhole(const std::string& text, long* value) {
    if (text.empty())
        return false;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, last, *value);
    return error == std::errc() && end == last;
}

// A whole number within [low, high]; `what` names the value in the message.
long WholeValue(const std::string& text, const std::string& what, long low, long high) {
    long value = 0;
    if (!ParseWhole(text, &value))
        throw Failure(what + " needs a whole number, not '" + text + "'");
    if (value < low || value > high)
        throw Failure(what + " must lie between " + std::to_string(low) + " and " +
                      std::to_string(high) + ", not " + text);
    return value;
}

bool ParseDecimal(const std::string& text, double* value) {
    if (text.empty())
        return false;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, *value, std::chars_format::fixed);
    return error == std::errc() && end == last && std::isfinite(*value);
}

// "30", "29.97" or "30000/1001".
Rate ParseRate(const std::string& text) {
    const auto slash = text.find('/');
    Rate rate;
    if (slash != std::string::npos) {
        if (!ParseWhole(text.substr(0, slash), &rate.num) ||
            !ParseWhole(text.substr(slash + 1), &rate.den))
            throw Failure("-ofps needs a frame rate such as 30, 29.97 or 30000/1001, not '" + text +
                          "'");
    } else {
        double value = 0;
        if (!ParseDecimal(text, &value))
            throw Failure("-ofps needs a frame rate such as 30, 29.97 or 30000/1001, not '" + text +
                          "'");
        rate.num = std::lround(value * 1000.0);
        rate.den = 1000;
    }
    if (rate.num <= 0 || rate.den <= 0 || rate.value() > 1000.0)
        throw Failure("-ofps needs a positive frame rate up to 1000, not '" + text + "'");
    const long divisor = std::gcd(rate.num, rate.den);
    rate.num /= divisor;
    rate.den /= divisor;
    return rate;
}

// "16/9", "16:9" or a decimal such as 1.7778, handed to ffmpeg as "16:9" or the decimal.
std::string ParseAspect(const std::string& text) {
    const auto separator = text.find_first_of("/:");
    if (separator != std::string::npos) {
        long num = 0;
        long den = 0;
        if (ParseWhole(text.substr(0, separator), &num) &&
            ParseWhole(text.substr(separator + 1), &den) && num > 0 && den > 0)
            return std::to_string(num) + ":" + std::to_string(den);
    } else {
        double value = 0;
        if (ParseDecimal(text, &value) && value > 0)
            return text;
    }
    throw Failure("aspect needs a ratio such as 16/9 or 1.7778, not '" + text + "'");
}

bool IsCodecName(const std::string& name) {
    if (name.empty())
        return false;
    for (const char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

// MEncoder takes a bitrate above 16000 as bit/s, anything else as kbit/s.
long VideoBitrate(const std::string& text) {
    const long value = WholeValue(text, "vbitrate", 1, 100000000);
    return value > 16000 ? value : value * 1000;
}

// A sub-option is "key" or "key=value".
struct SubOption {
    std::string key;
    std::string value;
    bool hasValue;
};

SubOption SplitSubOption(const std::string& piece) {
    const auto equals = piece.find('=');
    if (equals == std::string::npos)
        return {piece, std::string(), false};
    return {piece.substr(0, equals), piece.substr(equals + 1), true};
}

void ParseLavcOpts(const std::string& text, EncoderOptions& options) {
    options.lavcOptsGiven = true;
    const std::vector<std::string> pieces = Split(text, ':');
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string& piece = pieces[i];
        if (piece.empty())
            continue;
        const auto [key, value, hasValue] = SplitSubOption(piece);
        auto needValue = [&] {
            if (!hasValue)
                throw Failure("-lavcopts " + key + " needs a value (" + key + "=...)");
        };
        if (key == "vcodec" || key == "acodec") {
            needValue();
            if (!IsCodecName(value))
                throw Failure("-lavcopts " + key + " needs a codec name, not '" + value + "'");
            (key == "vcodec" ? options.videoCodec : options.audioCodec) = value;
        } else if (key == "vbitrate") {
            needValue();
            options.videoBitrate = VideoBitrate(value);
        } else if (key == "abitrate") {
            needValue();
            options.audioBitrate = WholeValue(value, "abitrate", 1, 10000) * 1000;
        } else if (key == "vqscale") {
            needValue();
            options.videoQuantiser = int(WholeValue(value, "vqscale", 1, 31));
        } else if (key == "mbd") {
            needValue();
            options.macroblockDecision = int(WholeValue(value, "mbd", 0, 2));
        } else if (key == "keyint") {
            needValue();
            options.keyInterval = int(WholeValue(value, "keyint", 1, 10000));
        } else if (key == "threads") {
            needValue();
            WholeValue(value, "threads", 1, 64); // ffmpeg picks its own thread count
        } else if (key == "autoaspect" && !hasValue) {
            options.autoAspect = true;
            options.aspect.reset();
        } else if (key == "aspect") {
            needValue();
            // ":" also separates the sub-options, so "aspect=16:9" arrives as
            // "aspect=16" and "9"; a bare number after a whole number joins it.
            std::string ratio = value;
            long denominator = 0;
            if (i + 1 < pieces.size() && ratio.find_first_of("/:.") == std::string::npos &&
                ParseWhole(pieces[i + 1], &denominator))
                ratio += ":" + pieces[++i];
            options.aspect = ParseAspect(ratio);
            options.autoAspect = false;
        } else if ((key == "v4mv" || key == "trell" || key == "vhq") && !hasValue) {
            // Quality hints that the chosen encoder settings already cover.
            if (key == "vhq")
                options.macroblockDecision = 2;
        } else {
            throw Failure("Unknown -lavcopts option '" + piece + "'");
        }
    }
}

void ParseLameOpts(const std::string& text, EncoderOptions& options) {
    options.lameOptsGiven = true;
    for (const std::string& piece : Split(text, ':')) {
        if (piece.empty())
            continue;
        const auto [key, value, hasValue] = SplitSubOption(piece);
        if (key == "vbr" && hasValue) {
            // LAME's numbering: 0 constant, 3 average, the others variable.
            const long mode = WholeValue(value, "vbr", 0, 4);
            options.mp3Mode = mode == 0 ? Mp3Mode::Cbr : mode == 3 ? Mp3Mode::Abr : Mp3Mode::Vbr;
        } else if ((key == "abr" || key == "cbr") && !hasValue) {
            options.mp3Mode = key == "abr" ? Mp3Mode::Abr : Mp3Mode::Cbr;
        } else if (key == "q" && hasValue) {
            options.mp3Quality = int(WholeValue(value, "q", 0, 9));
        } else if (key == "br" && hasValue) {
            options.mp3Bitrate = int(WholeValue(value, "br", 8, 320));
        } else {
            throw Failure("Unknown -lameopts option '" + piece + "'");
        }
    }
}

void ParseVideoFilter(const std::string& text, EncoderOptions& options) {
    for (const std::string& filter : Split(text, ',')) {
        const auto equals = filter.find('=');
        const std::string name = filter.substr(0, equals);
        if (name != "scale")
            throw Failure("Unsupported video filter '" + filter + "' (only scale=W:H)");
        const std::vector<std::string> size = equals == std::string::npos
                                                  ? std::vector<std::string>{}
                                                  : Split(filter.substr(equals + 1), ':');
        long width = 0;
        long height = 0;
        if (size.size() != 2 || !ParseWhole(size[0], &width) || !ParseWhole(size[1], &height) ||
            width < 2 || height < 2 || width > 8192 || height > 8192)
            throw Failure("scale needs a frame size such as scale=640:480, not '" + filter + "'");
        options.width = int(width);
        options.height = int(height);
    }
}

} // namespace

EncoderOptions ParseArguments(const std::vector<std::string>& args) {
    EncoderOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty())
            continue;
        if (arg.size() < 2 || arg[0] != '-') {
            options.inputs.push_back(arg);
            continue;
        }
        static const char* const valued[] = {"-o",    "-ovc", "-oac",      "-lavcopts", "-lameopts",
                                             "-ofps", "-vf",  "-channels", "-srate"};
        bool known = false;
        for (const char* name : valued)
            known = known || arg == name;
        if (!known)
            throw Failure("Unknown option '" + arg + "'");
        // An option left without its value at the end of the line keeps the
        // source's value: an empty sample rate in a profile ends the line in "-srate".
        if (i + 1 >= args.size())
            continue;
        const std::string& value = args[++i];
        if (arg == "-o") {
            options.output = value;
        } else if (arg == "-ovc") {
            if (value == "lavc")
                options.videoMode = VideoMode::Lavc;
            else if (value == "copy")
                options.videoMode = VideoMode::Copy;
            else
                throw Failure("Unsupported video encoder '-ovc " + value + "' (lavc or copy)");
        } else if (arg == "-oac") {
            if (value == "mp3lame")
                options.audioMode = AudioMode::Mp3Lame;
            else if (value == "pcm")
                options.audioMode = AudioMode::Pcm;
            else if (value == "lavc")
                options.audioMode = AudioMode::Lavc;
            else if (value == "copy")
                options.audioMode = AudioMode::Copy;
            else
                throw Failure("Unsupported audio encoder '-oac " + value +
                              "' (mp3lame, pcm, lavc or copy)");
        } else if (arg == "-lavcopts") {
            ParseLavcOpts(value, options);
        } else if (arg == "-lameopts") {
            ParseLameOpts(value, options);
        } else if (arg == "-ofps") {
            options.frameRate = ParseRate(value);
        } else if (arg == "-vf") {
            ParseVideoFilter(value, options);
        } else if (arg == "-channels") {
            options.channels = int(WholeValue(value, "-channels", 1, 8));
        } else if (arg == "-srate") {
            options.sampleRate = int(WholeValue(value, "-srate", 1000, 384000));
        }
    }
    if (options.inputs.empty())
        throw Failure("No input file given");
    if (options.output.empty())
        throw Failure("No output file given (-o FILE)");
    if (!options.videoMode)
        throw Failure("No video encoder selected (-ovc lavc or -ovc copy)");
    if (!options.audioMode)
        throw Failure("No audio encoder selected (-oac mp3lame, pcm, lavc or copy)");
    return options;
}

} // namespace encoder
