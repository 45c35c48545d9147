#pragma once

#include <QString>

// Small real video files for tests, made with ffmpeg's lavfi sources (a test
// pattern and a sine tone), a second or two long so they take milliseconds.
struct ClipSpec {
    int width = 320;
    int height = 240;
    int fps = 25;
    double seconds = 1.0;
    bool audio = true;
    int sampleRate = 44100;
    int channels = 2;
};

// Writes a clip; the container follows the file's extension. Returns false and
// fills *error (ffmpeg's last lines) when ffmpeg fails.
bool MakeClip(const QString& path, const ClipSpec& spec = {}, QString* error = nullptr);

// The play time (ms) of the General stream and the frame size of the first video stream,
// read with libmediainfo, for checking outputs.
struct MediaFacts {
    QString format;     // General "Format", e.g. "AVI", "MPEG-4", "MPEG-PS"
    double durationMs = -1;
    double videoDurationMs = -1;
    double audioDurationMs = -1;
    QString videoFormat;
    QString audioFormat;
    int width = 0;
    int height = 0;
    double frameRate = 0;
    int sampleRate = 0;
    int channels = 0;
};
MediaFacts ReadMediaFacts(const QString& path);
