#pragma once
// The repair log the benchmarks read: 1,000,000 records of a year at a line of twelve benches,
// three to a unit visit, one visit in forty with a repair reversed. Made once into an SQLite file
// under the build tree and read from there by later runs; loaded once into the PostgreSQL
// database BenchPostgresDatabase gives.

#include "repairlog/RecordStore.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace dorvik::bench {

inline constexpr std::size_t BenchLogRecords = 1'000'000;

// Record k of the log; records come in time order.
RepairRecord BenchLogRecord(std::size_t k);
// A serial of the log, for the k-th look-up of a unit's history.
QString BenchLogSerial(std::size_t k);

// The cached SQLite file, opened to read; made first when it is missing. Nothing, with the reason
// in `error`, when it cannot be made.
RecordStore* BenchLogSqlite(QString& error);
// The PostgreSQL database BenchPostgresDatabase gives, filled first when it is empty; nothing,
// with the reason in `error`, when there is none or it holds other records and not the log.
RecordStore* BenchLogPostgres(QString& error);

} // namespace dorvik::bench
