#pragma once
// Reading a report's text against the small test board (tests/faults/ProbeBoard.h), and the
// lines it gave in the fault-list format.

#include "faults/ProbeBoard.h"
#include "report/FaultListFile.h"
#include "report/ReportReader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace dorvik {

inline void PrintTo(const ReportUnit& unit, std::ostream* out) {
    *out << "{serial \"" << unit.Serial << "\", board \"" << unit.Board << "\", tested \""
         << unit.Tested << "\"}";
}

} // namespace dorvik

namespace dorvik::test {

using Lines = std::vector<std::string>;

inline ReportResult ReadOnProbeBoard(std::string_view text) {
    static ProbeBench bench;
    return ReadReport(text, *bench.board);
}

inline std::vector<std::string> SavedLines(const FaultList& list) {
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < list.LineCount(); ++k) {
        lines.push_back(SavedLineText(list, k));
    }
    return lines;
}

inline std::vector<std::size_t> ProblemLines(const ReportResult& result) {
    std::vector<std::size_t> numbers;
    for (const ReportProblem& p : result.Problems) {
        numbers.push_back(p.LineNumber);
    }
    return numbers;
}

// Whether the whole text was read as a report of `kind`: no error and no line skipped.
inline ::testing::AssertionResult ReadWholeAs(const ReportResult& result, ReportKind kind) {
    if (!result.Error.empty()) {
        return ::testing::AssertionFailure() << "error: " << result.Error;
    }
    if (result.Kind != kind) {
        return ::testing::AssertionFailure() << "read as " << ReportKindName(result.Kind);
    }
    if (result.SkippedLines != 0) {
        return ::testing::AssertionFailure() << result.SkippedLines << " lines skipped";
    }
    return ::testing::AssertionSuccess();
}

} // namespace dorvik::test
