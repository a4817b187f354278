#pragma once
// The repair log's schema, the same tables on SQLite and PostgreSQL, created and upgraded by the
// program itself: a version in the database, one step per version, each upgrade in one
// transaction. A database of a newer version than this program knows is refused, never touched.

#include "repairlog/LogLocation.h"

#include <QString>

#include <optional>
#include <vector>

class QSqlDatabase;

namespace dorvik {

// The version this program writes. 1: the records, their items and the guards; 2: the index the
// line's figures count through.
inline constexpr int SchemaVersion = 2;

struct SchemaCheck {
    bool Usable = false;
    int Found = 0; // the version found before any upgrade; 0 for a new database
    QString Error; // why the database cannot be used
};

// Brings the database to SchemaVersion. Reads only when it is current already, so a role that
// may only read and insert can use a current line database.
SchemaCheck EnsureSchema(QSqlDatabase& db, LogKind kind);

// Takes the database from version `from` to `to`, one step per version, within the transaction
// the caller holds.
bool UpgradeSchema(QSqlDatabase& db, LogKind kind, int from, int to, QString& error);

// The version a database holds (0 when it holds no repair log), or nothing when it cannot be read.
std::optional<int> ReadSchemaVersion(QSqlDatabase& db, LogKind kind, QString& error);

// Why a program that must leave the database as it is cannot read one of version `found` (0: no
// repair log at all); empty when the version is this program's.
QString SchemaRefusal(int found);

// A trigger by which the database itself refuses to change or delete a record.
struct GuardTrigger {
    const char* Table;
    const char* Name;
};
const std::vector<GuardTrigger>& GuardTriggers(LogKind kind);

// Runs the steps from version `from` (exclusive) to `to`, for the tests of each upgrade.
bool UpgradeSchema(QSqlDatabase& db, LogKind kind, int from, int to, QString& error);

} // namespace dorvik
