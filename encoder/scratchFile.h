#pragma once

#include <string>

namespace encoder {

// A file without a name for work in progress: it vanishes with the last
// process that holds it open, so even a killed encoder leaves nothing behind.
// ffmpeg children inherit the descriptor and reach the file through path().
class ScratchFile final {
public:
    // Made in `folder`; isOpen() tells whether that worked.
    explicit ScratchFile(const std::string& folder);
    ~ScratchFile();
    ScratchFile(ScratchFile&& other) noexcept;
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ScratchFile& operator=(ScratchFile&&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // "/proc/self/fd/N": in the encoder and in every child it starts, the same file.
    std::string path() const;
    // Replaces the file's content; false when not all of it was written.
    bool write(const std::string& text);

private:
    int m_fd = -1;
};

// The folder of a file path: "." for a bare name, "/" for a file at the root.
std::string FolderOf(const std::string& path);

} // namespace encoder
