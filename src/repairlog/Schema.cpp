#include "repairlog/Schema.h"

#include "repairlog/SqlText.h"
#include "repairlog/SqlTransaction.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <vector>

namespace dorvik {
namespace {

// Steps are constant texts: no value of a record ever becomes SQL text.
using Statements = std::vector<const char*>;

const Statements& RecordTables() {
    static const Statements statements{
        "CREATE TABLE repair_record ("
        " id TEXT PRIMARY KEY,"
        " recorded TEXT NOT NULL, recorded_ms BIGINT NOT NULL,"
        " shown TEXT NOT NULL, shown_ms BIGINT NOT NULL,"
        " serial TEXT NOT NULL, board TEXT NOT NULL, board_file TEXT NOT NULL,"
        " report_file TEXT NOT NULL, fault INTEGER NOT NULL, kind TEXT NOT NULL,"
        " lines TEXT NOT NULL, description TEXT NOT NULL, nets TEXT NOT NULL,"
        " probes TEXT NOT NULL, action TEXT NOT NULL,"
        " result TEXT NOT NULL CHECK (result IN ('RepairSuccessful', 'UnableToRepair', 'Scrap')),"
        " refdes TEXT NOT NULL, comment TEXT NOT NULL, operator TEXT NOT NULL,"
        " bench TEXT NOT NULL, version TEXT NOT NULL,"
        " reverses TEXT NOT NULL CHECK (reverses <> id),"
        // When the report says the unit was tested: a tester may name every report of a unit
        // alike, so the file's name alone does not tell one visit from the next.
        " report_tested TEXT NOT NULL DEFAULT '')",
        "CREATE INDEX repair_record_serial ON repair_record (serial, recorded_ms)",
        "CREATE INDEX repair_record_board ON repair_record (board, recorded_ms)",
        "CREATE INDEX repair_record_recorded ON repair_record (recorded_ms)",
        "CREATE INDEX repair_record_reverses ON repair_record (reverses)",
        // Each part, net and probe a record names, so that the database counts them.
        "CREATE TABLE repair_item ("
        " record_id TEXT NOT NULL, item TEXT NOT NULL CHECK (item IN ('part', 'net', 'probe')),"
        " name TEXT NOT NULL, PRIMARY KEY (record_id, item, name))",
        "CREATE INDEX repair_item_name ON repair_item (item, name)",
    };
    return statements;
}

// No bench can rewrite history: the database itself refuses to change or delete a record.
const Statements& SqliteGuards() {
    static const Statements statements{
        "CREATE TRIGGER repair_record_never_changed BEFORE UPDATE ON repair_record"
        " BEGIN SELECT RAISE(ABORT, 'repair records are never changed'); END",
        "CREATE TRIGGER repair_record_never_deleted BEFORE DELETE ON repair_record"
        " BEGIN SELECT RAISE(ABORT, 'repair records are never deleted'); END",
        "CREATE TRIGGER repair_item_never_changed BEFORE UPDATE ON repair_item"
        " BEGIN SELECT RAISE(ABORT, 'repair records are never changed'); END",
        "CREATE TRIGGER repair_item_never_deleted BEFORE DELETE ON repair_item"
        " BEGIN SELECT RAISE(ABORT, 'repair records are never deleted'); END",
        // The bench file is also the outbox of a line database: what has been sent there.
        "CREATE TABLE outbox_sent (id TEXT PRIMARY KEY, sent_ms BIGINT NOT NULL)",
    };
    return statements;
}

const Statements& PostgresGuards() {
    static const Statements statements{
        "CREATE FUNCTION dorvik_refuse_change() RETURNS trigger LANGUAGE plpgsql AS $$"
        " BEGIN RAISE EXCEPTION 'repair records are never changed or deleted'; END $$",
        "CREATE TRIGGER repair_record_never_changed BEFORE UPDATE OR DELETE ON repair_record"
        " FOR EACH ROW EXECUTE FUNCTION dorvik_refuse_change()",
        "CREATE TRIGGER repair_record_never_truncated BEFORE TRUNCATE ON repair_record"
        " FOR EACH STATEMENT EXECUTE FUNCTION dorvik_refuse_change()",
        "CREATE TRIGGER repair_item_never_changed BEFORE UPDATE OR DELETE ON repair_item"
        " FOR EACH ROW EXECUTE FUNCTION dorvik_refuse_change()",
        "CREATE TRIGGER repair_item_never_truncated BEFORE TRUNCATE ON repair_item"
        " FOR EACH STATEMENT EXECUTE FUNCTION dorvik_refuse_change()",
    };
    return statements;
}

// The triggers the guards above create, by name, for the check of a log.
const std::vector<GuardTrigger>& SqliteGuardTriggers() {
    static const std::vector<GuardTrigger> triggers{
        {"repair_record", "repair_record_never_changed"},
        {"repair_record", "repair_record_never_deleted"},
        {"repair_item", "repair_item_never_changed"},
        {"repair_item", "repair_item_never_deleted"},
    };
    return triggers;
}

const std::vector<GuardTrigger>& PostgresGuardTriggers() {
    static const std::vector<GuardTrigger> triggers{
        {"repair_record", "repair_record_never_changed"},
        {"repair_record", "repair_record_never_truncated"},
        {"repair_item", "repair_item_never_changed"},
        {"repair_item", "repair_item_never_truncated"},
    };
    return triggers;
}

// The statements that take a database from version `to - 1` to `to`.
std::vector<const char*> StepTo(int to, LogKind kind) {
    std::vector<const char*> step;
    if (to == 1) {
        step = RecordTables();
        const Statements& guards = kind == LogKind::Sqlite ? SqliteGuards() : PostgresGuards();
        step.insert(step.end(), guards.begin(), guards.end());
    } else if (to == 2) {
        // Everything the figures of a board type read, so that they are counted from the index
        // alone rather than from each record's row.
        step.push_back("CREATE INDEX repair_record_counted ON repair_record (board, recorded_ms,"
                       " reverses, id, serial, action, shown_ms, operator, report_file,"
                       " report_tested, bench)");
    }
    return step;
}

bool Run(QSqlDatabase& db, const char* statement, QString& error) {
    QSqlQuery query(db);
    if (!query.exec(QString::fromLatin1(statement))) {
        error = SqlError(query.lastError());
        return false;
    }
    return true;
}

// Both tables in one statement, so at one moment: looked up one after the other, a schema that
// another bench commits in between would seem to have records and no version.
bool HasTables(QSqlDatabase& db, LogKind kind, bool& versioned, bool& records, QString& error) {
    QSqlQuery query(db);
    // A file that is no database fails already here; its reason is the one to give.
    const bool prepared = query.prepare(
        kind == LogKind::Sqlite
            ? QStringLiteral("SELECT name FROM sqlite_master"
                             " WHERE type = 'table' AND name IN (?, ?)")
            : QStringLiteral("SELECT tablename FROM pg_catalog.pg_tables"
                             " WHERE schemaname = current_schema() AND tablename IN (?, ?)"));
    query.addBindValue(QStringLiteral("dorvik_schema"));
    query.addBindValue(QStringLiteral("repair_record"));
    if (!prepared || !query.exec()) {
        error = SqlError(query.lastError());
        return false;
    }
    versioned = records = false;
    while (query.next()) {
        const QString name = query.value(0).toString();
        versioned = versioned || name == QLatin1String("dorvik_schema");
        records = records || name == QLatin1String("repair_record");
    }
    return true;
}

// Only one program creates or upgrades a database at a time; the others wait, then find it done.
bool BeginExclusive(QSqlDatabase& db, LogKind kind, QString& error) {
    if (!BeginWrite(db, kind, error)) {
        return false;
    }
    if (kind == LogKind::Postgres && !Run(db, "SELECT pg_advisory_xact_lock(4242020)", error)) {
        RollbackWrite(db, kind);
        return false;
    }
    return true;
}

QString NewerText(int found) {
    return QStringLiteral("it holds a repair log of schema version %1, newer than this program "
                          "knows (%2); it was left untouched")
        .arg(found)
        .arg(SchemaVersion);
}

} // namespace

QString SchemaRefusal(int found) {
    if (found == SchemaVersion) {
        return QString();
    }
    if (found == 0) {
        return QStringLiteral("it holds no repair log");
    }
    if (found > SchemaVersion) {
        return NewerText(found);
    }
    return QStringLiteral("it holds a repair log of schema version %1, older than this program's "
                          "(%2); Dorvik brings it up to date when it next records in it")
        .arg(found)
        .arg(SchemaVersion);
}

const std::vector<GuardTrigger>& GuardTriggers(LogKind kind) {
    return kind == LogKind::Sqlite ? SqliteGuardTriggers() : PostgresGuardTriggers();
}

std::optional<int> ReadSchemaVersion(QSqlDatabase& db, LogKind kind, QString& error) {
    bool versioned = false;
    bool records = false;
    if (!HasTables(db, kind, versioned, records, error)) {
        return std::nullopt;
    }
    if (!versioned) {
        if (records) {
            error = QStringLiteral("it holds a repair_record table without a schema version");
            return std::nullopt;
        }
        return 0;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM dorvik_schema")) || !query.next()) {
        error = SqlError(query.lastError());
        return std::nullopt;
    }
    return query.value(0).toInt();
}

bool UpgradeSchema(QSqlDatabase& db, LogKind kind, int from, int to, QString& error) {
    for (int version = from + 1; version <= to; ++version) {
        for (const char* statement : StepTo(version, kind)) {
            if (!Run(db, statement, error)) {
                return false;
            }
        }
        if (version == 1 && !Run(db,
                                 "CREATE TABLE dorvik_schema (version INTEGER NOT NULL,"
                                 " upgraded_ms BIGINT NOT NULL)",
                                 error)) {
            return false;
        }
        QSqlQuery query(db);
        query.prepare(
            QStringLiteral("INSERT INTO dorvik_schema (version, upgraded_ms) VALUES (?, ?)"));
        query.addBindValue(version);
        query.addBindValue(QVariant::fromValue<qlonglong>(QDateTime::currentMSecsSinceEpoch()));
        if (!query.exec()) {
            error = SqlError(query.lastError());
            return false;
        }
    }
    return true;
}

SchemaCheck EnsureSchema(QSqlDatabase& db, LogKind kind) {
    SchemaCheck check;
    const std::optional<int> found = ReadSchemaVersion(db, kind, check.Error);
    if (!found) {
        return check;
    }
    check.Found = *found;
    if (*found > SchemaVersion) {
        check.Error = NewerText(*found);
        return check;
    }
    if (*found == SchemaVersion) {
        check.Usable = true;
        return check;
    }
    if (!BeginExclusive(db, kind, check.Error)) {
        return check;
    }
    // Another program may have upgraded it while this one waited for the lock.
    const std::optional<int> now = ReadSchemaVersion(db, kind, check.Error);
    if (!now || *now > SchemaVersion) {
        RollbackWrite(db, kind);
        if (now) {
            check.Error = NewerText(*now);
        }
        return check;
    }
    if (!UpgradeSchema(db, kind, *now, SchemaVersion, check.Error) ||
        !CommitWrite(db, kind, check.Error)) {
        RollbackWrite(db, kind);
        return check;
    }
    check.Usable = true;
    return check;
}

} // namespace dorvik
