#pragma once
// One repair as the log keeps it: made once at the bench, never changed. A correction is a new
// record, a reversal, that names the id of the one it cancels.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dorvik {

struct RepairRecord {
    std::string Id;            // a UUID made at the bench
    std::int64_t Recorded = 0; // when the record was written, milliseconds since 1970 UTC
    std::int64_t Shown = 0;    // when the fault was first shown, the same
    std::string Serial;
    std::string Board;      // the board name the report gives
    std::string BoardFile;  // the file name of the board loaded
    std::string ReportFile; // the file name of the report read
    std::int32_t Fault = 0; // the fault's place in the list, from 1
    std::string Kind;
    std::string Lines; // its fault-list lines, joined by " | "
    std::string Description;
    std::string Nets;   // blank-separated
    std::string Probes; // blank-separated
    std::string Action;
    std::string Result;
    std::string Refdes; // blank-separated
    std::string Comment;
    std::string Operator;
    std::string Bench;
    std::string Version;
    std::string Reverses; // the id a reversal cancels; empty for a repair
    // When the report says the unit was tested ("2026-07-02T17:24:21", local), or empty. Not a
    // column of the listings: it tells a unit's visits apart.
    std::string ReportTested;

    bool IsReversal() const noexcept { return !Reverses.empty(); }
    bool operator==(const RepairRecord&) const = default;
};

// The columns in the order every listing and export gives them.
inline constexpr std::size_t RecordColumnCount = 21;
inline constexpr std::array<std::string_view, RecordColumnCount> RecordColumns{
    "id",     "recorded", "shown",   "serial",      "board", "board_file", "report_file",
    "fault",  "kind",     "lines",   "description", "nets",  "probes",     "action",
    "result", "refdes",   "comment", "operator",    "bench", "version",    "reverses"};

// The record's values as texts, in column order (times as ISO 8601 UTC with milliseconds).
std::array<std::string, RecordColumnCount> RecordValues(const RepairRecord& record);

// The record as one tab-separated line (no line end); tabs and line ends inside a value are
// written as blanks.
std::string TabSeparated(const RepairRecord& record);
// The column names, tab-separated.
std::string TabSeparatedHeader();

} // namespace dorvik
