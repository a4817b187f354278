#include "shell/ScriptLines.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace dorvik {

ScriptLines::~ScriptLines() {
    if (owned_) {
        ::close(fd_);
    }
}

std::unique_ptr<ScriptLines> ScriptLines::Open(const QString& path) {
    if (path == QLatin1String("-")) {
        return FromDescriptor(STDIN_FILENO, false);
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return FromDescriptor(fd, true);
}

std::unique_ptr<ScriptLines> ScriptLines::FromDescriptor(int fd, bool owned) {
    return std::unique_ptr<ScriptLines>(new ScriptLines(fd, owned));
}

ScriptLines::Status ScriptLines::Next(std::string& line) {
    for (;;) {
        if (TakeLine(line)) {
            return Status::Line;
        }
        if (ended_) {
            if (buffer_.empty()) {
                return Status::Ended;
            }
            line = std::move(buffer_); // a last line without its line feed
            buffer_.clear();
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return Status::Line;
        }
        if (!ReadAvailable()) {
            return Status::Waiting;
        }
    }
}

bool ScriptLines::TakeLine(std::string& line) {
    const std::size_t end = buffer_.find('\n');
    if (end == std::string::npos) {
        return false;
    }
    line.assign(buffer_, 0, end);
    buffer_.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

bool ScriptLines::ReadAvailable() {
    pollfd ready{fd_, POLLIN, 0};
    int polled = 0;
    do {
        polled = ::poll(&ready, 1, 0);
    } while (polled < 0 && errno == EINTR);
    if (polled == 0) {
        return false;
    }
    char chunk[1 << 16];
    ssize_t n = 0;
    do {
        n = ::read(fd_, chunk, sizeof chunk);
    } while (n < 0 && errno == EINTR);
    if (n > 0) {
        buffer_.append(chunk, static_cast<std::size_t>(n));
    } else {
        ended_ = true; // the end of the input, or an input that cannot be read any further
    }
    return true;
}

} // namespace dorvik
