// The bytes as a tester's report or a fault list, read against a small board; then the first
// lines selected on the workspace, and the list written as a fault list file, which must read
// back to the very same file.
#include "faults/ProbeBoard.h"
#include "report/FaultListFile.h"
#include "report/FaultSelection.h"
#include "report/ReportReader.h"

#include <cstdint>
#include <string_view>

namespace {

dorvik::test::ProbeBench& Bench() {
    static dorvik::test::ProbeBench bench;
    return bench;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dorvik::test::ProbeBench& bench = Bench();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const dorvik::ReportResult result = dorvik::ReadReport(bytes, *bench.board);
    if (result.Problems.size() > result.SkippedLines ||
        result.Problems.size() > dorvik::ReportResult::MaxProblemsKept) {
        __builtin_trap();
    }
    for (std::size_t k = 0; k < result.List.LineCount() && k < 3; ++k) {
        dorvik::SelectFaultLine(bench.ws, result.List.LineAt(k));
    }
    if (result.List.LineCount() == 0) {
        return 0;
    }
    const std::string written = dorvik::WriteFaultList(result.List);
    const dorvik::ReportResult again = dorvik::ReadReport(written, *bench.board);
    if (again.SkippedLines != 0 || dorvik::WriteFaultList(again.List) != written) {
        __builtin_trap();
    }
    return 0;
}
