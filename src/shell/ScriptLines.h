#pragma once
// The lines of a script, read as the script runs, from a file or from standard input. Reading
// never waits: when standard input has no whole line yet, the caller is told to wait, and the
// window stays responsive until more arrives.

#include <QString>

#include <memory>
#include <string>

namespace dorvik {

class ScriptLines final {
public:
    enum class Status { Line, Waiting, Ended };

    ~ScriptLines();
    ScriptLines(const ScriptLines&) = delete;
    ScriptLines& operator=(const ScriptLines&) = delete;

    // The script file, or standard input for "-"; nothing when the file cannot be read.
    static std::unique_ptr<ScriptLines> Open(const QString& path);
    // Reads an open file descriptor, which it closes when `owned`.
    static std::unique_ptr<ScriptLines> FromDescriptor(int fd, bool owned);

    // The next line without its line end (a carriage return before the line feed is dropped).
    // Waiting: no whole line has arrived yet; Ended: the script has no more lines.
    Status Next(std::string& line);

    // The descriptor to watch while Next() answers Waiting.
    int Descriptor() const noexcept { return fd_; }

private:
    ScriptLines(int fd, bool owned) noexcept : fd_(fd), owned_(owned) {}

    bool TakeLine(std::string& line);
    // Reads what is there without blocking; false when nothing could be read yet.
    bool ReadAvailable();

    int fd_;
    bool owned_;
    bool ended_ = false;
    std::string buffer_;
};

} // namespace dorvik
