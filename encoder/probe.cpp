#include "encoder/probe.h"

#include "encoder/childProcess.h"
#include "encoder/ffmpegCommand.h"

#include <atomic>
#include <charconv>
#include <exception>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace encoder {

namespace {

using Fields = std::map<std::string, std::string>;

double Seconds(const Fields& fields, const std::string& key) {
    const auto it = fields.find(key);
    if (it == fields.end())
        return -1;
    double value = 0;
    const std::string& text = it->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

long Whole(const Fields& fields, const std::string& key) {
    const auto it = fields.find(key);
    if (it == fields.end())
        return -1;
    long value = 0;
    const std::string& text = it->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

std::string Text(const Fields& fields, const std::string& key) {
    const auto it = fields.find(key);
    return it == fields.end() ? std::string() : it->second;
}

// "25/1", "16:9": two positive whole numbers, or nothing.
bool Ratio(const std::string& text, long* num, long* den) {
    const auto separator = text.find_first_of("/:");
    if (separator == std::string::npos)
        return false;
    Fields split{{"n", text.substr(0, separator)}, {"d", text.substr(separator + 1)}};
    const long n = Whole(split, "n");
    const long d = Whole(split, "d");
    if (n <= 0 || d <= 0)
        return false;
    *num = n;
    *den = d;
    return true;
}

Fields ParseLine(const std::string& line) {
    Fields fields;
    std::stringstream stream(line);
    std::string piece;
    while (std::getline(stream, piece, '|')) {
        const auto equals = piece.find('=');
        if (equals != std::string::npos)
            fields[piece.substr(0, equals)] = piece.substr(equals + 1);
    }
    return fields;
}

} // namespace

double InputFacts::pictureSeconds() const {
    const double lead = videoStart > formatStart ? videoStart - formatStart : 0.0;
    if (videoPackets > 0 && frameRate.num > 0)
        return lead + double(videoPackets) / frameRate.value();
    if (videoDuration > 0)
        return lead + videoDuration;
    return formatDuration;
}

bool InputFacts::seeksExactly() const {
    // Containers that give every picture its own time; MPEG program and
    // transport streams time only some and land near, not on, a seek point.
    const std::string container = formatName.substr(0, formatName.find(','));
    const bool timed = container == "avi" || container == "asf" || container == "mov" ||
                       container == "matroska" || container == "flv";
    // Whole seconds must be whole ticks, or the shifted times round differently.
    return timed && videoTimeBase.num == 1 && videoTimeBase.den > 0;
}

double InputFacts::displayAspect() const {
    if (width <= 0 || height <= 0)
        return 0;
    return double(width) * double(sarNum) / (double(height) * double(sarDen));
}

InputFacts ParseProbeOutput(const std::string& path, const std::string& text) {
    InputFacts facts;
    facts.path = path;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        const auto bar = line.find('|');
        const std::string section = line.substr(0, bar);
        const Fields fields = ParseLine(line);
        if (section == "format") {
            facts.formatName = Text(fields, "format_name");
            facts.formatStart = std::max(0.0, Seconds(fields, "start_time"));
            facts.formatDuration = Seconds(fields, "duration");
        } else if (section == "stream") {
            const std::string type = Text(fields, "codec_type");
            // A cover picture is a video stream of one frame, not the picture.
            if (type == "video" && !facts.hasVideo &&
                Text(fields, "disposition:attached_pic") != "1") {
                facts.hasVideo = true;
                facts.videoCodec = Text(fields, "codec_name");
                facts.width = int(Whole(fields, "width"));
                facts.height = int(Whole(fields, "height"));
                if (!Ratio(Text(fields, "sample_aspect_ratio"), &facts.sarNum, &facts.sarDen))
                    facts.sarNum = facts.sarDen = 1;
                if (!Ratio(Text(fields, "avg_frame_rate"), &facts.frameRate.num,
                           &facts.frameRate.den))
                    Ratio(Text(fields, "r_frame_rate"), &facts.frameRate.num, &facts.frameRate.den);
                facts.videoStart = Seconds(fields, "start_time");
                facts.videoDuration = Seconds(fields, "duration");
                facts.videoPackets = Whole(fields, "nb_read_packets");
                if (!Ratio(Text(fields, "time_base"), &facts.videoTimeBase.num,
                           &facts.videoTimeBase.den))
                    facts.videoTimeBase = Rate{};
            } else if (type == "audio" && !facts.hasAudio) {
                facts.hasAudio = true;
                facts.audioCodec = Text(fields, "codec_name");
                facts.sampleRate = int(Whole(fields, "sample_rate"));
                facts.channels = int(Whole(fields, "channels"));
            }
        }
    }
    return facts;
}

InputFacts ProbeInput(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        throw Failure("Cannot read input '" + path + "': no such file");
    if (!S_ISREG(info.st_mode))
        throw Failure("Cannot read input '" + path + "': not a regular file");
    const ChildResult result = RunAndCapture(
        {"ffprobe", "-v", "error", "-count_packets", "-show_entries",
         "stream=index,codec_type,codec_name,width,height,sample_aspect_ratio,r_frame_rate,"
         "avg_frame_rate,time_base,sample_rate,channels,start_time,duration,nb_read_packets:"
         "stream_disposition=attached_pic:format=format_name,start_time,duration",
         "-of", "compact", FileUrl(path)});
    if (result.exitCode != 0) {
        std::string reason = LastLine(result.errorText);
        // ffprobe starts its message with the file's URL; the message names the file already.
        const std::string url = FileUrl(path) + ": ";
        if (reason.rfind(url, 0) == 0)
            reason.erase(0, url.size());
        throw Failure("Cannot read input '" + path +
                      "': " + (reason.empty() ? std::string("not a video file") : reason));
    }
    InputFacts facts = ParseProbeOutput(path, result.outputText);
    if (!facts.hasVideo)
        throw Failure("Cannot read input '" + path + "': it holds no video stream");
    if (facts.width <= 0 || facts.height <= 0)
        throw Failure("Cannot read input '" + path + "': its picture has no frame size");
    return facts;
}

std::vector<InputFacts> ProbeInputs(const std::vector<std::string>& paths) {
    std::vector<InputFacts> facts(paths.size());
    std::vector<std::exception_ptr> failures(paths.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < paths.size(); i = next++) {
            try {
                facts[i] = ProbeInput(paths[i]);
            } catch (...) {
                failures[i] = std::current_exception();
            }
        }
    };
    std::vector<std::thread> workers;
    const std::size_t count = std::min<std::size_t>(4, paths.size());
    for (std::size_t i = 1; i < count; ++i)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
    return facts;
}

} // namespace encoder
