// Reading reports of 10,000 faults against the full board, of each kind Dorvik reads, and
// selecting a fault line against the display it shows (display_short, display_net).
#include "FullBoard.h"

#include "report/FaultListFile.h"
#include "report/FaultSelection.h"
#include "report/ReportReader.h"

#include <benchmark/benchmark.h>

#include <string>

namespace dorvik::bench {
namespace {

constexpr int ReportFaults = 10000;

// Node names of the board's nails, spread over the table.
std::string NodeName(const FullBoard& full, int k) {
    const std::int32_t nails = full.board->NailCount;
    const auto i = static_cast<std::size_t>((static_cast<std::int64_t>(k) * 7919) % nails);
    return std::string(full.board->NailTable[i].Net.data());
}

std::string PartNameAt(const FullBoard& full, int k) {
    const std::int32_t parts = full.board->PartCount;
    const auto j = static_cast<std::size_t>((static_cast<std::int64_t>(k) * 104729) % parts);
    return PartName(full.board->PartTable[j]);
}

std::string TicketOfShorts(const FullBoard& full) {
    std::string text = "Shorts Report for \"shorts\".\n";
    for (int k = 0; k < ReportFaults; ++k) {
        text += "----------------------------------------\n"
                "Short #" +
                std::to_string(k + 1) +
                ", Thresh 9, Delay 50us      Ohms\n"
                "From: " +
                NodeName(full, 3 * k) +
                "   20375    4\n"
                "To:   " +
                NodeName(full, 3 * k + 1) +
                "  219157    4\n"
                "      " +
                NodeName(full, 3 * k + 2) +
                "  219158    4\n"
                "Common Devices:\n"
                "      " +
                PartNameAt(full, k) +
                "\n"
                "Total of 3 nodes, Message is:  None.\n";
    }
    return text;
}

std::string TriCsv(const FullBoard& full) {
    std::string text = "// Component_Data\n";
    for (int k = 0; k < ReportFaults; ++k) {
        if (k % 2 == 0) {
            text += "Short < " + std::to_string(k + 1) + " " + std::to_string(k + 2) + " >-N" +
                    std::to_string(k) + " -> Parts:U1.1 < " + std::to_string(k + 9) +
                    " >-M -> "
                    "Parts:U2.1\n";
        } else {
            text += " " + std::to_string(k) + ", " + PartNameAt(full, k) +
                    ", 1.0K, 1.0K, 10.0, 10.0, 2, R, 1, 755, G1, 11.5K, 1\n";
        }
    }
    return text;
}

std::string FaultListText(const FullBoard& full) {
    std::string text;
    for (int k = 0; k < ReportFaults; ++k) {
        switch (k % 4) {
        case 0:
            text += "short " + std::to_string(k + 1) + " " + std::to_string(k + 2) + " # S\n";
            break;
        case 1:
            text += "open " + std::to_string(k + 1) + " # + O\n";
            break;
        case 2:
            text += "net " + NodeName(full, k) + "\n";
            break;
        default:
            text += "comp " + PartNameAt(full, k) + ",1,2 # [x] C\n";
            break;
        }
    }
    return text;
}

void Read(benchmark::State& state, const std::string& text) {
    const FullBoard& full = Shared();
    std::size_t lines = 0;
    for (auto _ : state) {
        const ReportResult result = ReadReport(text, *full.board);
        lines = result.List.LineCount();
        benchmark::DoNotOptimize(lines);
    }
    state.SetLabel(std::to_string(lines) + " fault lines");
}

void report_read_ticket(benchmark::State& state) {
    Read(state, TicketOfShorts(Shared()));
}
BENCHMARK(report_read_ticket)->Unit(benchmark::kMillisecond);

void report_read_tri(benchmark::State& state) {
    Read(state, TriCsv(Shared()));
}
BENCHMARK(report_read_tri)->Unit(benchmark::kMillisecond);

void report_read_fault_list(benchmark::State& state) {
    Read(state, FaultListText(Shared()));
}
BENCHMARK(report_read_fault_list)->Unit(benchmark::kMillisecond);

// Selecting a line: its entry applied and the display drawn; compare with display_short and
// display_net, which draw the same displays without the entry.
void select_fault(benchmark::State& state) {
    FullBoard& full = Shared();
    const FaultLine line =
        state.range(0) == 0
            ? FaultLine{LineKind::Short,
                        {std::to_string(full.bigNetNail), std::to_string(full.otherNetNail)},
                        "",
                        false}
            : FaultLine{LineKind::Net, {full.bigNet}, "", false};
    for (auto _ : state) {
        state.PauseTiming();
        full.Reset();
        state.ResumeTiming();
        SelectFaultLine(full.ws, line);
    }
    state.SetLabel(state.range(0) == 0 ? "short of the largest net" : "net of the largest net");
}
BENCHMARK(select_fault)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvik::bench
