#pragma once

#include <functional>
#include <string>
#include <vector>

namespace encoder {

struct ChildResult {
    int exitCode = -1; // -1 when the child could not start or died of a signal
    std::string outputText;
    std::string errorText;
};

// Runs a program (searched in PATH) with an argument list, never a shell, and
// collects what it writes. The child gets /dev/null as input and dies with
// the encoder (PR_SET_PDEATHSIG), so a killed encoder leaves nothing behind.
// That signal follows the thread that started the child, so a thread must
// outlive the children it starts (it does: each call waits for its child).
ChildResult RunAndCapture(const std::vector<std::string>& argv);

// The same, but hands standard output to `onOutput` as it arrives and calls
// `onTick` every `tickMs` or so; standard error is collected (its tail only).
ChildResult RunStreaming(const std::vector<std::string>& argv,
                         const std::function<void(const std::string&)>& onOutput,
                         const std::function<void()>& onTick, int tickMs);

// Runs several programs at the same time, each as RunStreaming does; the
// standard output of the i-th goes to onOutput(i, chunk). When one fails, the
// others are killed, since their work is wasted. Returns the results in order;
// a killed one has exit code -1.
std::vector<ChildResult>
RunTogether(const std::vector<std::vector<std::string>>& argvs,
            const std::function<void(std::size_t, const std::string&)>& onOutput,
            const std::function<void()>& onTick, int tickMs);

// The last non-empty line of a text, trimmed.
std::string LastLine(const std::string& text);

} // namespace encoder
