#include "encoder/scratchFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace encoder {

ScratchFile::ScratchFile(const std::string& folder) {
    // No O_CLOEXEC: the ffmpeg children must inherit it.
    m_fd = open(folder.c_str(), O_TMPFILE | O_RDWR, 0600);
    if (m_fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return;
    // File systems without unnamed files: name it, then drop the name at once.
    std::string pattern = folder + "/.corvane-encoder-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = mkstemp(name.data());
    if (m_fd >= 0)
        unlink(name.data());
}

ScratchFile::~ScratchFile() {
    if (m_fd >= 0)
        close(m_fd);
}

ScratchFile::ScratchFile(ScratchFile&& other) noexcept : m_fd(other.m_fd) {
    other.m_fd = -1;
}

std::string ScratchFile::path() const {
    return "/proc/self/fd/" + std::to_string(m_fd);
}

bool ScratchFile::write(const std::string& text) {
    if (m_fd < 0 || ftruncate(m_fd, 0) != 0 || lseek(m_fd, 0, SEEK_SET) != 0)
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = ::write(m_fd, text.data() + done, text.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += std::size_t(count);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace encoder
