// From OK in the Repair window to the tick shown: the record committed in the bench file (WAL,
// full sync) as RepairStation::Tick commits it, and in the line database as the sender commits
// it; and how far one line server goes with N bench processes committing as fast as they can.
// The line database is the one BenchPostgresDatabase gives.
#include "RepairCommitBench.h"

#include "BenchPostgres.h"

#include "repairlog/LogLocation.h"
#include "repairlog/RecordStore.h"
#include "repairlog/RepairLog.h"
#include "repairlog/UtcTime.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dorvik::bench {
namespace {

using Clock = std::chrono::steady_clock;

// A repair as a bench records it: a short, a part, the operator's few words.
RepairRecord TypicalRecord() {
    RepairRecord r;
    r.Id = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    r.Recorded = NowUtcMs();
    r.Shown = r.Recorded - 95'000;
    r.Serial = "SN-240117-0042";
    r.Board = "MB-200";
    r.BoardFile = "mb200.brd";
    r.ReportFile = "SN-240117-0042.txt";
    r.Fault = 2;
    r.Kind = "Short";
    r.Lines = "short 12 34 | comp U5";
    r.Description = "Short #1: VCC to GND";
    r.Nets = "VCC GND";
    r.Probes = "12 34";
    r.Action = "Solder bridge removed";
    r.Result = "RepairSuccessful";
    r.Refdes = "U5";
    r.Comment = "bridge between pins 3 and 4";
    r.Operator = "anna";
    r.Bench = "bench-7";
    r.Version = "2.2";
    return r;
}

double Quantile(std::vector<double> values, double q) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

void SetLatencies(benchmark::State& state, const std::vector<double>& ms) {
    state.counters["p50_ms"] = Quantile(ms, 0.5);
    state.counters["p99_ms"] = Quantile(ms, 0.99);
}

// Commits a new record each iteration, timing each commit alone.
template <class Commit>
void TimeCommits(benchmark::State& state, Commit commit, const QString& error) {
    std::vector<double> ms;
    for (auto _ : state) {
        const RepairRecord record = TypicalRecord();
        const Clock::time_point start = Clock::now();
        if (!commit(record)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    SetLatencies(state, ms);
}

// RepairLog::Record on a bench file: what RepairStation::Tick waits for before the tick shows.
void repair_commit_bench_file(benchmark::State& state) {
    const QTemporaryDir dir;
    RepairLog log(LogLocation{LogKind::Sqlite, dir.filePath(QStringLiteral("repairs.sqlite")), {}});
    QString error;
    if (!log.Ready(error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    TimeCommits(
        state, [&](const RepairRecord& record) { return log.Record(record, error); }, error);
}
BENCHMARK(repair_commit_bench_file)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// RecordStore::Insert of one record into the line database over loopback, as the sender sends a
// tick that arrived alone.
void repair_commit_line(benchmark::State& state) {
    std::string whyNot;
    const std::optional<QString> conninfo = BenchPostgresDatabase(whyNot);
    if (!conninfo) {
        state.SkipWithError(whyNot.c_str());
        return;
    }
    QString error;
    const auto line = RecordStore::OpenPostgres(*conninfo, error);
    if (line == nullptr) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    TimeCommits(
        state,
        [&](const RepairRecord& record) {
            return line->Insert({&record, 1}, error);
        },
        error);
}
BENCHMARK(repair_commit_line)->Unit(benchmark::kMillisecond)->MinTime(1.0);

constexpr int WriterSeconds = 5;

// Range 0: bench processes committing at once into one line database for WriterSeconds.
void line_server_reach(benchmark::State& state) {
    std::string whyNot;
    const std::optional<QString> conninfo = BenchPostgresDatabase(whyNot);
    if (!conninfo) {
        state.SkipWithError(whyNot.c_str());
        return;
    }
    {
        QString error; // the schema made once, before the benches start
        if (RecordStore::OpenPostgres(*conninfo, error) == nullptr) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
    }
    const int benches = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::vector<std::unique_ptr<QProcess>> writers;
        for (int b = 0; b < benches; ++b) {
            auto& writer = writers.emplace_back(std::make_unique<QProcess>());
            writer->start(
                QCoreApplication::applicationFilePath(),
                {QLatin1String(LineWriterOption), *conninfo, QString::number(WriterSeconds)});
        }
        for (auto& writer : writers) {
            while (writer->state() != QProcess::NotRunning && !writer->canReadLine() &&
                   writer->waitForReadyRead(60000)) {
            }
            writer->readLine(); // "ready"
        }
        const Clock::time_point start = Clock::now();
        for (auto& writer : writers) {
            writer->write("go\n");
            writer->waitForBytesWritten(); // now, not once the event loop runs
        }
        std::int64_t records = 0;
        std::vector<double> ms;
        for (auto& writer : writers) {
            writer->waitForFinished((WriterSeconds + 60) * 1000);
            const QStringList lines =
                QString::fromUtf8(writer->readAllStandardOutput()).split(u'\n');
            for (const QString& line : lines) {
                if (line.startsWith(QLatin1String("done "))) {
                    records += line.mid(5).toLongLong();
                } else if (line.startsWith(QLatin1String("us "))) {
                    for (const QString& us : line.mid(3).split(u' ', Qt::SkipEmptyParts)) {
                        ms.push_back(us.toDouble() / 1000.0);
                    }
                }
            }
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        state.counters["records_per_s"] = static_cast<double>(records) / seconds;
        SetLatencies(state, ms);
    }
}
BENCHMARK(line_server_reach)
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Arg(64)
    ->Iterations(1)
    ->Repetitions(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int RunLineWriter(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s CONNINFO SECONDS\n", LineWriterOption);
        return 2;
    }
    QString error;
    const auto line = RecordStore::OpenPostgres(QString::fromLocal8Bit(argv[2]), error);
    if (line == nullptr) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go);
    const Clock::time_point end = Clock::now() + std::chrono::seconds(std::atoi(argv[3]));
    std::vector<long long> us;
    while (Clock::now() < end) {
        const RepairRecord record = TypicalRecord();
        const Clock::time_point start = Clock::now();
        if (!line->Insert({&record, 1}, error)) {
            std::fprintf(stderr, "%s\n", error.toUtf8().constData());
            return 1;
        }
        us.push_back(
            std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count());
    }
    std::printf("done %zu\nus", us.size());
    for (const long long t : us) {
        std::printf(" %lld", t);
    }
    std::printf("\n");
    return 0;
}

} // namespace dorvik::bench
