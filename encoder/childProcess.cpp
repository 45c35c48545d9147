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

ChildResult RunStreaming(const std::vector<std::string>& argv,
                         const std::function<void(const std::string&)>& onOutput,
                         const std::function<void()>& onTick, int tickMs) {
    ChildResult result;
    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0)
        return result;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return result;
    }
    const pid_t pid = Spawn(argv, outPipe[1], errPipe[1]);
    close(outPipe[1]);
    close(errPipe[1]);
    if (pid < 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        result.errorText = "cannot start " + argv.front();
        return result;
    }

    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    char buffer[8192];
    auto lastTick = std::chrono::steady_clock::now();
    while (open > 0) {
        const int ready = poll(fds, 2, tickMs);
        if (ready < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2 && ready > 0; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t count = read(fds[i].fd, buffer, sizeof buffer);
            if (count > 0) {
                const std::string chunk(buffer, std::size_t(count));
                if (i == 0) {
                    result.outputText += chunk;
                    if (onOutput)
                        onOutput(chunk);
                } else {
                    result.errorText += chunk;
                    // Keep the tail only: some muxers complain on every packet.
                    if (result.errorText.size() > 64 * 1024)
                        result.errorText.erase(0, result.errorText.size() - 32 * 1024);
                }
            } else if (count == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
        if (onOutput && result.outputText.size() > 64 * 1024)
            result.outputText.clear(); // streamed already; no need to keep it
        const auto now = std::chrono::steady_clock::now();
        if (onTick && now - lastTick >= std::chrono::milliseconds(tickMs)) {
            lastTick = now;
            onTick();
        }
    }
    for (const pollfd& fd : fds)
        if (fd.fd >= 0)
            close(fd.fd);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
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
