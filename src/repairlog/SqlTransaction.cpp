#include "repairlog/SqlTransaction.h"

#include "repairlog/SqlText.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace dorvik {
namespace {

bool Run(QSqlDatabase& db, const QString& statement, QString& error) {
    QSqlQuery query(db);
    if (query.exec(statement)) {
        return true;
    }
    error = SqlError(query.lastError());
    return false;
}

} // namespace

bool BeginWrite(QSqlDatabase& db, LogKind kind, QString& error) {
    if (kind == LogKind::Sqlite) {
        return Run(db, QStringLiteral("BEGIN IMMEDIATE"), error);
    }
    if (db.transaction()) {
        return true;
    }
    error = SqlError(db.lastError());
    return false;
}

bool CommitWrite(QSqlDatabase& db, LogKind kind, QString& error) {
    if (kind == LogKind::Sqlite) {
        return Run(db, QStringLiteral("COMMIT"), error);
    }
    if (db.commit()) {
        return true;
    }
    error = SqlError(db.lastError());
    return false;
}

void RollbackWrite(QSqlDatabase& db, LogKind kind) {
    QString ignored;
    if (kind == LogKind::Sqlite) {
        Run(db, QStringLiteral("ROLLBACK"), ignored);
    } else {
        db.rollback();
    }
}

} // namespace dorvik
