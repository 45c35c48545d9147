#include "encoder/childProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace encoder {

namespace {

// Everything a child needs is prepared before fork: after it only
// async-signal-safe calls are allowed.
pid_t Spawn(const std::vector<std::string>& argv, int outFd, int errFd) {
    std::vector<char*> raw;
    for (const std::string& arg : argv)
        raw.push_back(const_cast<char*>(arg.c_str()));
    raw.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // The child dies when the encoder dies, however it dies; if the encoder
    // is already gone, the signal would never come, so give up at once.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull < 0 || dup2(devNull, STDIN_FILENO) < 0 || dup2(outFd, STDOUT_FILENO) < 0 ||
        dup2(errFd, STDERR_FILENO) < 0)
        _exit(127);
    signal(SIGPIPE, SIG_DFL);
    execvp(raw[0], raw.data());
    static const char message[] = "cannot start the program\n";
    [[maybe_unused]] const auto written = write(STDERR_FILENO, message, sizeof message - 1);
    _exit(127);
}

} // namespace

std::vector<ChildResult>
RunTogether(const std::vector<std::vector<std::string>>& argvs,
            const std::function<void(std::size_t, const std::string&)>& onOutput,
            const std::function<void()>& onTick, int tickMs) {
    struct Child {
        pid_t pid = -1;
        int pipes = 0; // of its two, how many are still open
        bool killed = false;
    };
    const std::size_t count = argvs.size();
    std::vector<ChildResult> results(count);
    std::vector<Child> children(count);
    std::vector<pollfd> fds; // two per child: standard output, then standard error

    // Once one has failed the job has failed; the others need not finish.
    auto stopOthers = [&] {
        for (Child& child : children)
            if (child.pid > 0 && child.pipes > 0 && !child.killed) {
                kill(child.pid, SIGKILL);
                child.killed = true;
            }
    };
    auto reap = [&](std::size_t i) {
        int status = 0;
        while (waitpid(children[i].pid, &status, 0) < 0 && errno == EINTR) {
        }
        results[i].exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (results[i].exitCode != 0)
            stopOthers();
    };

    for (std::size_t i = 0; i < count; ++i) {
        int outPipe[2];
        int errPipe[2];
        if (pipe2(outPipe, O_CLOEXEC) != 0) {
            outPipe[0] = outPipe[1] = -1;
        } else if (pipe2(errPipe, O_CLOEXEC) != 0) {
            close(outPipe[0]);
            close(outPipe[1]);
            outPipe[0] = outPipe[1] = -1;
        }
        const pid_t pid = outPipe[0] < 0 ? -1 : Spawn(argvs[i], outPipe[1], errPipe[1]);
        if (outPipe[0] >= 0) {
            close(outPipe[1]);
            close(errPipe[1]);
        }
        if (pid < 0) {
            if (outPipe[0] >= 0) {
                close(outPipe[0]);
                close(errPipe[0]);
            }
            results[i].errorText = "cannot start " + argvs[i].front();
            fds.push_back({-1, POLLIN, 0});
            fds.push_back({-1, POLLIN, 0});
            stopOthers();
            continue;
        }
        children[i] = Child{pid, 2, false};
        fds.push_back({outPipe[0], POLLIN, 0});
        fds.push_back({errPipe[0], POLLIN, 0});
    }

    char buffer[8192];
    auto lastTick = std::chrono::steady_clock::now();
    auto anyOpen = [&] {
        for (const pollfd& fd : fds)
            if (fd.fd >= 0)
                return true;
        return false;
    };
    while (anyOpen()) {
        const int ready = poll(fds.data(), nfds_t(fds.size()), tickMs);
        if (ready < 0 && errno != EINTR)
            break;
        for (std::size_t f = 0; f < fds.size() && ready > 0; ++f) {
            if (fds[f].fd < 0 || !(fds[f].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const std::size_t i = f / 2;
            ChildResult& result = results[i];
            const ssize_t got = read(fds[f].fd, buffer, sizeof buffer);
            if (got > 0) {
                const std::string chunk(buffer, std::size_t(got));
                if (f % 2 == 0) {
                    result.outputText += chunk;
                    if (onOutput)
                        onOutput(i, chunk);
                    if (onOutput && result.outputText.size() > 64 * 1024)
                        result.outputText.clear(); // streamed already; no need to keep it
                } else {
                    result.errorText += chunk;
                    // Keep the tail only: some muxers complain on every packet.
                    if (result.errorText.size() > 64 * 1024)
                        result.errorText.erase(0, result.errorText.size() - 32 * 1024);
                }
            } else if (got == 0 || errno != EINTR) {
                close(fds[f].fd);
                fds[f].fd = -1;
                if (--children[i].pipes == 0)
                    reap(i);
            }
        }
        const auto now = std::chrono::steady_clock::now();
        if (onTick && now - lastTick >= std::chrono::milliseconds(tickMs)) {
            lastTick = now;
            onTick();
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        for (int f = 0; f < 2; ++f)
            if (fds[2 * i + f].fd >= 0)
                close(fds[2 * i + f].fd);
        if (children[i].pid > 0 && children[i].pipes > 0)
            reap(i);
    }
    return results;
}

ChildResult RunStreaming(const std::vector<std::string>& argv,
                         const std::function<void(const std::string&)>& onOutput,
                         const std::function<void()>& onTick, int tickMs) {
    std::function<void(std::size_t, const std::string&)> forward;
    if (onOutput)
        forward = [&](std::size_t, const std::string& chunk) { onOutput(chunk); };
    return RunTogether({argv}, forward, onTick, tickMs).front();
}

ChildResult RunAndCapture(const std::vector<std::string>& argv) {
    return RunStreaming(argv, nullptr, nullptr, 1000);
}

std::string LastLine(const std::string& text) {
    std::string::size_type end = text.size();
    while (end > 0) {
        auto start = text.find_last_of("\r\n", end - 1);
        start = start == std::string::npos ? 0 : start + 1;
        std::string line = text.substr(start, end - start);
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string::npos) {
            const auto last = line.find_last_not_of(" \t");
            return line.substr(first, last - first + 1);
        }
        end = start > 0 ? start - 1 : 0;
    }
    return {};
}

} // namespace encoder
