#pragma once
// Write transactions the same way on both databases. SQLite's take the write lock at once, so
// that two writers wait for each other (within the busy timeout) instead of failing halfway.

#include "repairlog/LogLocation.h"

#include <QString>

class QSqlDatabase;

namespace dorvik {

bool BeginWrite(QSqlDatabase& db, LogKind kind, QString& error);
bool CommitWrite(QSqlDatabase& db, LogKind kind, QString& error);
void RollbackWrite(QSqlDatabase& db, LogKind kind);

} // namespace dorvik
