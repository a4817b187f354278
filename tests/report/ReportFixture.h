#pragma once
// Reading a report's text against the small test board (tests/faults/ProbeBoard.h), and the
// lines it gave in the fault-list format.

#include "faults/ProbeBoard.h"
#include "report/FaultListFile.h"
#include "report/ReportReader.h"

#include <string>
#include <vector>

namespace dorvik::test {

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

} // namespace dorvik::test
