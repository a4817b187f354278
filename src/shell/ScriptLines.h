#pragma once
// The lines of a script, read one at a time as the script runs, from a file or standard input.

#include <QString>

#include <fstream>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace dorvik {

class ScriptLines final {
public:
    // Reads `in`, which must outlive this object.
    explicit ScriptLines(std::istream& in) noexcept : in_(&in) {}

    // The script file, or standard input for "-"; nothing when the file cannot be read.
    static std::unique_ptr<ScriptLines> Open(const QString& path);

    // The next line without its line end (a carriage return before the line feed is dropped),
    // or nothing at the end of the script.
    std::optional<std::string> Next();

private:
    ScriptLines() = default;

    std::ifstream file_;
    std::istream* in_ = nullptr;
};

} // namespace dorvik
