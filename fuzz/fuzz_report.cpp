// The bytes as a tester's report or a fault list, read against a small board; then the first
// lines selected on the workspace, and the list written with its unit as a fault list file,
// which must read back as the same unit and faults and write the very same file again.
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

// The same faults: the same kinds, lines and ticks.
bool SameFaults(const dorvik::FaultList& a, const dorvik::FaultList& b) {
    if (a.Faults().size() != b.Faults().size()) {
        return false;
    }
    for (std::size_t f = 0; f < a.Faults().size(); ++f) {
        const dorvik::Fault& x = a.Faults()[f];
        const dorvik::Fault& y = b.Faults()[f];
        if (x.Kind != y.Kind || x.Lines != y.Lines || x.Repaired != y.Repaired) {
            return false;
        }
    }
    return true;
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
        // Only the last drawing is kept: the recording would otherwise grow with every input.
        bench.canvas.calls.clear();
        bench.controls.statusHistory.clear();
        dorvik::SelectFaultLine(bench.ws, result.List.LineAt(k));
    }
    if (result.List.LineCount() == 0) {
        return 0;
    }
    const std::string written = dorvik::WriteFaultList(result.List, result.Unit);
    const dorvik::ReportResult again = dorvik::ReadReport(written, *bench.board);
    if (again.SkippedLines != 0 || dorvik::WriteFaultList(again.List, again.Unit) != written ||
        !SameFaults(result.List, again.List) || again.Unit != result.Unit) {
        __builtin_trap();
    }
    return 0;
}
