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
        const int after = std::uniform_int_distribution<int>(0, Faults - 1)(random);
        const int extraUs = std::uniform_int_distribution<int>(0, 8000)(random);
        SCOPED_TRACE("round " + std::to_string(round) + ": killed " + std::to_string(extraUs) +
                     " us after tick " + std::to_string(after));
        const std::string name = "round-" + std::to_string(round) + ".txt";
        test::BenchSession bench(dir.path(), dir.filePath(QStringLiteral("config")));
        const std::vector<test::Reported> reported = test::TickUntilKilled(
            bench,
            list.Opening(QString::fromStdString(name), QStringLiteral("killer")) +
                test::TickedList::Ticks(1, Faults) + QStringLiteral("quit\n"),
            after, extraUs);
        if (!QFile::exists(file)) {
            EXPECT_TRUE(reported.empty()) << "ticks reported without a bench file";
            continue;
        }
        EXPECT_EQ(test::IntegrityOf(file), "ok");
        QString error;
        const auto store = RecordStore::OpenSqlite(file, error);
        ASSERT_NE(store, nullptr) << error.toStdString();
        test::ExpectRoundKept(*store, list, name, "killer", reported, kept);
    }
}

} // namespace
} // namespace dorvik
