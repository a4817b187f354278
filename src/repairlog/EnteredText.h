#pragma once
// What the operator types or scans (a serial, a name, a comment), made fit for a record: one line
// of text without control characters, no blanks at its ends, and not longer than a field holds.

#include <cstddef>
#include <string>
#include <string_view>

namespace dorvik {

struct EnteredText {
    std::string Text;     // UTF-8, control characters as blanks, trimmed
    bool TooLong = false; // more characters than the field takes; Text is then empty
};

// `utf8` must be valid UTF-8 (what the toolkit gives); `most` counts characters.
EnteredText CleanEntered(std::string_view utf8, std::size_t most);

inline constexpr std::size_t MaxSerialLength = 128;
inline constexpr std::size_t MaxOperatorLength = 128;
inline constexpr std::size_t MaxCommentLength = 4000;
inline constexpr std::size_t MaxRefdesLength = 2000;

} // namespace dorvik
