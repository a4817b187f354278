#include "BenchLog.h"

#include "BenchPostgres.h"

#include "repairlog/LogLocation.h"
#include "repairlog/RepairActions.h"
#include "repairlog/UtcTime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>

#include <algorithm>
#include <array>
#include <cstdio>

namespace dorvik::bench {
namespace {

constexpr std::size_t RecordsPerVisit = 3;
constexpr std::size_t Serials = 120'000;
constexpr std::int64_t VisitSpacingMs = 95'000; // 333,334 visits over a year
constexpr std::int64_t RepairSpacingMs = 40'000;
const std::int64_t LogStart = *DayStartUtc("2026-01-01");

constexpr std::array Operators{"anna", "ben", "chen", "dara", "emil", "fatma", "goran", "hana"};

std::string Number(std::size_t value, int digits) {
    std::string text = std::to_string(value);
    return std::string(text.size() < std::size_t(digits) ? digits - text.size() : 0, '0') + text;
}

std::string IdOf(std::size_t k) {
    char text[48]; // room for all 16 digits of a 64-bit k
    std::snprintf(text, sizeof text, "00000000-0000-4000-8000-%012zx", k);
    return text;
}

std::string SerialOf(std::size_t visit) {
    return "SN" + Number(visit * 7919 % Serials, 6);
}

// Whether the database holds the whole log: its last record is there (the log is loaded in one
// transaction, so it holds the last only with all the others).
bool HoldsBenchLog(RecordStore& store, QString& error) {
    const RepairRecord last = BenchLogRecord(BenchLogRecords - 1);
    const auto history = store.History(QString::fromStdString(last.Serial), error);
    return history && std::any_of(history->begin(), history->end(),
                                  [&](const RepairRecord& r) { return r.Id == last.Id; });
}

// The open logs, closed while the application still is: Qt's database drivers go with it.
struct OpenLogs {
    std::unique_ptr<RecordStore> Sqlite;
    QString SqliteFailure;
    std::unique_ptr<RecordStore> Postgres;
    QString PostgresFailure;
    bool PostgresTried = false;
};

OpenLogs& Logs() {
    static OpenLogs logs;
    static const bool closed = [] {
        qAddPostRoutine([] {
            Logs().Sqlite.reset();
            Logs().Postgres.reset();
        });
        return true;
    }();
    (void)closed;
    return logs;
}

// Prints how long making the log took: it happens once per cache file or database.
void Report(const char* what, const QElapsedTimer& timer) {
    std::fprintf(stderr, "%s: %zu records made in %.1f s\n", what, BenchLogRecords,
                 timer.elapsed() / 1000.0);
}

} // namespace

RepairRecord BenchLogRecord(std::size_t k) {
    const std::size_t visit = k / RecordsPerVisit;
    const std::size_t slot = k % RecordsPerVisit;
    const std::size_t mix = visit * 2654435761u + slot * 40503u;
    const bool reversal = visit % 40 == 0 && slot == 2;
    RepairRecord r;
    r.Id = IdOf(k);
    r.Recorded = LogStart + static_cast<std::int64_t>(visit) * VisitSpacingMs +
                 static_cast<std::int64_t>(slot) * RepairSpacingMs;
    r.Shown = r.Recorded - 30'000 - static_cast<std::int64_t>(mix % 600'000);
    r.Serial = SerialOf(visit);
    r.Board = "MB-" + Number(200 + visit % 7, 3);
    r.BoardFile = "mb" + Number(200 + visit % 7, 3) + ".brd";
    r.ReportFile = visit % 5 == 0 ? "" : r.Serial + "_" + std::to_string(visit) + ".txt";
    r.Fault = static_cast<std::int32_t>(reversal ? 2 : slot + 1);
    const std::size_t probe = mix % 4000;
    r.Kind = mix % 3 == 0 ? "Open" : "Short";
    r.Lines = (r.Kind == "Open" ? "open " : "short ") + std::to_string(probe) + " " +
              std::to_string(probe + 17) + " | comp U" + std::to_string(mix % 400);
    r.Description = r.Kind + " #" + std::to_string(slot + 1) + ": N" + std::to_string(probe) +
                    " to N" + std::to_string(probe + 17);
    r.Nets = "N" + std::to_string(probe) + " N" + std::to_string(probe + 17);
    r.Probes = std::to_string(probe) + " " + std::to_string(probe + 17);
    const RepairAction action = AllRepairActions[mix % AllRepairActions.size()];
    r.Action = ActionText(action);
    r.Result = ResultOf(action);
    r.Refdes =
        "U" + std::to_string(mix % 400) + (mix % 4 == 0 ? " C" + std::to_string(mix % 900) : "");
    r.Comment = mix % 7 == 0   ? "pads lifted, \"reworked\" twice"
                : mix % 3 == 0 ? ""
                               : "ok after rework";
    r.Operator = Operators[visit % Operators.size()];
    r.Bench = "bench-" + Number(visit % 12 + 1, 2);
    r.Version = "2.2";
    if (reversal) {
        r.Reverses = IdOf(k - 1);
    }
    return r;
}

QString BenchLogSerial(std::size_t k) {
    return QString::fromStdString(SerialOf(k * 104729 % (BenchLogRecords / RecordsPerVisit)));
}

RecordStore* BenchLogSqlite(QString& error) {
    std::unique_ptr<RecordStore>& store = Logs().Sqlite;
    QString& failure = Logs().SqliteFailure;
    if (store != nullptr || !failure.isEmpty()) {
        error = failure;
        return store.get();
    }
    const QString cache = QStringLiteral(DORVIK_BENCH_CACHE_DIR "/repair-log-1m-v3.sqlite");
    const LogLocation location{LogKind::Sqlite, cache, {}};
    store = RecordStore::OpenForReading(location, error);
    if (store != nullptr && store->Count(error) == std::int64_t(BenchLogRecords)) {
        return store.get();
    }
    store.reset();
    // Made under another name first, so that an interrupted run leaves no half log behind.
    const QString making = cache + QStringLiteral(".making");
    for (const char* companion : {"", "-wal", "-shm"}) {
        QFile::remove(making + QLatin1String(companion));
    }
    QElapsedTimer timer;
    timer.start();
    {
        const auto writable = RecordStore::OpenSqlite(making, error);
        if (writable != nullptr) {
            // A file of its own that is renamed only once whole needs neither journal nor sync.
            QSqlQuery fast(writable->Database());
            for (const char* pragma : {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF",
                                       "PRAGMA cache_size=-262144"}) {
                fast.exec(QString::fromLatin1(pragma));
            }
        }
        if (writable == nullptr || !writable->Load(BenchLogRecords, BenchLogRecord, error)) {
            failure = QStringLiteral("%1: %2").arg(making, error);
            error = failure;
            return nullptr;
        }
    }
    QFile::remove(cache);
    if (!QFile::rename(making, cache)) {
        failure = QStringLiteral("%1 cannot be renamed to %2").arg(making, cache);
        error = failure;
        return nullptr;
    }
    Report("bench SQLite log", timer);
    store = RecordStore::OpenForReading(location, error);
    if (store == nullptr) {
        failure = error;
    }
    return store.get();
}

RecordStore* BenchLogPostgres(QString& error) {
    std::unique_ptr<RecordStore>& store = Logs().Postgres;
    QString& failure = Logs().PostgresFailure;
    bool& tried = Logs().PostgresTried;
    error = failure;
    if (tried) {
        return store.get();
    }
    tried = true;
    std::string whyNot;
    const std::optional<QString> conninfo = BenchPostgresDatabase(whyNot);
    if (!conninfo) {
        failure = QString::fromStdString(whyNot);
        error = failure;
        return nullptr;
    }
    store = RecordStore::OpenPostgres(*conninfo, failure);
    const std::optional<std::int64_t> count =
        store != nullptr ? store->Count(failure) : std::nullopt;
    if (count == 0) {
        QElapsedTimer timer;
        timer.start();
        if (store->Load(BenchLogRecords, BenchLogRecord, failure)) {
            Report("bench PostgreSQL log", timer);
            // As autovacuum leaves a line database in service: its statistics gathered and its
            // pages marked all-visible, so that the planner knows the tables and index-only scans
            // can answer.
            for (const char* table : {"repair_record", "repair_item"}) {
                QSqlQuery vacuum(store->Database());
                vacuum.exec(QStringLiteral("VACUUM ANALYZE %1").arg(QLatin1String(table)));
            }
        } else {
            store.reset();
        }
    } else if (count && !HoldsBenchLog(*store, failure)) {
        // Other benchmarks' records beside the log do no harm; a database without it does.
        if (failure.isEmpty()) {
            failure = QStringLiteral("%1 holds %2 records but not the bench log; give an empty "
                                     "database")
                          .arg(LocationName(ParseLogLocation(*conninfo, {})))
                          .arg(*count);
        }
        store.reset();
    } else if (!count) {
        store.reset();
    }
    error = failure;
    return store.get();
}

} // namespace dorvik::bench
