// A bench on a line database killed with SIGKILL at random moments while it ticks 200 faults:
// every tick it reported is in its outbox whole, and once the outbox is sent (by the next start
// of the program, or by a sender of its own) the line database holds each record exactly once,
// as the bench file has it, whatever the sender was doing when the kill came.

#include "KillRounds.h"
#include "LineServer.h"

#include "repairlog/LineSender.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

class LineKill : public test::LineServer {};

// The next start of the program sends what the outbox holds by itself.
void SendByTheNextStart(test::BenchSession& bench) {
    ASSERT_TRUE(bench.Start());
    EXPECT_EQ(test::AwaitLogStatus(bench, QStringLiteral("log: postgresql waiting=0")),
              "log: postgresql waiting=0")
        << bench.Shown().toStdString();
    bench.Send(QStringLiteral("quit\n"));
    EXPECT_TRUE(bench.Ended());
}

TEST_F(LineKill, EveryReportedTickReachesTheLineOnce) {
    constexpr int Faults = 200;
    constexpr int Rounds = 6;
    QTemporaryDir dir;
    const test::TickedList list(dir.path(), "SN-LINE-KILL", Faults);
    const unsigned seed = test::KillSeed();
    SCOPED_TRACE(test::SeedNote(seed));
    std::mt19937 random(seed);
    const QString file = dir.filePath(QStringLiteral("Dorvik/repairs.sqlite"));
    std::map<std::string, RepairRecord> kept;
    for (int round = 0; round < Rounds; ++round) {
        const test::KillMoment moment = test::DrawKillMoment(random, round, Faults);
        SCOPED_TRACE(moment.Note());
        const QString config = dir.filePath(QStringLiteral("config"));
        {
            test::BenchSession bench(dir.path(), config, Conninfo());
            const auto reported = test::TickListUntilKilled(bench, list, moment);
            if (!test::ExpectBenchFileKept(file, list, moment, reported, kept)) {
                continue;
            }
        }
        if (round % 2 == 0) {
            const LineSender::Sent sent = LineSender(file, Conninfo()).SendWaiting();
            EXPECT_TRUE(sent.Error.isEmpty()) << sent.Error.toStdString();
        } else {
            test::BenchSession next(dir.path(), config, Conninfo());
            SendByTheNextStart(next);
        }
        ExpectLineHoldsOutbox(file);
    }
}

} // namespace
} // namespace dorvik
