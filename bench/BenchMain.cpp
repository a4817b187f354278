// Runs the benchmarks with repetitions, reports medians, and prints the ratios the redraw and
// the reader are judged by: load / raw_read, redraw / redraw_reference and select_fault /
// fault_display.
#include "RepairCommitBench.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// Keeps the median real time of every benchmark, in milliseconds, and the median of the unit
// index's peak memory growth, in MB.
class MedianReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                medians[run.run_name.str()] = run.GetAdjustedRealTime() /
                                              benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
                if (const auto growth = run.counters.find("peak_growth_MB");
                    growth != run.counters.end()) {
                    peakGrowthMb[run.run_name.str()] = growth->second.value;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
    std::map<std::string, double> peakGrowthMb;
};

void PrintUnitIndexGoals(const MedianReporter& reporter) {
    if (const auto build = reporter.medians.find("unit_index_build");
        build != reporter.medians.end()) {
        std::printf("  unit_index_build %.2f (goal: at most 3000)\n", build->second);
    }
    if (const auto growth = reporter.peakGrowthMb.find("unit_index_build");
        growth != reporter.peakGrowthMb.end()) {
        std::printf("  unit_index_build peak memory growth %.1f MB (goal: at most 50)\n",
                    growth->second);
    }
    if (const auto lookup = reporter.medians.find("unit_index_lookup");
        lookup != reporter.medians.end()) {
        std::printf("  unit_index_lookup %.4f (goal: at most 1)\n", lookup->second);
    }
}

void PrintRatios(const std::map<std::string, double>& medians) {
    std::printf("\nMedians and ratios (ms):\n");
    const auto load = medians.find("load");
    const auto raw = medians.find("raw_read");
    if (load != medians.end() && raw != medians.end()) {
        std::printf("  load %.2f  raw_read %.2f  load / raw_read %.2f\n", load->second, raw->second,
                    load->second / raw->second);
    }
    if (const auto netlist = medians.find("open_netlist"); netlist != medians.end()) {
        std::printf("  open_netlist %.2f (goal: at most 30)\n", netlist->second);
    }
    // Each run of these, whatever its arguments ("repair_commit_line/min_time:1.000").
    for (const auto& [name, goal] :
         {std::pair{"repair_commit_bench_file", 10.0}, std::pair{"repair_commit_line", 10.0},
          std::pair{"repair_log_history", 5.0}, std::pair{"repair_log_history_postgres", 5.0},
          std::pair{"repair_log_export_csv", 2000.0}, std::pair{"repair_log_export_cfx", 3000.0},
          std::pair{"line_pareto", 500.0}, std::pair{"line_pareto_postgres", 500.0},
          std::pair{"line_figures", 500.0}, std::pair{"line_figures_postgres", 500.0}}) {
        const std::string prefix = name;
        for (const auto& [run, ms] : medians) {
            if (run == prefix || run.rfind(prefix + '/', 0) == 0) {
                std::printf("  %s %.2f (goal: at most %.0f)\n", run.c_str(), ms, goal);
            }
        }
    }
    for (const auto& [name, ms] : medians) {
        if (name.rfind("redraw/", 0) != 0) {
            continue;
        }
        const auto ref = medians.find("redraw_reference" + name.substr(6));
        if (ref != medians.end()) {
            std::printf("  %-34s redraw %7.2f  reference %7.2f  ratio %.3f\n",
                        name.substr(7).c_str(), ms, ref->second, ms / ref->second);
        }
    }
    for (const auto& [name, ms] : medians) {
        if (name.rfind("select_fault/", 0) != 0) {
            continue;
        }
        const auto display = medians.find("fault_display" + name.substr(12));
        if (display != medians.end()) {
            std::printf("  %-34s select %7.2f  display %7.2f  ratio %.3f\n", name.c_str(), ms,
                        display->second, ms / display->second);
        }
    }
}

void PrintPeakMemory() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("  peak memory of this process: %.1f MB\n", usage.ru_maxrss / 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if (argc > 1 && std::string(argv[1]) == dorvik::bench::LineWriterOption) {
        return dorvik::bench::RunLineWriter(argc, argv);
    }

    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {repetitions.data(), aggregates.data()});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter.medians);
    PrintUnitIndexGoals(reporter);
    PrintPeakMemory();
    benchmark::Shutdown();
    return 0;
}
