#pragma once
// Small text helpers shared by the report readers: lines of a file, blanks, cases and the two
// character sets (board names are Latin-1 bytes, report and fault list files UTF-8 or ASCII).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dorvik {

// The lines of a text, LF or CR LF ended; a last line without an end counts too.
std::vector<std::string_view> SplitLines(std::string_view text);

bool IsBlankChar(char c) noexcept;
std::string_view Trimmed(std::string_view text) noexcept;
// The words of a line, separated by blanks and tabs.
std::vector<std::string_view> Words(std::string_view line);
bool StartsWith(std::string_view text, std::string_view prefix) noexcept;
bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept;
std::string LowerAscii(std::string_view text);

// UTF-8 to Latin-1: characters beyond Latin-1 become '?', bytes that are not UTF-8 stay as they
// are (a Latin-1 file reads as itself).
std::string Latin1FromUtf8(std::string_view utf8);
std::string Utf8FromLatin1(std::string_view latin1);
// Bytes as UTF-8: UTF-8 characters stay, every other byte is taken as a Latin-1 character.
std::string Utf8FromUtf8OrLatin1(std::string_view bytes);
// The longest start of a UTF-8 text of at most `bytes` bytes that ends between characters.
std::string_view CutUtf8(std::string_view utf8, std::size_t bytes) noexcept;

// Text fit to show on one line: control characters become blanks.
std::string Printable(std::string_view text);
// A value a report states, fit to keep: UTF-8 (other bytes read as Latin-1), Printable, no
// blanks at either end, at most `maxBytes` bytes cut between characters.
std::string OneLineText(std::string_view said, std::size_t maxBytes);

} // namespace dorvik
