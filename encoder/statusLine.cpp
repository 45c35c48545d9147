#include "encoder/statusLine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace encoder {

void ProgressReader::feed(const std::string& chunk) {
    m_pending += chunk;
    std::string::size_type start = 0;
    while (true) {
        const auto end = m_pending.find('\n', start);
        if (end == std::string::npos)
            break;
        takeLine(m_pending.substr(start, end - start));
        start = end + 1;
    }
    m_pending.erase(0, start);
}

void ProgressReader::takeLine(const std::string& line) {
    const auto equals = line.find('=');
    if (equals == std::string::npos)
        return;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    char* end = nullptr;
    if (key == "out_time_us") {
        // "N/A" before the first frame, and negative while the muxer primes.
        const long long us = std::strtoll(value.c_str(), &end, 10);
        if (end != value.c_str() && us > 0)
            m_report.seconds = double(us) / 1e6;
    } else if (key == "frame") {
        const long frames = std::strtol(value.c_str(), &end, 10);
        if (end != value.c_str() && frames >= 0)
            m_report.frames = frames;
    } else if (key == "total_size") {
        const long long bytes = std::strtoll(value.c_str(), &end, 10);
        if (end != value.c_str() && bytes >= 0)
            m_report.bytes = bytes;
    } else if (key == "progress") {
        m_report.ended = value == "end";
        if (m_onReport)
            m_onReport(m_report);
    }
}

std::string FormatStatusLine(const StatusFields& f) {
    const double total = std::max(f.totalSeconds, 0.0);
    int percent = total > 0 ? int(f.seconds * 100.0 / total) : 0;
    percent = std::clamp(percent, 0, 100);
    const double fps = f.elapsedSeconds > 0 ? f.frames / f.elapsedSeconds : 0.0;
    int remainingMinutes = 0;
    long megabytes = 0;
    if (f.seconds > 0 && total > f.seconds)
        remainingMinutes = int(f.elapsedSeconds / f.seconds * (total - f.seconds) / 60.0);
    if (f.seconds > 0)
        megabytes = long(double(f.bytes) / f.seconds * std::max(total, f.seconds) / 1e6);
    char text[160];
    std::snprintf(text, sizeof text,
                  "Pos:%6.1fs %6ldf (%2d%%) %6.2ffps Trem: %3dmin %4ldmb  A-V:0.000 [%ld:%ld]\r",
                  f.seconds, f.frames, percent, fps, remainingMinutes, megabytes, f.videoKbps,
                  f.audioKbps);
    return text;
}

} // namespace encoder
