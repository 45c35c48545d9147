#pragma once

#include <functional>
#include <string>

namespace encoder {

// One report of ffmpeg's -progress output.
struct ProgressReport {
    double seconds = 0; // output position
    long frames = 0;
    long long bytes = 0;
    bool ended = false; // "progress=end"
};

// Splits ffmpeg's -progress text (key=value lines, in chunks cut anywhere)
// into reports; each "progress=" line closes one.
class ProgressReader final {
public:
    explicit ProgressReader(std::function<void(const ProgressReport&)> onReport)
        : m_onReport(std::move(onReport)) {}
    void feed(const std::string& chunk);

private:
    void takeLine(const std::string& line);

    std::function<void(const ProgressReport&)> m_onReport;
    std::string m_pending;
    ProgressReport m_report;
};

struct StatusFields {
    double seconds = 0;
    long frames = 0;
    double totalSeconds = 0; // expected length of the output
    double elapsedSeconds = 0;
    long long bytes = 0;
    long videoKbps = 0;
    long audioKbps = 0;
};

// MEncoder's status line: "Pos:" with the position in seconds and one decimal,
// "s", the frame count and further fields, ending in "\r", e.g.
// "Pos:  12.3s    369f (41%)  88.00fps Trem:   0min   3mb  A-V:0.000 [800:128]\r".
std::string FormatStatusLine(const StatusFields& fields);

} // namespace encoder
