// Keeping the index current: files read once until they change, new and deleted files found by a
// rescan, files being written looked at again once settled.

#include "unitindex/FolderIndexer.h"
#include "UnitFolder.h"
#include "unitindex/ReportFacts.h"
#include "unitindex/ReportIndex.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvik::test {
namespace {

void Apply(ReportIndex& index, const IndexChanges& changes) {
    for (const std::string& path : changes.Removed) {
        index.Remove(path);
    }
    for (const IndexedReport& report : changes.Put) {
        index.Put(report);
    }
}

std::vector<std::string> Serials(const std::vector<IndexedReport>& reports) {
    std::vector<std::string> serials;
    for (const IndexedReport& report : reports) {
        serials.push_back(report.Serial);
    }
    std::sort(serials.begin(), serials.end());
    return serials;
}

std::vector<std::string> Sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

// A report folder, its indexer and the index the changes go into.
class Indexed : public ::testing::Test {
protected:
    IndexChanges WalkAll() { return Applied(indexer.WalkAll(NowMs())); }
    IndexChanges Rescan(std::string_view relative) {
        return Applied(
            indexer.Rescan(relative == "." ? folder.Root() : folder.Path(relative), NowMs()));
    }
    IndexChanges Applied(IndexChanges changes) {
        Apply(index, changes);
        return changes;
    }
    std::vector<std::string> SerialsOfPaths(const std::vector<std::string>& relative) {
        std::vector<std::string> serials;
        for (const std::string& r : relative) {
            const IndexedReport* report = index.At(folder.Path(r));
            serials.push_back(report == nullptr ? "-" : report->Serial);
        }
        return serials;
    }

    UnitFolder folder;
    FolderIndexer indexer{{folder.Root()}};
    ReportIndex index;
};

TEST_F(Indexed, AFileIsReadAgainOnlyWhenItsSizeOrTimeChanged) {
    const std::int64_t old = SettledMs();
    const std::string list = FaultList("SN-C3");
    folder.Write("a.txt", Ticket("SN-A1", "ACME"), old);
    folder.Write("notes.txt", std::string(list.size() - 1, 'n') + "\n", old);
    IndexChanges first = WalkAll();
    EXPECT_EQ(Serials(first.Put), std::vector<std::string>{"SN-A1"});
    EXPECT_EQ(first.FilesSeen, 2u);
    EXPECT_EQ(indexer.Reports(), 1u);

    // Other bytes of the same size and time are not seen: neither file is read again.
    folder.Write("a.txt", Ticket("SN-B2", "ACME"), old);
    folder.Write("notes.txt", list, old);
    const IndexChanges second = WalkAll();
    EXPECT_TRUE(second.Put.empty());
    EXPECT_TRUE(second.Removed.empty());
    EXPECT_EQ(second.FilesSeen, 2u);
    EXPECT_EQ(SerialsOfPaths({"a.txt", "notes.txt"}), (std::vector<std::string>{"SN-A1", "-"}));

    // Another time: both read, the report's serial replaced, the other file a report now.
    SetModifiedMs(folder.Path("a.txt"), old + 1000);
    SetModifiedMs(folder.Path("notes.txt"), old + 1000);
    const IndexChanges third = WalkAll();
    EXPECT_EQ(Serials(third.Put), (std::vector<std::string>{"SN-B2", "SN-C3"}));
    EXPECT_TRUE(third.Removed.empty());
    EXPECT_TRUE(index.ReportsOf("SN-A1").empty());
    EXPECT_EQ(indexer.Reports(), 2u);
}

TEST_F(Indexed, AReportThatBecameNoneOrVanishedIsRemoved) {
    folder.Write("a.txt", Ticket("SN1", "ACME"));
    folder.Write("b.txt", Ticket("SN2", "ACME"));
    folder.Write("c.txt", "not a report");
    folder.Write("sub/d.txt", Ticket("SN4", "ACME"));
    WalkAll();
    ASSERT_EQ(index.Size(), 3u);

    folder.Write("a.txt", "hello\n", NowMs() - 60'000);
    folder.Remove("b.txt");
    folder.Remove("c.txt"); // no report: not in Removed
    folder.Remove("sub");
    const IndexChanges changes = WalkAll();
    EXPECT_EQ(Sorted(changes.Removed),
              (std::vector<std::string>{folder.Path("a.txt"), folder.Path("b.txt"),
                                        folder.Path("sub/d.txt")}));
    EXPECT_EQ(index.Size(), 0u);
    EXPECT_EQ(indexer.Reports(), 0u);
    // Forgotten: made again, they are new.
    folder.Write("b.txt", Ticket("SN2", "ACME"));
    EXPECT_EQ(Serials(WalkAll().Put), std::vector<std::string>{"SN2"});
}

TEST_F(Indexed, ARescanFindsNewFilesAndFoldersAndWhatWasDeleted) {
    folder.Write("a.txt", Ticket("SN1", "ACME"));
    folder.Write("b.txt", Ticket("SN2", "ACME"));
    folder.Write("old/c.txt", Ticket("SN3", "ACME"));
    folder.Write("kept/d.txt", Ticket("SN4", "ACME"));
    const IndexChanges walked = WalkAll();
    EXPECT_EQ(Sorted(walked.FoldersSeen),
              (std::vector<std::string>{folder.Root(), folder.Path("kept"), folder.Path("old")}));

    folder.Write("new.txt", TriCsv("SN5", "N50Q_5", "20260701", "001546", true));
    folder.Write("fresh/deeper/e.txt", FaultList("SN6"));
    folder.Remove("b.txt");
    folder.Remove("old");
    // Changed below a subfolder that is not rescanned: not looked at.
    folder.Write("kept/f.txt", Ticket("SN7", "ACME"));
    const IndexChanges changes = Rescan(".");
    EXPECT_EQ(Serials(changes.Put), (std::vector<std::string>{"SN5", "SN6"}));
    EXPECT_EQ(Sorted(changes.Removed),
              (std::vector<std::string>{folder.Path("b.txt"), folder.Path("old/c.txt")}));
    EXPECT_EQ(Sorted(changes.FoldersSeen),
              (std::vector<std::string>{folder.Root(), folder.Path("fresh"),
                                        folder.Path("fresh/deeper")}));
    EXPECT_TRUE(changes.Problems.empty());
    EXPECT_EQ(changes.FilesSeen, 3u); // a.txt, new.txt, e.txt

    EXPECT_EQ(Serials(Rescan("kept").Put), std::vector<std::string>{"SN7"});
    // A folder deleted and then rescanned: its reports go.
    folder.Remove("fresh");
    EXPECT_EQ(Rescan("fresh/deeper").Removed,
              std::vector<std::string>{folder.Path("fresh/deeper/e.txt")});
    EXPECT_TRUE(Rescan("fresh").Removed.empty());
    EXPECT_EQ(Serials(index.ReportsOf("SN1")), std::vector<std::string>{"SN1"});
    EXPECT_EQ(indexer.Reports(), 4u);
}

TEST_F(Indexed, ALinkToAFolderWalkedBeforeAddsNoReportTwice) {
    folder.Write("sub/a.txt", Ticket("SN1", "ACME"));
    WalkAll();
    folder.Link("again", "sub");
    folder.Link("sub/up", "..");
    const IndexChanges changes = Rescan(".");
    EXPECT_TRUE(changes.Put.empty());
    EXPECT_TRUE(Rescan("sub").Put.empty());
    EXPECT_EQ(index.ReportsOf("SN1").size(), 1u);
    EXPECT_TRUE(WalkAll().Put.empty());
    EXPECT_EQ(index.ReportsOf("SN1").size(), 1u);
}

TEST_F(Indexed, AFileBeingWrittenIsIndexedOnceItSettled) {
    const std::int64_t now = NowMs();
    const std::string path = folder.Write("a.txt", Ticket("SN1", "ACME"), now);
    folder.Write("b.txt", Ticket("SN2", "ACME"), now);
    IndexChanges first = Applied(indexer.WalkAll(now));
    EXPECT_TRUE(first.Put.empty());
    EXPECT_TRUE(indexer.HasWaiting());

    // Still written at the next look; then b is deleted.
    folder.Write("a.txt", Ticket("SN1", "ACME-BRD 2"), now + 500);
    EXPECT_TRUE(Applied(indexer.RetryWaiting(now + 600)).Put.empty());
    EXPECT_TRUE(indexer.HasWaiting());
    folder.Remove("b.txt");

    const IndexChanges settled = Applied(indexer.RetryWaiting(now + 500 + SettleMs + 1));
    ASSERT_EQ(settled.Put.size(), 1u);
    EXPECT_EQ(settled.Put[0].Path, path);
    EXPECT_EQ(settled.Put[0].Board, "ACME-BRD 2");
    EXPECT_TRUE(settled.Removed.empty());
    EXPECT_FALSE(indexer.HasWaiting());
    // Settled and known: not read again.
    EXPECT_TRUE(indexer.WalkAll(now + 10 * SettleMs).Put.empty());
}

TEST_F(Indexed, AReportRewrittenStaysIndexedUntilItSettles) {
    const std::int64_t now = NowMs();
    folder.Write("a.txt", Ticket("SN1", "ACME"), now - 60'000);
    Applied(indexer.WalkAll(now));
    folder.Write("a.txt", Ticket("SN2", "ACME"), now);
    const IndexChanges rescan = Applied(indexer.Rescan(folder.Root(), now));
    EXPECT_TRUE(rescan.Put.empty());
    EXPECT_TRUE(rescan.Removed.empty());
    EXPECT_EQ(index.ReportsOf("SN1").size(), 1u);
    EXPECT_TRUE(indexer.HasWaiting());
    Applied(indexer.RetryWaiting(now + SettleMs));
    EXPECT_TRUE(index.ReportsOf("SN1").empty());
    EXPECT_EQ(index.ReportsOf("SN2").size(), 1u);
}

TEST_F(Indexed, ReportsOfAUnitNewestFirstByTheirTimeOrTheirFilesTime) {
    const std::int64_t day = 86'400'000;
    const std::int64_t old = SettledMs() - 10 * day;
    folder.Write("1.txt", FaultList("SN1"), old);
    folder.Write("2.txt", FaultList("SN1"), old + day);
    folder.Write("3.txt", FaultList("SN1"), old - day);
    // A stated time counts, not the file's.
    folder.Write("4.txt", Ticket("SN1", "ACME", "Sat Jan 01 00:00:00 2000"), old + 2 * day);
    WalkAll();
    std::vector<std::string> paths;
    for (const IndexedReport& report : index.ReportsOf("SN1")) {
        paths.push_back(report.Path);
    }
    EXPECT_EQ(paths, (std::vector<std::string>{folder.Path("2.txt"), folder.Path("1.txt"),
                                               folder.Path("3.txt"), folder.Path("4.txt")}));
}

TEST(FolderIndexer, AFolderThatCannotBeWalkedIsAProblemAndTheOthersAreIndexed) {
    const UnitFolder folder;
    folder.Write("good/a.txt", Ticket("SN1", "ACME"));
    folder.Write("locked/b.txt", Ticket("SN2", "ACME"));
    folder.Write("file.txt", "x");
    FolderIndexer indexer({folder.Path("missing"), folder.Path("file.txt"), folder.Path("good/")});
    const IndexChanges changes = indexer.WalkAll(NowMs());
    EXPECT_EQ(Serials(changes.Put), std::vector<std::string>{"SN1"});
    EXPECT_EQ(changes.Problems.size(), 2u);
    EXPECT_TRUE(changes.Complete);
    EXPECT_EQ(indexer.Rescan(folder.Path("missing"), NowMs()).Problems.size(), 1u);

    FolderIndexer lockedOut({folder.Path("locked"), folder.Path("good")});
    ASSERT_EQ(::chmod(folder.Path("locked").c_str(), 0), 0);
    if (!LockedOut(folder.Path("locked"))) {
        GTEST_SKIP() << "this process reads folders whatever their permissions (root)";
    }
    const IndexChanges locked = lockedOut.WalkAll(NowMs());
    EXPECT_EQ(Serials(locked.Put), std::vector<std::string>{"SN1"});
    ASSERT_EQ(locked.Problems.size(), 1u);
    EXPECT_EQ(locked.Problems[0].Path, folder.Path("locked"));
}

TEST(FolderIndexer, AStoppedWalkKeepsWhatItDidNotReach) {
    const UnitFolder folder;
    folder.Write("a/1.txt", Ticket("SN1", "ACME"));
    folder.Write("b/2.txt", Ticket("SN2", "ACME"));
    FolderIndexer indexer({folder.Root()});
    ASSERT_EQ(indexer.WalkAll(NowMs()).Put.size(), 2u);
    const std::atomic<bool> stop = true;
    const IndexChanges stopped = indexer.WalkAll(NowMs(), &stop);
    EXPECT_FALSE(stopped.Complete);
    EXPECT_TRUE(stopped.Removed.empty());
    EXPECT_EQ(indexer.Reports(), 2u);
}

TEST(FolderIndexer, AFolderOfManyFilesThatAreNoReports) {
    const UnitFolder folder;
    const std::string many = folder.MakeFolder("many");
    for (int k = 0; k < 20'000; ++k) {
        const std::string path = many + "/f" + std::to_string(k) + (k % 3 == 0 ? ".log" : ".txt");
        std::ofstream file(path, std::ios::binary);
        if (k % 2 != 0) {
            file << "x,y\n";
        }
    }
    folder.Write("many/report.txt", Ticket("SN1", "ACME"));
    // Looked at once all have settled, without setting the time of each.
    const std::int64_t settled = NowMs() + 2 * SettleMs;
    FolderIndexer indexer({folder.Root()});
    const IndexChanges first = indexer.WalkAll(settled);
    EXPECT_EQ(first.FilesSeen, 20'001u);
    EXPECT_TRUE(first.Problems.empty());
    EXPECT_FALSE(indexer.HasWaiting());
    EXPECT_EQ(Serials(first.Put), std::vector<std::string>{"SN1"});
    const IndexChanges second = indexer.WalkAll(settled);
    EXPECT_TRUE(second.Put.empty());
    EXPECT_EQ(second.FilesSeen, 20'001u);
}

} // namespace
} // namespace dorvik::test
