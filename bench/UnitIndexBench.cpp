// The unit index at the size of a line's report share: 10,000 reports (Keysight 3070 failure
// tickets and TRI CSV failure files of a few KB, 2,500 units, twelve folders) indexed by a new
// indexer (goal: at most 3 s, and at most 50 MB more memory at the peak), and a unit's reports
// looked up among them (goal: at most 1 ms).
#include "ReportShare.h"

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
