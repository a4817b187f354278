#include "unitindex/OpenFiles.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace dorvik {

OpenFile::OpenFile(const std::string& path) noexcept
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)) {}

OpenFile::~OpenFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

OpenFolder::OpenFolder(const std::string& path) noexcept : dir_(::opendir(path.c_str())) {}

OpenFolder::~OpenFolder() {
    if (dir_ != nullptr) {
        ::closedir(dir_);
    }
}

bool AppendRead(int fd, std::size_t count, std::string& bytes) {
    const std::size_t start = bytes.size();
    bytes.resize(start + count);
    std::size_t got = 0;
    bool read = true;
    while (got < count) {
        const ssize_t n = ::read(fd, bytes.data() + start + got, count - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            read = n == 0;
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    const int error = errno;
    bytes.resize(start + got);
    errno = error;
    return read;
}

} // namespace dorvik
