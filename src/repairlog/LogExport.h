#pragma once
// The records of a span of time read from a log and written in one of the export forms, as
// dorvik-log exports them: CSV, or IPC-CFX messages with what the whole log reverses.

#include "repairlog/ExportSink.h"
#include "repairlog/RecordStore.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace dorvik {

enum class ExportForm { Csv, Cfx };

struct Exported {
    std::int64_t Records = 0; // read from the log
    bool Written = false;     // every byte reached the sink
};

// The records recorded in [fromMs, untilMs); nothing, with the reason, when the log could not be
// read.
std::optional<Exported> ExportLog(RecordStore& store, ExportForm form, std::int64_t fromMs,
                                  std::int64_t untilMs, ExportSink sink, QString& error);

} // namespace dorvik
