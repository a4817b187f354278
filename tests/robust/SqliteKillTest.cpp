// A bench killed with SIGKILL at random moments while it ticks a fault list of 200 faults, one
// round after another on the same bench file: every tick it reported stays in the file whole,
// the file passes SQLite's integrity check, and at most the tick under way is in the file
// without having been reported.

#include "KillRounds.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

TEST(SqliteKill, EveryReportedTickOutlivesTheKill) {
    constexpr int Faults = 200;
    constexpr int Rounds = 8;
    QTemporaryDir dir;
    const test::TickedList list(dir.path(), "SN-KILL", Faults);
    const unsigned seed = test::KillSeed();
    SCOPED_TRACE(test::SeedNote(seed));
    std::mt19937 random(seed);
    const QString file = dir.filePath(QStringLiteral("Dorvik/repairs.sqlite"));
    std::map<std::string, RepairRecord> kept;
    for (int round = 0; round < Rounds; ++round) {
        // Round 0 may die before the file or its schema is made; later ones after any tick.
        const test::KillMoment moment = test::DrawKillMoment(random, round, Faults);
        SCOPED_TRACE(moment.Note());
        test::BenchSession bench(dir.path(), dir.filePath(QStringLiteral("config")));
        const auto reported = test::TickListUntilKilled(bench, list, moment);
        test::ExpectBenchFileKept(file, list, moment, reported, kept);
    }
}

} // namespace
} // namespace dorvik
