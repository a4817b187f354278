#pragma once
// What is wrong in a repair log, each finding one line of text: a reversal that names no record,
// a record reversed more than once, a reversal of a reversal, and what the database's own checks
// find (SQLite's integrity check; on both, the schema version and the guard triggers that keep
// records from being changed or deleted). Reads only.

#include "repairlog/RecordStore.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace dorvik {

// The findings, oldest reversal first within each kind; empty for a sound log. Nothing, with the
// reason, when the database cannot be read.
std::optional<std::vector<std::string>> CheckLog(RecordStore& store, QString& error);

} // namespace dorvik
