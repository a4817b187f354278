// The reports by unit: newest first in one order whatever the order they came in, replaced by
// path, taken out by path and by folder.

#include "unitindex/ReportIndex.h"
#include "UnitFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvik::test {
namespace {

IndexedReport Made(std::string path, std::string serial, std::string time,
                   std::int64_t modifiedMs = 0) {
    IndexedReport report;
    report.Path = std::move(path);
    report.Serial = std::move(serial);
    report.Time = std::move(time);
    report.ModifiedMs = modifiedMs;
    return report;
}

std::vector<std::string> PathsOf(const std::vector<IndexedReport>& reports) {
    std::vector<std::string> paths;
    for (const IndexedReport& report : reports) {
        paths.push_back(report.Path);
    }
    return paths;
}

TEST(ReportIndex, ReportsOfAUnitNewestFirstInOneOrderHoweverTheyCameIn) {
    std::vector<IndexedReport> reports = {
        Made("/r/a", "SN1", "2026-07-01T08:00:00", 5),
        Made("/r/b", "SN1", "2026-07-02T08:00:00", 1),
        // One time: the file changed later first, then the larger name.
        Made("/r/c", "SN1", "2026-07-01T09:00:00", 7),
        Made("/r/d", "SN1", "2026-07-01T09:00:00", 9),
        Made("/r/e", "SN1", "2026-07-01T09:00:00", 7),
        Made("/r/f", "SN2", "2026-07-03T08:00:00", 1),
    };
    const std::vector<std::string> newestFirst = {"/r/b", "/r/d", "/r/e", "/r/c", "/r/a"};
    std::sort(reports.begin(), reports.end(),
              [](const IndexedReport& a, const IndexedReport& b) { return a.Path < b.Path; });
    do {
        ReportIndex index;
        for (const IndexedReport& report : reports) {
            index.Put(report);
        }
        ASSERT_EQ(PathsOf(index.ReportsOf("SN1")), newestFirst);
        ASSERT_EQ(PathsOf(index.ReportsOf("SN2")), std::vector<std::string>{"/r/f"});
    } while (std::next_permutation(
        reports.begin(), reports.end(),
        [](const IndexedReport& a, const IndexedReport& b) { return a.Path < b.Path; }));
}

TEST(ReportIndex, AScanIsTrimmedAndComparedExactly) {
    ReportIndex index;
    index.Put(Made("/r/a", "SN 1", "2026-07-01T08:00:00"));
    EXPECT_EQ(index.ReportsOf("  SN 1\r\n").size(), 1u);
    EXPECT_EQ(index.ReportsOf("\tSN 1 ").size(), 1u);
    EXPECT_TRUE(index.ReportsOf("sn 1").empty());
    EXPECT_TRUE(index.ReportsOf("SN  1").empty());
    EXPECT_TRUE(index.ReportsOf("").empty());
}

TEST(ReportIndex, AFileRewrittenUnderAnotherSerialMovesToThatUnit) {
    ReportIndex index;
    index.Put(Made("/r/a", "SN1", "2026-07-01T08:00:00"));
    index.Put(Made("/r/b", "SN1", "2026-07-01T07:00:00"));
    index.Put(Made("/r/a", "SN2", "2026-07-01T09:00:00"));
    EXPECT_EQ(PathsOf(index.ReportsOf("SN1")), std::vector<std::string>{"/r/b"});
    EXPECT_EQ(PathsOf(index.ReportsOf("SN2")), std::vector<std::string>{"/r/a"});
    EXPECT_EQ(index.Size(), 2u);
    ASSERT_NE(index.At("/r/a"), nullptr);
    EXPECT_EQ(index.At("/r/a")->Serial, "SN2");

    // Rewritten under its serial with another time: it moves in the unit's order.
    index.Put(Made("/r/b", "SN2", "2026-07-02T00:00:00"));
    EXPECT_EQ(PathsOf(index.ReportsOf("SN2")), (std::vector<std::string>{"/r/b", "/r/a"}));
    EXPECT_TRUE(index.ReportsOf("SN1").empty());
}

TEST(ReportIndex, RemovesByPathAndByFolder) {
    ReportIndex index;
    for (const char* path : {"/r/x/1", "/r/x/deep/2", "/r/xy/3", "/r/4", "/r/x"}) {
        index.Put(Made(path, "SN1", "2026-07-01T08:00:00"));
    }
    index.Remove("/r/nothing");
    index.Remove("/r/4");
    EXPECT_EQ(index.At("/r/4"), nullptr);
    EXPECT_EQ(index.Size(), 4u);

    index.RemoveUnder("/r/x/");
    // "/r/xy" is another folder, and "/r/x" itself no file in it.
    EXPECT_EQ(PathsOf(index.ReportsOf("SN1")), (std::vector<std::string>{"/r/xy/3", "/r/x"}));
    index.Remove("/r/xy/3");
    index.Remove("/r/x");
    EXPECT_TRUE(index.ReportsOf("SN1").empty());
    EXPECT_EQ(index.Size(), 0u);
}

} // namespace
} // namespace dorvik::test
