#include "repairlog/LogCheck.h"

#include "repairlog/Schema.h"
#include "repairlog/SqlText.h"

#include <QSqlQuery>
#include <QVariant>

namespace dorvik {
namespace {

std::string Text(const QSqlQuery& query, int column) {
    return query.value(column).toString().toStdString();
}

bool Failed(const QSqlQuery& query, QString& error) {
    if (!query.lastError().isValid()) {
        return false;
    }
    error = SqlError(query.lastError());
    return true;
}

// The reversals of one record, as the query below gives them.
struct Reversals {
    std::string Target;
    bool TargetHeld = false;
    bool TargetIsReversal = false;
    std::vector<std::string> By; // oldest first
};

void Judge(const Reversals& r, std::vector<std::string>& findings) {
    if (!r.TargetHeld) {
        for (const std::string& by : r.By) {
            findings.push_back("reversal " + by + " cancels " + r.Target +
                               ", a record the log does not hold");
        }
        return;
    }
    if (r.TargetIsReversal) {
        for (const std::string& by : r.By) {
            findings.push_back("reversal " + by + " cancels " + r.Target +
                               ", which is a reversal itself");
        }
    }
    if (r.By.size() > 1) {
        std::string line =
            "record " + r.Target + " is reversed " + std::to_string(r.By.size()) + " times, by";
        for (std::size_t k = 0; k < r.By.size(); ++k) {
            line += (k == 0 ? " " : ", ") + r.By[k];
        }
        findings.push_back(line);
    }
}

bool CheckReversals(QSqlDatabase& db, std::vector<std::string>& findings, QString& error) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Every reversal with what it cancels, the reversals of one record together.
    if (!query.exec(
            QStringLiteral("SELECT r.reverses, r.id, o.id, o.reverses FROM repair_record r"
                           " LEFT JOIN repair_record o ON o.id = r.reverses WHERE r.reverses > ''"
                           " ORDER BY r.reverses, r.recorded_ms, r.id"))) {
        error = SqlError(query.lastError());
        return false;
    }
    Reversals run;
    while (query.next()) {
        std::string target = Text(query, 0);
        if (run.By.empty() || target != run.Target) {
            if (!run.By.empty()) {
                Judge(run, findings);
            }
            run = Reversals{std::move(target),
                            !query.value(2).isNull(),
                            !query.value(3).isNull() && !Text(query, 3).empty(),
                            {}};
        }
        run.By.push_back(Text(query, 1));
    }
    if (Failed(query, error)) {
        return false;
    }
    if (!run.By.empty()) {
        Judge(run, findings);
    }
    return true;
}

bool CheckSqliteIntegrity(QSqlDatabase& db, std::vector<std::string>& findings, QString& error) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA integrity_check"))) {
        error = SqlError(query.lastError());
        return false;
    }
    while (query.next()) {
        const std::string said = Text(query, 0);
        if (said != "ok") {
            findings.push_back("integrity check: " + said);
        }
    }
    return !Failed(query, error);
}

bool CheckGuards(QSqlDatabase& db, LogKind kind, std::vector<std::string>& findings,
                 QString& error) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(kind == LogKind::Sqlite
                      ? QStringLiteral("SELECT 'O' FROM sqlite_master"
                                       " WHERE type = 'trigger' AND tbl_name = ? AND name = ?")
                      // 'D' marks a trigger that was disabled, which guards nothing.
                      : QStringLiteral("SELECT t.tgenabled FROM pg_catalog.pg_trigger t"
                                       " JOIN pg_catalog.pg_class c ON c.oid = t.tgrelid"
                                       " JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace"
                                       " WHERE n.nspname = current_schema() AND c.relname = ?"
                                       " AND t.tgname = ?"));
    for (const GuardTrigger& guard : GuardTriggers(kind)) {
        query.addBindValue(QString::fromLatin1(guard.Table));
        query.addBindValue(QString::fromLatin1(guard.Name));
        if (!query.exec()) {
            error = SqlError(query.lastError());
            return false;
        }
        const std::string name = std::string(guard.Name) + " on " + guard.Table;
        if (!query.next()) {
            findings.push_back("guard trigger " + name +
                               " is missing: its records can be changed or deleted");
        } else if (Text(query, 0) == "D") {
            findings.push_back("guard trigger " + name +
                               " is disabled: its records can be changed or deleted");
        }
        query.finish();
    }
    return true;
}

} // namespace

std::optional<std::vector<std::string>> CheckLog(RecordStore& store, QString& error) {
    std::vector<std::string> findings;
    QSqlDatabase& db = store.Database();
    const std::optional<int> version = ReadSchemaVersion(db, store.Kind(), error);
    if (!version) {
        return std::nullopt;
    }
    if (*version != SchemaVersion) {
        findings.push_back("schema version " + std::to_string(*version) +
                           " is not the one this program knows (" + std::to_string(SchemaVersion) +
                           ")");
    }
    if (!CheckReversals(db, findings, error) ||
        (store.Kind() == LogKind::Sqlite && !CheckSqliteIntegrity(db, findings, error)) ||
        !CheckGuards(db, store.Kind(), findings, error)) {
        return std::nullopt;
    }
    return findings;
}

} // namespace dorvik
