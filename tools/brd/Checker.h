#pragma once
// The board-file checker: everything out of format that the reader silently tolerates, with the
// line it was found on.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvik::brd {

struct CheckFinding {
    std::int64_t Line = 0; // from 1; 0 for findings about the whole file
    std::string Message;
};

struct CheckReport {
    std::vector<CheckFinding> Findings; // in line order, file-wide ones first
    std::optional<std::string> Error;   // the check itself could not run
    bool Clean() const noexcept { return Findings.empty() && !Error; }
};

// At most this many findings of one kind are listed; one more line counts the rest.
inline constexpr std::size_t FindingsPerKind = 20;

// Checks the stored bytes of a board file.
CheckReport CheckBoardBytes(std::string_view stored);

} // namespace dorvik::brd
