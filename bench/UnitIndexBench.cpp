// The unit index at the size of a line's report share: 10,000 reports (Keysight 3070 failure
// tickets and TRI CSV failure files of a few KB, 2,500 units, twelve folders) indexed by a new
// indexer (goal: at most 3 s, and at most 50 MB more memory at the peak), and a unit's reports
// looked up among them (goal: at most 1 ms).
#include "unitindex/FolderIndexer.h"
#include "unitindex/ReportFacts.h"
#include "unitindex/ReportIndex.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>

namespace dorvik::bench {
namespace {

constexpr std::size_t ShareReports = 10'000;
constexpr std::size_t ShareUnits = 2'500;

std::string Digits(std::size_t value, int count) {
    std::string text = std::to_string(value);
    return std::string(text.size() < std::size_t(count) ? count - text.size() : 0, '0') + text;
}

std::string SerialOf(std::size_t unit) {
    return "PX26" + Digits(unit * 7919 % 1'000'000, 6);
}

// Report k: unit k % ShareUnits, tested on one of four days at a time of its own.
struct Tested {
    std::size_t Day; // 1..4 of July 2026
    std::string Hhmmss;
};

Tested TestedOf(std::size_t k) {
    const std::size_t second = k * 37 % 86'400;
    return {k % 4 + 1,
            Digits(second / 3600, 2) + Digits(second / 60 % 60, 2) + Digits(second % 60, 2)};
}

std::string Ticket(std::size_t k) {
    constexpr const char* Weekdays[] = {"Wed", "Thu", "Fri", "Sat"}; // July 1st 2026 to 4th
    const Tested t = TestedOf(k);
    const std::string rule = "----------------------------------------\n";
    const std::string heading = rule + "N50Q_5 REV C\nBoard Version:  v2\n" + Weekdays[t.Day - 1] +
                                " Jul 0" + std::to_string(t.Day) + " " + t.Hhmmss.substr(0, 2) +
                                ":" + t.Hhmmss.substr(2, 2) + ":" + t.Hhmmss.substr(4, 2) +
                                " 2026\n" + rule;
    std::string text = heading + "Shorts Report for \"shorts\".\n" + rule +
                       "Short #1, Thresh 9, Delay 50us      Ohms\n"
                       "From: VCC_3V3               20375    4\n"
                       "To:   GND                  219157    4\n"
                       "Common Devices:\n"
                       "                  c12\n"
                       "                  u4\n"
                       "Total of 2 nodes, Message is:  None.\n"
                       "------End, 1 Problem Reported-----------\n";
    for (std::size_t f = 0; f < 8 + k % 16; ++f) {
        text += heading + "r" + std::to_string(f * 13 + k % 97) +
                " HAS FAILED\n\nREPLACE DEVICE: r" + std::to_string(f * 13 + k % 97) +
                "\n\nMeasured:   1.2451k\nNominal:    1.0000k\nResistance in OHMS\n" + rule;
    }
    return text + "Serial #: " + SerialOf(k % ShareUnits) + "\n";
}

std::string TriCsv(std::size_t k) {
    const Tested t = TestedOf(k);
    const std::string date = "2026070" + std::to_string(t.Day);
    std::string text = "// Header_Data\n"
                       "// PASS/FAIL, ICT_ID, SeriesNo, BoardName, BarCode, Date, Time, Result\n"
                       "FAIL,1,3,N50Q_5," +
                       SerialOf(k % ShareUnits) + "," + date + "," + t.Hhmmss +
                       ",F,0,0,,FPPF,1,F,3," + date + "," + t.Hhmmss +
                       ",0,,,0,0,16 sec\n\n"
                       "// Component_Data\n"
                       "// StepNum, PartName, Act_V, Std_V, HLim, LLim, Mode, Type, HPin, LPin, "
                       "Loc, Msr_V, Result\n";
    for (std::size_t row = 0; row < 20 + k % 30; ++row) {
        text += " " + std::to_string(70 + row) + ", R" + std::to_string(row + k % 50) +
                ",    1.000K  ,    1.000K  ,  10.0,  10.0, 0, R, 896, 302, C1, 1.2451K  , 1\n";
    }
    return text + "Short < 13 >-VCC_3V3 -> Parts:U4.2 < 50 >-GND -> Parts:C12.1\n";
}

// The share, written once for all runs.
struct ReportShare {
    QTemporaryDir Dir;
    std::string Root;
    std::int64_t NowMs = 0; // when every file has settled
    std::string Error;
};

const ReportShare& Share() {
    static ReportShare share = [] {
        ReportShare made;
        made.Root = made.Dir.path().toStdString();
        for (std::size_t k = 0; k < ShareReports && made.Error.empty(); ++k) {
            const std::string folder = made.Root + "/line" + std::to_string(k % 3 + 1) +
                                       "/2026-07-0" + std::to_string(TestedOf(k).Day);
            std::filesystem::create_directories(folder);
            const bool ticket = k % 2 == 0;
            const std::string path = folder + "/" + SerialOf(k % ShareUnits) + "_" +
                                     std::to_string(k) + (ticket ? "_report_out.txt" : ".csv");
            std::ofstream(path) << (ticket ? Ticket(k) : TriCsv(k));
            // The first look also makes the empty board reports are read against, once in a
            // program (15 MB for a moment), before anything is measured.
            if (k == 0 && ExamineFile(path, std::numeric_limits<std::int64_t>::max()).Result !=
                              FileFacts::Outcome::Report) {
                made.Error = "the bench's report is none";
            }
        }
        using namespace std::chrono;
        made.NowMs = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() +
                     2 * SettleMs;
        return made;
    }();
    return share;
}

// The peak of the process's resident memory (VmHWM), set back to what it holds now before the
// build (writing 5 to /proc/self/clear_refs), so that it measures the build's own peak however
// large an earlier one was. The memory glibc kept from an earlier run is given back first, so a
// run does not hide its growth in it. In KB; -1 when the kernel does not tell.
std::int64_t StatusKb(std::string_view field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::atoll(line.c_str() + field.size());
        }
    }
    return -1;
}

std::int64_t ResetPeakKb() {
    ::malloc_trim(0);
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5" << std::flush;
    return clear ? StatusKb("VmHWM:") : -1;
}

struct BuiltIndex {
    FolderIndexer Indexer;
    ReportIndex Index;
};

// A new indexer's walk of the share, every report put into the index.
void Build(BuiltIndex& built, std::int64_t nowMs) {
    IndexChanges changes = built.Indexer.WalkAll(nowMs);
    for (IndexedReport& report : changes.Put) {
        built.Index.Put(std::move(report));
    }
}

void unit_index_build(benchmark::State& state) {
    const ReportShare& share = Share();
    if (!share.Error.empty()) {
        state.SkipWithError(share.Error.c_str());
        return;
    }
    double peakGrowthMb = 0;
    std::optional<BuiltIndex> built;
    for (auto _ : state) {
        state.PauseTiming();
        built.reset();
        const std::int64_t before = ResetPeakKb();
        state.ResumeTiming();

        built.emplace(BuiltIndex{FolderIndexer({share.Root}), {}});
        Build(*built, share.NowMs);

        state.PauseTiming();
        if (before < 0) {
            state.SkipWithError("/proc/self/clear_refs cannot set back the peak memory");
            return;
        }
        peakGrowthMb = std::max(peakGrowthMb, double(StatusKb("VmHWM:") - before) / 1024.0);
        if (built->Index.Size() != ShareReports) {
            state.SkipWithError("the index holds other than the share's reports");
            return;
        }
        state.ResumeTiming();
    }
    state.counters["peak_growth_MB"] = peakGrowthMb;
    state.SetItemsProcessed(state.iterations() * std::int64_t(ShareReports));
}
BENCHMARK(unit_index_build)->Unit(benchmark::kMillisecond);

void unit_index_lookup(benchmark::State& state) {
    static const std::optional<BuiltIndex> built = [] {
        std::optional<BuiltIndex> made;
        if (Share().Error.empty()) {
            made.emplace(BuiltIndex{FolderIndexer({Share().Root}), {}});
            Build(*made, Share().NowMs);
        }
        return made;
    }();
    if (!built) {
        state.SkipWithError(Share().Error.c_str());
        return;
    }
    std::vector<std::string> serials;
    for (std::size_t unit = 0; unit < ShareUnits; ++unit) {
        serials.push_back(SerialOf(unit));
    }
    std::size_t k = 0;
    std::int64_t found = 0;
    for (auto _ : state) {
        const std::vector<IndexedReport> reports =
            built->Index.ReportsOf(serials[k++ % ShareUnits]);
        found += static_cast<std::int64_t>(reports.size());
        benchmark::DoNotOptimize(reports.data());
    }
    if (found != static_cast<std::int64_t>(state.iterations() * ShareReports / ShareUnits)) {
        state.SkipWithError("a unit has other than its reports");
    }
}
BENCHMARK(unit_index_lookup)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dorvik::bench
