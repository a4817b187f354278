// The line server goes away in the middle of a session and comes back: ticks go on into the
// outbox, `logstatus` and the status bar say how many records wait, and once the server is back
// the sender, retrying by itself, brings every record there exactly once.

#include "BenchSession.h"
#include "LineChecks.h"
#include "TickedList.h"

#include "support/PostgresFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

class LineOutage : public test::WithPostgres<> {
protected:
    QString Waiting(int n) const { return QStringLiteral("log: postgresql waiting=%1").arg(n); }

    // Ticks faults [from, to] and waits for each to be reported.
    void TickAll(test::BenchSession& bench, int from, int to) {
        bench.Send(test::TickedList::Ticks(from, to));
        for (int k = from; k <= to; ++k) {
            const std::optional<QString> line = bench.Next(QStringLiteral("repaired: "));
            ASSERT_TRUE(line) << "tick " << k << ": " << bench.Shown().toStdString();
            EXPECT_TRUE(line->startsWith(QStringLiteral("repaired: %1 ").arg(k)));
        }
    }

    // The outbox: how many records the bench file holds, and how many of them wait.
    std::pair<std::int64_t, std::int64_t> Outbox() const {
        QString error;
        const auto outbox = RecordStore::OpenSqlite(file_, error);
        EXPECT_NE(outbox, nullptr) << error.toStdString();
        if (outbox == nullptr) {
            return {-1, -1};
        }
        return {outbox->Count(error).value_or(-1), outbox->UnsentCount(error).value_or(-1)};
    }

    QTemporaryDir dir_;
    QString file_ = dir_.filePath(QStringLiteral("Dorvik/repairs.sqlite"));
};

TEST_F(LineOutage, TicksGoOnAndEveryRecordArrivesOnceTheServerIsBack) {
    const test::TickedList list(dir_.path(), "SN-OUTAGE", 12);
    test::BenchSession bench(dir_.path(), dir_.filePath(QStringLiteral("config")),
                             Server().ConnInfo());
    ASSERT_TRUE(bench.Start());
    bench.Send(list.Opening(QStringLiteral("list.txt"), QStringLiteral("outage")));
    TickAll(bench, 1, 3);
    EXPECT_EQ(test::AwaitLogStatus(bench, Waiting(0)), Waiting(0));

    ASSERT_TRUE(Server().Stop()) << Server().Error().toStdString();
    TickAll(bench, 4, 8);
    EXPECT_EQ(test::AwaitLogStatus(bench, Waiting(5)), Waiting(5)) << bench.Shown().toStdString();
    EXPECT_EQ(Outbox(), std::make_pair(std::int64_t{8}, std::int64_t{5}));
    EXPECT_TRUE(bench.Ask(QStringLiteral("where RepairLogWaiting"), QStringLiteral("where ")))
        << "the status bar shows that records wait: " << bench.Shown().toStdString();
    // The sender keeps trying, waiting longer each time; ticks between its tries go on.
    QThread::msleep(3000);
    TickAll(bench, 9, 10);
    EXPECT_EQ(test::AwaitLogStatus(bench, Waiting(7)), Waiting(7));
    EXPECT_TRUE(bench.Lines(QStringLiteral("message: ")).isEmpty())
        << "a line away is no reason to ask the operator: " << bench.Shown().toStdString();

    ASSERT_TRUE(Server().Start()) << Server().Error().toStdString();
    EXPECT_EQ(test::AwaitLogStatus(bench, Waiting(0)), Waiting(0)) << bench.Shown().toStdString();
    // With nothing waiting the status bar is as it always was: the label is gone.
    bench.Send(QStringLiteral("where RepairLogWaiting\n"));
    ASSERT_TRUE(bench.Ended());
    EXPECT_TRUE(bench.Errors().contains("there is no widget RepairLogWaiting shown"))
        << bench.Shown().toStdString();
    EXPECT_EQ(Outbox(), std::make_pair(std::int64_t{10}, std::int64_t{0}));
    test::ExpectLineHoldsOutbox(Server().ConnInfo(), file_);
}

TEST_F(LineOutage, RecordsLeftByAKilledSessionGoWithTheNextOne) {
    const test::TickedList list(dir_.path(), "SN-OUTAGE-KILLED", 6);
    const QString config = dir_.filePath(QStringLiteral("config"));
    ASSERT_TRUE(Server().Stop()) << Server().Error().toStdString();
    {
        test::BenchSession bench(dir_.path(), config, Server().ConnInfo());
        ASSERT_TRUE(bench.Start());
        bench.Send(list.Opening(QStringLiteral("list.txt"), QStringLiteral("outage")));
        TickAll(bench, 1, 6);
        EXPECT_EQ(test::AwaitLogStatus(bench, Waiting(6)), Waiting(6));
        bench.Kill();
    }
    test::BenchSession next(dir_.path(), config, Server().ConnInfo());
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(test::AwaitLogStatus(next, Waiting(6)), Waiting(6)) << next.Shown().toStdString();
    ASSERT_TRUE(Server().Start()) << Server().Error().toStdString();
    EXPECT_EQ(test::AwaitLogStatus(next, Waiting(0)), Waiting(0)) << next.Shown().toStdString();
    next.Send(QStringLiteral("quit\n"));
    EXPECT_TRUE(next.Ended());
    test::ExpectLineHoldsOutbox(Server().ConnInfo(), file_);
}

} // namespace
} // namespace dorvik
