#include "encoder/ffmpegCommand.h"

#include <cmath>
#include <cstdio>

namespace encoder {

namespace {

std::string LowerExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return ext;
}

std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

std::string RateText(const Rate& rate) {
    return std::to_string(rate.num) + "/" + std::to_string(rate.den);
}

std::string ChannelLayout(int channels) {
    static const char* const names[] = {"mono", "stereo", "2.1", "quad",
                                        "5.0",  "5.1",    "6.1", "7.1"};
    return channels >= 1 && channels <= 8 ? names[channels - 1] : "stereo";
}

// MEncoder's libavcodec names mostly equal ffmpeg's encoder names; these differ.
std::string VideoEncoder(const std::string& name) {
    if (name == "h264" || name == "x264")
        return "libx264";
    if (name == "msmpeg4v3")
        return "msmpeg4";
    if (name == "xvid")
        return "libxvid";
    return name;
}

std::string PcmEncoder(const std::string& muxer) {
    // MPEG program streams carry big-endian LPCM; every other container little-endian.
    return muxer == "mpeg" || muxer == "vob" ? "pcm_s16be" : "pcm_s16le";
}

std::string AudioEncoder(const std::string& name, const std::string& muxer) {
    if (name == "mp3")
        return "libmp3lame";
    if (name == "vorbis")
        return "libvorbis";
    if (name == "opus")
        return "libopus";
    if (name == "pcm")
        return PcmEncoder(muxer);
    return name;
}

} // namespace

bool IsMpegVideoFamily(const std::string& encoder) {
    for (const char* name : {"mpeg1video", "mpeg2video", "mpeg4", "msmpeg4", "msmpeg4v2", "wmv1",
                             "wmv2", "flv", "h263", "h263p"})
        if (encoder == name)
            return true;
    return false;
}

std::string FileUrl(const std::string& path) {
    return "file:" + path;
}

std::vector<std::string> OutputArgs(const std::string& muxer, const std::string& path) {
    return {"-max_muxing_queue_size", "4096", "-f", muxer, "-y", FileUrl(path)};
}

std::vector<std::string> QuietRun(bool reportProgress) {
    std::vector<std::string> args{"-hide_banner", "-nostdin", "-loglevel", "error", "-nostats"};
    if (reportProgress)
        args.insert(args.end(), {"-progress", "pipe:1", "-stats_period", "0.25"});
    return args;
}

std::string ConcatListEntry(const std::string& path) {
    std::string quoted;
    for (const char c : path) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return "file '" + FileUrl(quoted) + "'\n";
}

Container ContainerFor(const std::string& outputPath, const std::string& videoEncoder) {
    const std::string ext = LowerExtension(outputPath);
    if (ext == "mpg" || ext == "mpeg") {
        // MPEG-1 video goes into an MPEG-1 system stream; anything else needs MPEG-2's.
        return videoEncoder == "mpeg1video" ? Container{"mpeg", "MPEG program stream"}
                                            : Container{"vob", "MPEG program stream"};
    }
    if (ext == "vob")
        return {"vob", "VOB"};
    if (ext == "mp4")
        return {"mp4", "MP4"};
    if (ext == "mov")
        return {"mov", "QuickTime"};
    if (ext == "wmv" || ext == "asf")
        return {"asf", "ASF"};
    if (ext == "flv")
        return {"flv", "FLV"};
    return {"avi", "AVI"};
}

std::string VideoChain(const FfmpegPlan& plan, const InputFacts& input, int inputIndex,
                       long fromFrame, long toFrame) {
    const std::string rate = RateText(plan.frameRate);
    std::string chain = "[" + std::to_string(inputIndex) + ":v:0]";
    // A piece that starts late skips the source's earlier pictures before the
    // costly scaling; the margin leaves the rate step the neighbours it picks from.
    const double sourceStep = input.frameRate.num > 0 ? 1.0 / input.frameRate.value() : 1.0;
    const double skip = double(fromFrame) / plan.frameRate.value() - 2.0 - 2.0 * sourceStep;
    if (fromFrame > 0 && skip > 0)
        chain += "trim=start=" + Number(skip) + ",";
    chain += "scale=" + std::to_string(plan.width) + ":" + std::to_string(plan.height) +
             ",setsar=1,fps=fps=" + rate + ":start_time=0,format=yuv420p," +
             "tpad=stop=-1:stop_mode=clone,trim=";
    if (fromFrame > 0)
        chain += "start_frame=" + std::to_string(fromFrame) + ":";
    chain += "end_frame=" + std::to_string(toFrame);
    if (fromFrame > 0)
        chain += ",setpts=PTS-STARTPTS";
    return chain;
}

std::string SoundChain(const FfmpegPlan& plan, const InputFacts& input, int inputIndex,
                       long frames) {
    const long samples = std::lround(double(frames) * plan.sampleRate * double(plan.frameRate.den) /
                                     double(plan.frameRate.num));
    const std::string layout = ChannelLayout(plan.channels);
    std::string chain;
    if (input.hasAudio)
        chain = "[" + std::to_string(inputIndex) +
                ":a:0]aresample=" + std::to_string(plan.sampleRate) +
                ":async=1:first_pts=0,aformat=channel_layouts=" + layout + ",apad,";
    else
        chain = "anullsrc=r=" + std::to_string(plan.sampleRate) + ":cl=" + layout + ",";
    return chain + "atrim=end_sample=" + std::to_string(samples);
}

FfmpegPlan BuildFfmpegPlan(const EncoderOptions& options, const std::vector<InputFacts>& inputs,
                           const std::string& concatListPath, const std::string& currentFolder) {
    FfmpegPlan plan;
    const InputFacts& first = inputs.front();
    const bool copyVideo = options.videoMode == VideoMode::Copy;
    const bool copyAudio = options.audioMode == AudioMode::Copy;

    // Video encoder and output geometry.
    plan.videoEncoder = copyVideo ? "copy" : VideoEncoder(options.videoCodec.value_or("mpeg4"));
    plan.container = ContainerFor(options.output, plan.videoEncoder);
    const std::string& muxer = plan.container.muxer;
    plan.width = options.width.value_or(first.width);
    plan.height = options.height.value_or(first.height);
    plan.frameRate = options.frameRate.value_or(first.frameRate);
    if (plan.frameRate.num <= 0)
        plan.frameRate = Rate{25, 1};

    // Audio format: the options, else the first input that has sound.
    const InputFacts* firstAudio = nullptr;
    for (const InputFacts& input : inputs)
        if (input.hasAudio && !firstAudio)
            firstAudio = &input;
    plan.sampleRate = options.sampleRate.value_or(
        firstAudio && firstAudio->sampleRate > 0 ? firstAudio->sampleRate : 44100);
    plan.channels = options.channels.value_or(
        firstAudio && firstAudio->channels > 0 ? std::min(firstAudio->channels, 8) : 2);

    std::vector<std::string> codecArgs;
    // Video encoder settings.
    if (copyVideo) {
        codecArgs = {"-c:v", "copy"};
    } else {
        codecArgs = {"-c:v", plan.videoEncoder};
        const bool mpegFamily = IsMpegVideoFamily(plan.videoEncoder);
        if (!options.lavcOptsGiven) {
            // An intermediate: encoded once more by the join, so a fixed low
            // quantiser keeps it close to the source while staying cheap to make.
            // "fast" trades a few bits for speed, which an intermediate can spare.
            // One thread: at this quantiser slice threads cost a quarter more
            // work than they save, which shows as soon as the cores are busy.
            codecArgs.insert(codecArgs.end(),
                             {"-q:v", "4", "-g", "300", "-flags2", "+fast", "-threads", "1"});
        } else {
            if (options.videoQuantiser) {
                codecArgs.insert(codecArgs.end(),
                                 {"-q:v", std::to_string(*options.videoQuantiser)});
            } else {
                const long bitrate = options.videoBitrate.value_or(800000);
                plan.videoKbps = bitrate / 1000;
                codecArgs.insert(codecArgs.end(), {"-b:v", std::to_string(bitrate)});
            }
            if (mpegFamily && options.macroblockDecision) {
                static const char* const modes[] = {"simple", "bits", "rd"};
                codecArgs.insert(codecArgs.end(), {"-mbd", modes[*options.macroblockDecision]});
            }
            // MEncoder's key frame interval is 250 frames; libavcodec's own 12
            // wastes the bitrate on key frames. MPEG-1/2 keep short groups for players.
            if (options.keyInterval)
                codecArgs.insert(codecArgs.end(), {"-g", std::to_string(*options.keyInterval)});
            else if (mpegFamily && plan.videoEncoder != "mpeg1video" &&
                     plan.videoEncoder != "mpeg2video")
                codecArgs.insert(codecArgs.end(), {"-g", "250"});
        }
        if (plan.videoEncoder == "libx264")
            codecArgs.insert(codecArgs.end(), {"-preset", "veryfast"});
        if (options.aspect) {
            codecArgs.insert(codecArgs.end(), {"-aspect", *options.aspect});
        } else if (options.autoAspect && first.displayAspect() > 0) {
            codecArgs.insert(codecArgs.end(), {"-aspect", Number(first.displayAspect())});
        }
    }

    // Audio encoder settings.
    const std::size_t audioArgsStart = codecArgs.size();
    switch (*options.audioMode) {
    case AudioMode::Copy:
        plan.audioEncoder = "copy";
        break;
    case AudioMode::Pcm:
        plan.audioEncoder = PcmEncoder(muxer);
        plan.audioKbps = long(plan.sampleRate) * plan.channels * 16 / 1000;
        break;
    case AudioMode::Mp3Lame:
        plan.audioEncoder = "libmp3lame";
        break;
    case AudioMode::Lavc:
        plan.audioEncoder = AudioEncoder(options.audioCodec.value_or("mp2"), muxer);
        break;
    }
    codecArgs.insert(codecArgs.end(), {"-c:a", plan.audioEncoder});
    if (options.audioMode == AudioMode::Mp3Lame) {
        if (!options.lameOptsGiven) {
            plan.audioKbps = 192; // intermediates: transparent constant bitrate
            // LAME's quality 7 is twice as fast as its default and still clean at 192 kbit/s.
            codecArgs.insert(codecArgs.end(), {"-b:a", "192k", "-compression_level", "7"});
        } else if (options.mp3Mode == Mp3Mode::Vbr) {
            codecArgs.insert(codecArgs.end(),
                             {"-q:a", std::to_string(options.mp3Quality.value_or(4))});
        } else {
            plan.audioKbps = options.mp3Bitrate.value_or(128);
            codecArgs.insert(codecArgs.end(), {"-b:a", std::to_string(plan.audioKbps) + "k"});
            if (options.mp3Mode == Mp3Mode::Abr)
                codecArgs.insert(codecArgs.end(), {"-abr", "1"});
        }
    } else if (options.audioMode == AudioMode::Lavc && plan.audioEncoder.rfind("pcm_", 0) != 0) {
        const long bitrate = options.audioBitrate.value_or(224000);
        plan.audioKbps = bitrate / 1000;
        codecArgs.insert(codecArgs.end(), {"-b:a", std::to_string(bitrate)});
    }

    const auto audioArgsAt = codecArgs.begin() + std::ptrdiff_t(audioArgsStart);
    std::vector<std::string>& args = plan.args;
    args = QuietRun(true);

    if (copyVideo || copyAudio) {
        // Copied streams cannot pass through filters, so the inputs are joined
        // by the concat demuxer; they must share their stream layout.
        for (const InputFacts& input : inputs) {
            // The list names files relative to its own folder, so give it whole paths.
            const std::string path =
                input.path.front() == '/' ? input.path : currentFolder + "/" + input.path;
            plan.concatList += ConcatListEntry(path);
            plan.totalSeconds += std::max(0.0, input.formatDuration);
        }
        args.insert(args.end(), {"-f", "concat", "-safe", "0", "-i", FileUrl(concatListPath),
                                 "-map", "0:v:0", "-map", "0:a:0?"});
        if (!copyVideo)
            args.insert(args.end(), {"-vf", "scale=" + std::to_string(plan.width) + ":" +
                                                std::to_string(plan.height) + ",setsar=1,fps=" +
                                                RateText(plan.frameRate) + ",format=yuv420p"});
        if (!copyAudio)
            args.insert(args.end(),
                        {"-af", "aresample=" + std::to_string(plan.sampleRate) +
                                    ",aformat=channel_layouts=" + ChannelLayout(plan.channels)});
    } else {
        // One graph: every input's picture and sound, then all pieces concatenated.
        std::string graph;
        std::string pieces;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const InputFacts& input = inputs[i];
            args.insert(args.end(), {"-i", FileUrl(input.path)});
            const long frames =
                std::max(1L, std::lround(input.pictureSeconds() * plan.frameRate.value()));
            plan.pieceFrames.push_back(frames);
            plan.totalSeconds += double(frames) / plan.frameRate.value();
            const std::string n = std::to_string(i);
            graph += VideoChain(plan, input, int(i), 0, frames) + "[v" + n + "];";
            graph += SoundChain(plan, input, int(i), frames) + "[a" + n + "];";
            pieces += "[v" + n + "][a" + n + "]";
        }
        graph += pieces + "concat=n=" + std::to_string(inputs.size()) + ":v=1:a=1[vout][aout]";
        args.insert(args.end(), {"-filter_complex", graph, "-map", "[vout]", "-map", "[aout]"});
    }
    plan.videoArgs.assign(codecArgs.begin(), audioArgsAt);
    plan.audioArgs.assign(audioArgsAt, codecArgs.end());
    args.insert(args.end(), codecArgs.begin(), codecArgs.end());
    const std::vector<std::string> out = OutputArgs(muxer, options.output);
    args.insert(args.end(), out.begin(), out.end());
    return plan;
}

} // namespace encoder

namespace encoder {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        // "[mp4 @ 0x55d0c0a1b2c0] message": the tag says nothing to a user.
        if (line.rfind('[', 0) == 0) {
            const auto close = line.find("] ");
            if (close != std::string::npos && line.find(" @ ") < close)
                line.erase(0, close + 2);
        }
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string::npos)
            lines.push_back(line.substr(first, line.find_last_not_of(" \t,") - first + 1));
        start = end + 1;
    }
    return lines;
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Complaints that ffmpeg prints while still writing good output.
bool IsNoise(const std::string& line) {
    return Contains(line, "buffer underflow") || Contains(line, "packet too large") ||
           Contains(line, "non monotonically increasing dts") || Contains(line, "Past duration") ||
           Contains(line, "Queue input is backward");
}

} // namespace

bool ShowsWriteFailure(const std::string& errorText) {
    return Contains(errorText, "No space left on device") ||
           Contains(errorText, "Error writing trailer") ||
           Contains(errorText, "Error submitting a packet to the muxer") ||
           Contains(errorText, "av_interleaved_write_frame()");
}

std::string ExplainFfmpegFailure(const std::string& errorText, const FfmpegPlan& plan) {
    const std::vector<std::string> lines = Lines(errorText);
    for (const std::string& line : lines) {
        const bool notHeld = Contains(line, "not currently supported in container") ||
                             Contains(line, "Could not find tag for codec") ||
                             Contains(line, "is not supported in the official") ||
                             Contains(line, "Unsupported audio codec") ||
                             Contains(line, "Unsupported video codec") ||
                             Contains(line, "Unsupported codec");
        if (!notHeld)
            continue;
        // Name the stream the muxer refused: by its encoder's name where the
        // line gives it, else by its place (the picture is mapped first).
        bool isVideo = false;
        if (plan.videoEncoder != "copy" && Contains(line, plan.videoEncoder.c_str()))
            isVideo = true;
        else if (plan.audioEncoder != "copy" && Contains(line, plan.audioEncoder.c_str()))
            isVideo = false;
        else
            isVideo = Contains(line, "stream #0") || Contains(line, "video");
        return std::string("The ") + (isVideo ? "video codec " : "audio codec ") +
               (isVideo ? plan.videoEncoder : plan.audioEncoder) + " cannot be stored in the " +
               plan.container.label + " container";
    }
    for (const std::string& line : lines)
        if (!IsNoise(line))
            return "ffmpeg failed: " + line;
    return "ffmpeg failed without a message";
}

} // namespace encoder
