// A line's PostgreSQL database: the same schema made by the program itself, the database refusing
// to change or delete a record, a resend changing nothing, a role that may only insert and read,
// a newer schema left untouched, and connections that fail with a reason and in bounded time.

#include "RecordFixture.h"

#include "repairlog/LogLocation.h"
#include "repairlog/RecordStore.h"
#include "repairlog/Schema.h"
#include "support/PostgresConnection.h"
#include "support/PostgresFixture.h"
#include "support/PostgresServer.h"

#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <thread>

namespace dorvik {
namespace {

using test::SampleRecord;

// One server for the suite; each test its own database on it.
class PostgresStore : public test::SharedPostgres {
protected:
    std::unique_ptr<RecordStore> Open(const QString& conninfo) {
        QString error;
        auto store = RecordStore::OpenPostgres(conninfo, error);
        EXPECT_NE(store, nullptr) << error.toStdString();
        return store;
    }

    QString Refusal(const QString& conninfo) {
        QString error;
        EXPECT_EQ(RecordStore::OpenPostgres(conninfo, error), nullptr);
        EXPECT_FALSE(error.isEmpty());
        return error;
    }
};

TEST_F(PostgresStore, MadeByTheProgramAndRefusingEveryChange) {
    auto store = Open(Conninfo());
    ASSERT_NE(store, nullptr);
    QString error;
    EXPECT_EQ(ReadSchemaVersion(store->Database(), LogKind::Postgres, error), SchemaVersion);
    const RepairRecord record = SampleRecord("SN-PG");
    ASSERT_TRUE(store->Insert({&record, 1}, error)) << error.toStdString();
    for (const char* statement :
         {"UPDATE repair_record SET comment = 'rewritten'", "DELETE FROM repair_record",
          "TRUNCATE repair_record", "UPDATE repair_item SET name = 'x'", "DELETE FROM repair_item",
          "TRUNCATE repair_item"}) {
        QSqlQuery query(store->Database());
        EXPECT_FALSE(query.exec(QString::fromLatin1(statement))) << statement;
        EXPECT_TRUE(query.lastError().text().contains("never changed or deleted"))
            << statement << ": " << query.lastError().text().toStdString();
    }
    const auto history = store->History(QStringLiteral("SN-PG"), error);
    ASSERT_TRUE(history && history->size() == 1u) << error.toStdString();
    EXPECT_EQ(history->front(), record);
}

TEST_F(PostgresStore, KeepsEveryValueAndTheFirstCopyOfAnId) {
    auto store = Open(Conninfo());
    ASSERT_NE(store, nullptr);
    std::vector<RepairRecord> records;
    for (const std::string& hostile :
         {std::string("O'Brien \"q\" a;b"), std::string("'); DROP TABLE repair_record; --"),
          std::string(10000, 'y'), std::string("\xc3\xa9l\xc3\xa8ve \xe6\x9d\xb1")}) {
        RepairRecord r = SampleRecord("SN-HOSTILE");
        r.Comment = hostile;
        r.Refdes = "U1 " + hostile.substr(0, 20);
        records.push_back(r);
    }
    RepairRecord bytes = SampleRecord("SN-HOSTILE");
    bytes.Comment = std::string("nul \0 and \xff", 11);
    records.push_back(bytes);
    QString error;
    ASSERT_TRUE(store->Insert(records, error)) << error.toStdString();
    RepairRecord again = records.front();
    again.Comment = "a second copy";
    ASSERT_TRUE(store->Insert({&again, 1}, error)) << error.toStdString();

    const auto history = store->History(QStringLiteral("SN-HOSTILE"), error);
    ASSERT_TRUE(history) << error.toStdString();
    ASSERT_EQ(history->size(), records.size());
    for (std::size_t k = 0; k + 1 < records.size(); ++k) {
        EXPECT_NE(std::find(history->begin(), history->end(), records[k]), history->end());
    }
    EXPECT_EQ(std::count_if(history->begin(), history->end(),
                            [](const RepairRecord& r) {
                                return r.Comment == "nul \xef\xbf\xbd and \xef\xbf\xbd";
                            }),
              1);
}

TEST_F(PostgresStore, ARoleThatMayOnlyInsertAndReadCanRecord) {
    ASSERT_NE(Open(Conninfo()), nullptr); // the owner makes the schema
    ASSERT_TRUE(Server().CreateRole(QStringLiteral("bench_a"), QStringLiteral("pw-a")));
    for (const QString& grant :
         {QStringLiteral("GRANT SELECT ON dorvik_schema TO bench_a"),
          QStringLiteral("GRANT SELECT, INSERT ON repair_record, repair_item TO bench_a")}) {
        ASSERT_TRUE(Server().Execute(grant, DatabaseName())) << Server().Error().toStdString();
    }
    auto bench = Open(
        Server().ConnInfoAs(QStringLiteral("bench_a"), QStringLiteral("pw-a"), DatabaseName()));
    ASSERT_NE(bench, nullptr);
    const RepairRecord record = SampleRecord("SN-ROLE");
    QString error;
    EXPECT_TRUE(bench->Insert({&record, 1}, error)) << error.toStdString();
    EXPECT_TRUE(bench->Insert({&record, 1}, error)) << "a resend: " << error.toStdString();
    QSqlQuery update(bench->Database());
    EXPECT_FALSE(update.exec("UPDATE repair_record SET comment = 'x'"));
    EXPECT_TRUE(update.lastError().text().contains("permission denied"))
        << update.lastError().text().toStdString();
}

TEST_F(PostgresStore, ANewerSchemaIsRefusedAndLeftUntouched) {
    {
        auto store = Open(Conninfo());
        ASSERT_NE(store, nullptr);
        QSqlQuery query(store->Database());
        ASSERT_TRUE(query.exec("INSERT INTO dorvik_schema (version, upgraded_ms) VALUES (7, 0)"));
    }
    const QString error = Refusal(Conninfo());
    EXPECT_TRUE(error.contains("7") && error.contains("untouched")) << error.toStdString();
    test::PostgresConnection check(Conninfo());
    QSqlQuery rows(check.Database());
    ASSERT_TRUE(rows.exec("SELECT COUNT(*) FROM dorvik_schema") && rows.next());
    EXPECT_EQ(rows.value(0).toInt(), SchemaVersion + 1); // a row per version, and the newer one
}

TEST_F(PostgresStore, BenchesStartingTogetherMakeTheSchemaOnce) {
    constexpr int Benches = 4;
    std::vector<QString> errors(Benches);
    std::vector<std::thread> benches;
    const QString conninfo = Conninfo();
    for (int k = 0; k < Benches; ++k) {
        benches.emplace_back([&, k] {
            auto store = RecordStore::OpenPostgres(conninfo, errors[k]);
            if (store != nullptr) {
                const RepairRecord record = SampleRecord("SN-TOGETHER");
                store->Insert({&record, 1}, errors[k]);
            }
        });
    }
    for (std::thread& bench : benches) {
        bench.join();
    }
    for (const QString& error : errors) {
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    }
    test::PostgresConnection check(conninfo);
    QSqlQuery rows(check.Database());
    ASSERT_TRUE(rows.exec("SELECT COUNT(*), MAX(version) FROM dorvik_schema") && rows.next());
    EXPECT_EQ(rows.value(0).toInt(), SchemaVersion); // each version's row once
    EXPECT_EQ(rows.value(1).toInt(), SchemaVersion);
    ASSERT_TRUE(rows.exec("SELECT COUNT(*) FROM repair_record") && rows.next());
    EXPECT_EQ(rows.value(0).toInt(), Benches);
}

TEST_F(PostgresStore, ConnectionsThatFailSayWhyAndShowNoPassword) {
    ASSERT_TRUE(Server().CreateRole(QStringLiteral("bench_b"), QStringLiteral("right")));
    const QString wrong = Server().ConnInfoAs(QStringLiteral("bench_b"),
                                              QStringLiteral("wrong-secret"), DatabaseName());
    EXPECT_TRUE(Refusal(wrong).contains("password authentication failed"));
    EXPECT_FALSE(LocationName(ParseLogLocation(wrong, "b.sqlite")).contains("wrong-secret"));

    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close(); // nothing listens there now
    EXPECT_TRUE(Refusal(QStringLiteral("host=127.0.0.1 port=%1 dbname=x user=y").arg(port))
                    .contains("refused"));
    EXPECT_TRUE(
        Refusal(QStringLiteral("host=no-such-host.invalid dbname=x")).contains("no-such-host"));
}

TEST_F(PostgresStore, AServerThatNeverAnswersGivesUpAtTheConnectTimeout) {
    // Takes the connection and says nothing: only the connect timeout ends the wait.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QElapsedTimer clock;
    clock.start();
    const QString error =
        Refusal(QStringLiteral("host=127.0.0.1 port=%1 dbname=x user=y connect_timeout=2")
                    .arg(silent.serverPort()));
    EXPECT_LT(clock.elapsed(), 20000) << "no bound on the wait";
    EXPECT_TRUE(error.contains("timeout", Qt::CaseInsensitive)) << error.toStdString();
}

} // namespace
} // namespace dorvik
