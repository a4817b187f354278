// The repair log at the size of a line's year: a unit's history out of 1,000,000 records (goal: at
// most 5 ms), on SQLite and on PostgreSQL, and 100,000 records exported as CSV (goal: at most 2 s)
// and as IPC-CFX messages (goal: at most 3 s) to a stream that drops what it gets.
#include "BenchLog.h"

#include "linefigures/LineCounts.h"
#include "repairlog/LogExport.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

namespace dorvik::bench {
namespace {

constexpr std::size_t ExportRecords = 100'000;

// Counts the bytes written to it and keeps none.
class NullBuffer final : public std::streambuf {
public:
    std::int64_t Bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        Bytes += count;
        return count;
    }
    int_type overflow(int_type c) override {
        ++Bytes;
        return traits_type::not_eof(c);
    }
};

void History(benchmark::State& state, RecordStore* store, const QString& error) {
    if (store == nullptr) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    std::size_t k = 0;
    std::int64_t records = 0;
    for (auto _ : state) {
        QString failure;
        const auto history = store->History(BenchLogSerial(k++), failure);
        if (!history) {
            state.SkipWithError(failure.toStdString().c_str());
            return;
        }
        records += static_cast<std::int64_t>(history->size());
    }
    state.counters["records"] = benchmark::Counter(double(records) / double(state.iterations()));
}

void repair_log_history(benchmark::State& state) {
    QString error;
    RecordStore* store = BenchLogSqlite(error);
    History(state, store, error);
}
BENCHMARK(repair_log_history)->Unit(benchmark::kMillisecond);

void repair_log_history_postgres(benchmark::State& state) {
    QString error;
    RecordStore* store = BenchLogPostgres(error);
    History(state, store, error);
}
BENCHMARK(repair_log_history_postgres)->Unit(benchmark::kMillisecond);

// The first ExportRecords records of the log, exported as dorvik-log exports them.
void Export(benchmark::State& state, ExportForm form) {
    QString error;
    RecordStore* store = BenchLogSqlite(error);
    if (store == nullptr) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    const std::int64_t from = BenchLogRecord(0).Recorded;
    const std::int64_t until = BenchLogRecord(ExportRecords).Recorded;
    NullBuffer dropped;
    std::ostream out(&dropped);
    for (auto _ : state) {
        const auto exported = ExportLog(*store, form, from, until, ExportSink(out), error);
        if (!exported || !exported->Written || exported->Records != std::int64_t(ExportRecords)) {
            state.SkipWithError(error.isEmpty() ? "not the records of the bench log"
                                                : error.toStdString().c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(ExportRecords));
    state.SetBytesProcessed(dropped.Bytes);
}

void repair_log_export_csv(benchmark::State& state) {
    Export(state, ExportForm::Csv);
}
BENCHMARK(repair_log_export_csv)->Unit(benchmark::kMillisecond);

void repair_log_export_cfx(benchmark::State& state) {
    Export(state, ExportForm::Cfx);
}
BENCHMARK(repair_log_export_cfx)->Unit(benchmark::kMillisecond);

// A board type's Pareto by part and its figures over the whole log (goal: at most 500 ms each),
// as the Pareto window and dorvik-log ask for them.
void Figures(benchmark::State& state, RecordStore* store, const QString& error, bool pareto) {
    if (store == nullptr) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    const FigureScope scope{BenchLogRecord(0).Board};
    for (auto _ : state) {
        QString failure;
        const bool counted = pareto
                                 ? CountPareto(*store, scope, ParetoBy::Part, failure).has_value()
                                 : CountFigures(*store, scope, failure).has_value();
        if (!counted) {
            state.SkipWithError(failure.toStdString().c_str());
            return;
        }
    }
}

void line_pareto(benchmark::State& state) {
    QString error;
    RecordStore* store = BenchLogSqlite(error);
    Figures(state, store, error, true);
}
BENCHMARK(line_pareto)->Unit(benchmark::kMillisecond);

void line_pareto_postgres(benchmark::State& state) {
    QString error;
    RecordStore* store = BenchLogPostgres(error);
    Figures(state, store, error, true);
}
BENCHMARK(line_pareto_postgres)->Unit(benchmark::kMillisecond);

void line_figures(benchmark::State& state) {
    QString error;
    RecordStore* store = BenchLogSqlite(error);
    Figures(state, store, error, false);
}
BENCHMARK(line_figures)->Unit(benchmark::kMillisecond);

void line_figures_postgres(benchmark::State& state) {
    QString error;
    RecordStore* store = BenchLogPostgres(error);
    Figures(state, store, error, false);
}
BENCHMARK(line_figures_postgres)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvik::bench
