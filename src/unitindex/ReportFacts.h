#pragma once
// What the index reads from one file of a report folder: whether it is a report, and then the
// unit it names. The file is recognised by its content as Open Report recognises it.

#include "unitindex/IndexedReport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dorvik {

// A file changed less than this long ago may still be being written; it is looked at later.
inline constexpr std::int64_t SettleMs = 1500;

struct FileFacts {
    enum class Outcome {
        Report,       // `Report` holds it
        NotAReport,   // no known kind, a datalog, binary, empty, or a report without a serial
        Unreadable,   // cannot be opened or read, or larger than a report can be
        BeingWritten, // changed within SettleMs of `nowMs`: look again later
    };
    Outcome Result = Outcome::NotAReport;
    std::optional<IndexedReport> Report;
    std::string Why; // for NotAReport and Unreadable, in a few words
};

// Examines the file at `path` (UTF-8). `nowMs` is the time now, ms since 1970 (UTC). Holds at
// most one file's bytes in memory, at most MaxReportBytes; never throws.
FileFacts ExamineFile(const std::string& path, std::int64_t nowMs);

} // namespace dorvik
