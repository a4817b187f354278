#pragma once
// A PostgreSQL database of its own for one test, on the server that DORVIK_TEST_POSTGRES names (a
// libpq connection string in keyword=value form, without dbname); dropped when the test ends.
// Without the variable, Available() is false and the test is skipped.

#include "repairlog/PostgresConnection.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

namespace dorvik::test {

inline constexpr char TestPostgresVariable[] = "DORVIK_TEST_POSTGRES";

class LineDatabase {
public:
    LineDatabase()
        : server_(qEnvironmentVariable(TestPostgresVariable).trimmed()),
          name_(QStringLiteral("dorvik_test_%1")
                    .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'))) {
        if (!server_.isEmpty()) {
            made_ = Administer(QStringLiteral("CREATE DATABASE ") + name_);
        }
    }
    ~LineDatabase() {
        if (made_) {
            Administer(QStringLiteral("DROP DATABASE ") + name_ + QStringLiteral(" WITH (FORCE)"));
        }
    }
    LineDatabase(const LineDatabase&) = delete;
    LineDatabase& operator=(const LineDatabase&) = delete;

    bool Available() const { return made_; }
    // Why it is not available.
    const QString& Problem() const { return problem_; }
    QString Conninfo() const { return server_ + QStringLiteral(" dbname=") + name_; }

private:
    // A database's name cannot be a bound value; this one is made of letters and digits only.
    bool Administer(const QString& statement) {
        const QString connection = QStringLiteral("admin-") + name_;
        bool done = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
            db.setConnectOptions(
                PostgresConnectOptions(server_ + QStringLiteral(" dbname=postgres"))
                    .ConnectOptions);
            if (!db.open()) {
                problem_ = db.lastError().text();
            } else {
                QSqlQuery query(db);
                done = query.exec(statement);
                problem_ = done ? QString() : query.lastError().text();
            }
        }
        QSqlDatabase::removeDatabase(connection);
        return done;
    }

    QString server_;
    QString name_;
    QString problem_ = QStringLiteral("DORVIK_TEST_POSTGRES is not set");
    bool made_ = false;
};

} // namespace dorvik::test
