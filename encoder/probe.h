#pragma once

#include "encoder/options.h"

#include <string>
#include <vector>

namespace encoder {

// What the encoder needs to know of one input, read with ffprobe.
struct InputFacts {
    std::string path;
    std::string formatName;
    double formatStart = 0;     // seconds; ffmpeg counts every stream from here
    double formatDuration = -1; // seconds, -1 when unknown

    bool hasVideo = false;
    std::string videoCodec;
    int width = 0;
    int height = 0;
    long sarNum = 1;
    long sarDen = 1;
    Rate frameRate;         // the stream's average rate; 0/1 when unknown
    double videoStart = -1; // seconds, -1 when unknown
    double videoDuration = -1;
    long videoPackets = -1;
    Rate videoTimeBase{0, 1}; // the unit of the picture's times, e.g. 1/15360; 0/1 unknown

    bool hasAudio = false;
    std::string audioCodec;
    int sampleRate = 0;
    int channels = 0;

    // How long the picture lasts from the start of the file: frames counted
    // over the frame rate where the file allows, since containers round their
    // own duration fields (AVI adds a frame, MPEG streams start late).
    double pictureSeconds() const;
    // Whether reading can start at a whole second with every later picture
    // keeping the time it has when the file is read from its start.
    bool seeksExactly() const;
    // Display aspect ratio of the picture, width over height.
    double displayAspect() const;
};

// Reads ffprobe's "compact" output (sections stream and format) into facts.
// Pure, so it is tested on recorded text.
InputFacts ParseProbeOutput(const std::string& path, const std::string& text);

// Runs ffprobe on one file; throws Failure naming the file when it cannot be read.
InputFacts ProbeInput(const std::string& path);

// Probes several files a few at a time (each probe mostly waits on the disk
// and on ffprobe's start), returning their facts in order; throws the first
// input's failure in input order.
std::vector<InputFacts> ProbeInputs(const std::vector<std::string>& paths);

} // namespace encoder
