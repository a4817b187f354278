#pragma once
// What reading a report gives: its kind, the unit it is about, the faults read, and what could
// not be read.

#include "report/FaultList.h"
#include "report/ReportUnit.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dorvik {

enum class ReportKind { Unknown, FaultListFile, TriCsv, Keysight3070Ticket, Keysight3070Datalog };

// "fault list", "TRI CSV failure file", ...
std::string_view ReportKindName(ReportKind kind) noexcept;

struct ReportProblem {
    std::size_t LineNumber = 0; // from 1; 0 for the whole file
    std::string Reason;
};

struct ReportResult {
    ReportKind Kind = ReportKind::Unknown;
    ReportUnit Unit;
    FaultList List;
    // Lines that were meant to say something and could not be read; their faults are left out.
    std::size_t SkippedLines = 0;
    std::vector<ReportProblem> Problems; // the first MaxProblemsKept of them
    // Why nothing could be read at all (empty, no known kind, too large); empty otherwise.
    std::string Error;

    static constexpr std::size_t MaxProblemsKept = 100;
    void Skip(std::size_t lineNumber, std::string reason);
};

} // namespace dorvik
