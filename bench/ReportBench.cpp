// Reading reports of 10,000 faults against the full board, of each kind Dorvik reads, and
// selecting a fault line against the display it shows (fault_display).
#include "FullBoard.h"

#include "faults/EntryActions.h"
#include "report/FaultListFile.h"
#include "report/FaultSelection.h"
#include "report/ReportReader.h"
#include "view/Render.h"

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

// Selecting a line against the display it shows: the same entry typed into its window and OK,
// then the redraw, from the same freshly loaded view. Both arm the automatic side check, and on
// the largest net it turns the board over (so both draw twice); a repeated redraw such as
// display_short is no fair match, since the first redraw of an entry has already resolved its
// probes to pins and used up the side check.
FaultLine LineOf(const FullBoard& full, std::int64_t kind) {
    switch (kind) {
    case 0:
        return {LineKind::Short,
                {std::to_string(full.bigNetNail), std::to_string(full.otherNetNail)},
                "",
                false};
    case 1:
        return {LineKind::Net, {full.bigNet}, "", false};
    default:
        return {LineKind::Comp, {full.compEntry}, "", false};
    }
}

const char* LabelOf(std::int64_t kind) {
    return kind == 0 ? "short of the largest net" : kind == 1 ? "the largest net" : "three ICs";
}

void select_fault(benchmark::State& state) {
    FullBoard& full = Shared();
    const FaultLine line = LineOf(full, state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        full.Reset();
        state.ResumeTiming();
        SelectFaultLine(full.ws, line);
    }
    state.SetLabel(LabelOf(state.range(0)));
}
BENCHMARK(select_fault)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void fault_display(benchmark::State& state) {
    FullBoard& full = Shared();
    const FaultLine line = LineOf(full, state.range(0));
    const std::string_view first = line.Items.front();
    const std::string_view second = line.Items.size() > 1 ? line.Items[1] : "";
    for (auto _ : state) {
        state.PauseTiming();
        full.Reset();
        WindowState& s = full.ws.State;
        switch (line.Kind) {
        case LineKind::Short:
            AcceptProbeEntry(s, {first, second, ""}, ShortDisplay);
            break;
        case LineKind::Net:
            AcceptNetEntry(s, first);
            break;
        default:
            AcceptCompEntry(s, {first, "", ""});
            break;
        }
        state.ResumeTiming();
        Redraw(full.ws);
    }
    state.SetLabel(std::string(LabelOf(state.range(0))) + ", " + full.controls.StatusText());
}
BENCHMARK(fault_display)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvik::bench
