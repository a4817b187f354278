#pragma once
// Reading a tester's report or a fault list: its kind recognised by its content, never by its
// name, and translated into fault-list lines against the loaded board.

#include "board/BoardData.h"
#include "report/ReportResult.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace dorvik {

// The largest report read; a larger file is refused rather than read into memory.
inline constexpr std::size_t MaxReportBytes = 64u << 20;

// What the program says about a file of no known kind.
inline constexpr std::string_view KnownKindsText =
    "Dorvik reads fault lists, TRI CSV failure files and Keysight 3070 failure tickets";

ReportKind DetectReportKind(std::string_view text);

// Reads the bytes of a report.
ReportResult ReadReport(std::string_view bytes, const BoardData& board);

// Reads the file at `path`; a file that cannot be read, or is too large, gives an Error.
ReportResult ReadReportFile(const std::string& path, const BoardData& board);

} // namespace dorvik
