#pragma once
// A tester's report as the unit index knows it: where it is, which unit and board it names, and
// when the unit was tested.

#include <cstdint>
#include <string>

namespace dorvik {

struct IndexedReport {
    std::string Path;   // UTF-8, as the folder walk found it
    std::string Serial; // the report's serial (ReportUnit::Serial), never empty
    std::string Board;  // the report's board name; empty when it names none
    // "YYYY-MM-DDTHH:MM:SS", local time: the time the report states (ReportUnit::Tested), else
    // the file's modification time.
    std::string Time;
    bool TimeFromFile = false;
    std::int64_t ModifiedMs = 0; // the file's modification time, ms since 1970 (UTC)
    std::int64_t Size = 0;       // bytes

    bool operator==(const IndexedReport&) const = default;
};

// Newest first: by Time, then by ModifiedMs, then by Path, so that two reports of one time keep
// one order.
bool NewerReport(const IndexedReport& a, const IndexedReport& b) noexcept;

} // namespace dorvik
