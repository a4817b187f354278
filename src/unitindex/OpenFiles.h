#pragma once
// Files and folders the unit index opens with the system's own calls: closed when they go, never
// throwing, and read within a bound.

#include <cstddef>
#include <string>

#include <dirent.h>

namespace dorvik {

// A file opened to read; it never waits for a writer (a pipe, say) to open.
class OpenFile final {
public:
    explicit OpenFile(const std::string& path) noexcept;
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool IsOpen() const noexcept { return fd_ >= 0; }
    int Fd() const noexcept { return fd_; }

private:
    int fd_;
};

class OpenFolder final {
public:
    explicit OpenFolder(const std::string& path) noexcept;
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    DIR* Dir() const noexcept { return dir_; }

private:
    DIR* dir_;
};

// Appends at most `count` more bytes of the file to `bytes`, fewer at its end; false on a read
// error (errno says which).
bool AppendRead(int fd, std::size_t count, std::string& bytes);

} // namespace dorvik
