// Line databases that refuse the bench or never answer, as the program meets them: a newer
// schema there, a wrong password, nothing listening, a server that takes the connection and says
// nothing. The bench file is where a tick is committed, so ticks go on into the outbox, nothing
// asks the operator, the status bar says how many wait, and the window answers at once while the
// sender waits on a silent line.

#include "BenchSession.h"
#include "LineServer.h"
#include "SilentListener.h"

#include "support/PostgresConnection.h"

#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

constexpr int Ticks = 3;

class LineRefusal : public test::LineServer {
protected:
    // Ticks `Ticks` faults with the log on `conninfo`: every tick recorded in the outbox, none
    // sent, the status bar showing it. The session is left running.
    void TicksGoToTheOutbox(test::BenchSession& bench) {
        ASSERT_TRUE(bench.Start());
        bench.Send(list_.Opening(QStringLiteral("list.txt"), QStringLiteral("anna")) +
                   test::TickedList::Ticks(1, Ticks));
        for (int k = 1; k <= Ticks; ++k) {
            ASSERT_TRUE(bench.Next(QStringLiteral("repaired: %1 ").arg(k)))
                << bench.Shown().toStdString();
        }
        EXPECT_EQ(test::AwaitLogStatus(bench, Waiting(Ticks)), Waiting(Ticks));
        EXPECT_TRUE(bench.Ask(QStringLiteral("where RepairLogWaiting"), QStringLiteral("where ")))
            << bench.Shown().toStdString();
        EXPECT_TRUE(bench.Lines(QStringLiteral("message: ")).isEmpty())
            << "a refusing line is no reason to stop the operator: " << bench.Shown().toStdString();
        QString error;
        const auto outbox = RecordStore::OpenSqlite(file_, error);
        ASSERT_NE(outbox, nullptr) << error.toStdString();
        EXPECT_EQ(outbox->Count(error), Ticks);
        EXPECT_EQ(outbox->UnsentCount(error), Ticks);
    }

    test::BenchSession Bench(const QString& conninfo) {
        return test::BenchSession(dir_.path(), dir_.filePath(QStringLiteral("config")), conninfo);
    }

    static QString Waiting(int n) { return QStringLiteral("log: postgresql waiting=%1").arg(n); }

    // The line database of the test holds no record.
    void ExpectLineEmpty() {
        test::PostgresConnection line(Conninfo());
        QSqlQuery rows(line.Database());
        // A bench that was never let in never made the schema either.
        ASSERT_TRUE(rows.exec("SELECT to_regclass('repair_record') IS NULL") && rows.next());
        if (!rows.value(0).toBool()) {
            ASSERT_TRUE(rows.exec("SELECT COUNT(*) FROM repair_record") && rows.next());
            EXPECT_EQ(rows.value(0).toInt(), 0);
        }
    }

    QTemporaryDir dir_;
    QString file_ = dir_.filePath(QStringLiteral("Dorvik/repairs.sqlite"));
    test::TickedList list_{dir_.path(), "SN-REFUSED", 8};
};

TEST_F(LineRefusal, ANewerSchemaThereKeepsTheRecordsAtTheBench) {
    {
        const auto line = Line();
        ASSERT_NE(line, nullptr);
        QSqlQuery newer(line->Database());
        ASSERT_TRUE(newer.exec("INSERT INTO dorvik_schema (version, upgraded_ms) VALUES (7, 0)"));
    }
    test::BenchSession bench = Bench(Conninfo());
    TicksGoToTheOutbox(bench);
    bench.Kill();
    ExpectLineEmpty();
}

TEST_F(LineRefusal, AWrongPasswordKeepsTheRecordsAtTheBench) {
    ASSERT_TRUE(Server().CreateRole(QStringLiteral("bench_w"), QStringLiteral("right")));
    test::BenchSession bench = Bench(
        Server().ConnInfoAs(QStringLiteral("bench_w"), QStringLiteral("wrong"), DatabaseName()));
    TicksGoToTheOutbox(bench);
    bench.Kill();
    EXPECT_FALSE(bench.Shown().contains(QLatin1String("wrong"))) << "the password was shown";
    ExpectLineEmpty();
}

TEST_F(LineRefusal, NothingListeningKeepsTheRecordsAtTheBench) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    test::BenchSession bench =
        Bench(QStringLiteral("host=127.0.0.1 port=%1 dbname=repairs user=dorvik").arg(port));
    TicksGoToTheOutbox(bench);
    bench.Kill();
}

// The sender waits up to the connect timeout on every try, on its own thread: the window goes on
// answering meanwhile, and a later session counts what waits from its first command.
TEST_F(LineRefusal, ASilentLineNeverHoldsUpTheWindow) {
    const test::SilentListener silent;
    ASSERT_NE(silent.Port(), 0);
    // A long connect timeout: a window waiting on the sender would answer only after it.
    constexpr int WindowAnswersMs = 10000;
    const QString conninfo =
        QStringLiteral("host=127.0.0.1 port=%1 dbname=repairs user=dorvik connect_timeout=30")
            .arg(silent.Port());
    {
        test::BenchSession bench = Bench(conninfo);
        TicksGoToTheOutbox(bench);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 6000) {
            EXPECT_TRUE(
                bench.Ask(QStringLiteral("status"), QStringLiteral("status: "), WindowAnswersMs))
                << bench.Shown().toStdString();
            EXPECT_TRUE(
                bench.Ask(QStringLiteral("state"), QStringLiteral("NailCount="), WindowAnswersMs))
                << bench.Shown().toStdString();
            bench.Send(QStringLiteral("tick %1\ncomment note %1\nok\n").arg(Ticks + 1));
            ASSERT_TRUE(bench.Next(QStringLiteral("repaired: "), WindowAnswersMs))
                << "a tick while the sender waits: " << bench.Shown().toStdString();
            bench.Send(QStringLiteral("tick %1\nok\n").arg(Ticks + 1)); // and its undo
            ASSERT_TRUE(bench.Next(QStringLiteral("unrepaired: "), WindowAnswersMs))
                << bench.Shown().toStdString();
            QThread::msleep(500);
        }
        bench.Send(QStringLiteral("quit\n"));
        EXPECT_TRUE(bench.Ended(WindowAnswersMs)) << "quit waited for the sender";
    }
    QString error;
    const auto outbox = RecordStore::OpenSqlite(file_, error);
    ASSERT_NE(outbox, nullptr) << error.toStdString();
    const std::int64_t waiting = outbox->UnsentCount(error).value_or(-1);
    EXPECT_GT(waiting, Ticks);
    test::BenchSession next = Bench(conninfo);
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(next.Ask(QStringLiteral("logstatus"), QStringLiteral("log: ")),
              Waiting(static_cast<int>(waiting)))
        << "what an earlier session left waits from the start";
    next.Kill();
}

} // namespace
} // namespace dorvik
