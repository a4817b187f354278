// Several bench processes writing into one bench file at once: the record writer program (one
// record per transaction, as the program commits a tick) and the program itself ticking fault
// lists. Every record is there exactly once, every field as written, and the file is sound.

#include "BenchSession.h"
#include "TickedList.h"
#include "Writers.h"

#include "repairlog/RecordStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace dorvik {
namespace {

TEST(SqliteTogether, ThreeWritersOneFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench/repairs.sqlite"));
    constexpr int Writers = 3;
    constexpr int Each = 300;
    const std::vector<test::Written> written = test::WriteAtOnce(file, Writers, Each);
    EXPECT_EQ(test::IntegrityOf(file), "ok");
    QString error;
    const auto store = RecordStore::OpenSqlite(file, error);
    ASSERT_NE(store, nullptr) << error.toStdString();
    test::ExpectEveryRecordOnce(*store, written, Each);
}

TEST(SqliteTogether, ThreeProgramsTickingIntoOneBenchFile) {
    QTemporaryDir dir;
    constexpr int Programs = 3;
    constexpr int Faults = 200;
    const test::TickedList list(dir.path(), "SN-TOGETHER", Faults);
    std::vector<std::unique_ptr<test::BenchSession>> benches;
    for (int p = 0; p < Programs; ++p) {
        const QString config = dir.filePath(QStringLiteral("config-%1").arg(p));
        auto& bench =
            benches.emplace_back(std::make_unique<test::BenchSession>(dir.path(), config));
        ASSERT_TRUE(bench->Start());
    }
    // The whole script at once to each, so that their ticks overlap.
    for (int p = 0; p < Programs; ++p) {
        benches[p]->Send(
            list.Opening(QStringLiteral("list-%1.txt").arg(p), QStringLiteral("op-%1").arg(p)) +
            test::TickedList::Ticks(1, Faults) + QStringLiteral("quit\n"));
    }
    std::map<std::string, RepairRecord> expected;
    for (int p = 0; p < Programs; ++p) {
        test::BenchSession& bench = *benches[p];
        ASSERT_TRUE(bench.Ended()) << bench.Shown().toStdString();
        EXPECT_EQ(bench.ExitCode(), 0) << bench.Shown().toStdString();
        EXPECT_TRUE(bench.Lines(QStringLiteral("message: ")).isEmpty())
            << bench.Shown().toStdString();
        const QStringList repaired = bench.Lines(QStringLiteral("repaired: "));
        ASSERT_EQ(repaired.size(), Faults) << bench.Shown().toStdString();
        for (int k = 1; k <= Faults; ++k) {
            const QString& line = repaired[k - 1];
            ASSERT_EQ(line.section(u' ', 1, 1).toInt(), k) << line.toStdString();
            RepairRecord r =
                list.Expected(k, "list-" + std::to_string(p) + ".txt", "op-" + std::to_string(p));
            r.Id = line.section(u' ', 2).toStdString();
            EXPECT_TRUE(expected.emplace(r.Id, r).second) << "id printed twice: " << r.Id;
        }
    }
    const QString file = dir.filePath(QStringLiteral("Dorvik/repairs.sqlite"));
    EXPECT_EQ(test::IntegrityOf(file), "ok");
    QString error;
    const auto store = RecordStore::OpenSqlite(file, error);
    ASSERT_NE(store, nullptr) << error.toStdString();
    std::size_t rows = 0;
    const auto found = test::AllRecords(*store, error, &rows);
    EXPECT_EQ(rows, expected.size());
    const auto items = test::AllItems(store->Database());
    for (const auto& [id, want] : expected) {
        const auto it = found.find(id);
        ASSERT_NE(it, found.end()) << "not in the bench file: " << id;
        EXPECT_EQ(test::Timeless(it->second), test::Timeless(want)) << id;
        const auto named = items.find(id);
        EXPECT_EQ(named != items.end() ? named->second : std::set<std::string>{},
                  test::ItemsOf(want))
            << id;
    }
}

} // namespace
} // namespace dorvik
