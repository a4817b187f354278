// The line's figures counted by the database: every Pareto group and figure of a small log, the
// same on an SQLite file and on a PostgreSQL database seeded with the same records.

#include "linefigures/LineCounts.h"
#include "repairlog/RecordFixture.h"
#include "repairlog/RecordStore.h"
#include "support/PostgresFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace dorvik {

inline void PrintTo(const ParetoRow& row, std::ostream* out) {
    *out << row.Name << " " << row.Count << " " << row.Cumulative;
}

namespace {

const std::int64_t Day = *DayStartUtc("2026-11-02");

// A repair of board MB-200 on 2026-11-02 at `hour`, shown `waitS` seconds before it was recorded.
RepairRecord Repair(const char* serial, const char* report, const char* tested, int hour,
                    const char* refdes, const char* nets, const char* probes, const char* action,
                    const char* who, int waitS) {
    RepairRecord r = test::SampleRecord(serial, Day + hour * 3'600'000LL);
    r.Shown = r.Recorded - waitS * 1000LL;
    r.ReportFile = report;
    r.ReportTested = tested;
    r.Refdes = refdes;
    r.Nets = nets;
    r.Probes = probes;
    r.Action = action;
    r.Result = "RepairSuccessful";
    r.Operator = who;
    return r;
}

std::vector<RepairRecord> SmallLog() {
    std::vector<RepairRecord> log{
        // SN-A: two repairs in one visit, a third in a second visit.
        Repair("SN-A", "a1.txt", "2026-11-02T07:00:00", 8, "U5 R7", "VCC GND", "12 34", "Replaced",
               "anna", 100),
        Repair("SN-A", "a1.txt", "2026-11-02T07:00:00", 9, "U5", "VCC", "12", "No fault found",
               "ben", 300),
        Repair("SN-A", "a2.txt", "2026-11-02T11:00:00", 12, "C3", "GND", "34", "Reflowed", "anna",
               200),
        // SN-B: one visit without a report, and a repair undone.
        Repair("SN-B", "", "", 13, "U5", "VCC", "12", "Replaced", "ben", 400),
        Repair("SN-B", "", "", 14, "Q1", "VCC", "12", "Scrapped", "ben", 50),
        // No serial: a repair, no unit.
        Repair("", "", "", 15, "U5", "", "", "Cleaned", "anna", 100),
        // Three days later.
        Repair("SN-D", "d.txt", "2026-11-05T07:00:00", 24 * 3 + 8, "X9", "N1", "7", "Replaced",
               "chen", 60),
    };
    log.push_back(test::ReversalOf(log[4]));
    RepairRecord other = Repair("SN-C", "c.txt", "", 10, "U5", "VCC", "12", "Replaced", "anna", 10);
    other.Board = "MB-300";
    log.push_back(other);
    return log;
}

const FigureScope FirstDays{"MB-200", *DayStartUtc("2026-11-01"), *DayStartUtc("2026-11-04")};
const FigureScope AllTime{"MB-200"};

struct ParetoCase {
    const FigureScope* Scope;
    ParetoBy By;
    std::vector<ParetoRow> Rows;
};

bool Same(const std::vector<ParetoRow>& a, const std::vector<ParetoRow>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (a[k].Name != b[k].Name || a[k].Count != b[k].Count ||
            std::abs(a[k].Cumulative - b[k].Cumulative) > 0.05) {
            return false;
        }
    }
    return true;
}

// What SmallLog gives; each database must give exactly this.
void ExpectTheSmallLogsCounts(RecordStore& log) {
    const std::vector<ParetoCase> cases{
        {&FirstDays, ParetoBy::Part, {{"U5", 4, 66.7}, {"C3", 1, 83.3}, {"R7", 1, 100.0}}},
        {&FirstDays, ParetoBy::Net, {{"VCC", 3, 60.0}, {"GND", 2, 100.0}}},
        {&FirstDays, ParetoBy::Probe, {{"12", 3, 60.0}, {"34", 2, 100.0}}},
        {&FirstDays,
         ParetoBy::Action,
         {{"Replaced", 2, 40.0},
          {"Cleaned", 1, 60.0},
          {"No fault found", 1, 80.0},
          {"Reflowed", 1, 100.0}}},
        {&FirstDays, ParetoBy::Operator, {{"anna", 3, 60.0}, {"ben", 2, 100.0}}},
        {&AllTime, ParetoBy::Operator, {{"anna", 3, 50.0}, {"ben", 2, 83.3}, {"chen", 1, 100.0}}},
        {&AllTime,
         ParetoBy::Part,
         {{"U5", 4, 57.1}, {"C3", 1, 71.4}, {"R7", 1, 85.7}, {"X9", 1, 100.0}}},
    };
    for (const ParetoCase& c : cases) {
        SCOPED_TRACE(std::string(ParetoByName(c.By)) + (c.Scope == &AllTime ? ", all" : ", days"));
        QString error;
        const auto rows = CountPareto(log, *c.Scope, c.By, error);
        ASSERT_TRUE(rows) << error.toStdString();
        EXPECT_TRUE(Same(*rows, c.Rows)) << ::testing::PrintToString(*rows);
    }
    QString error;
    const auto days = CountFigures(log, FirstDays, error);
    ASSERT_TRUE(days) << error.toStdString();
    EXPECT_EQ(days->Units, 2);
    EXPECT_EQ(days->Repairs, 5);
    EXPECT_DOUBLE_EQ(days->RepeatRate, 50.0); // SN-A came twice, SN-B once
    EXPECT_DOUBLE_EQ(days->NffRate, 20.0);
    EXPECT_EQ(days->MttrSeconds, 220);
    const auto all = CountFigures(log, AllTime, error);
    ASSERT_TRUE(all) << error.toStdString();
    EXPECT_EQ(all->Units, 3);
    EXPECT_EQ(all->Repairs, 6);
    EXPECT_EQ(all->MttrSeconds, 193); // (1100 + 60) / 6
    const auto none = CountFigures(log, {"NO-SUCH-BOARD"}, error);
    ASSERT_TRUE(none) << error.toStdString();
    EXPECT_EQ(*none, LineFigures{});
    const auto empty = CountPareto(log, {"NO-SUCH-BOARD"}, ParetoBy::Part, error);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

TEST(ParetoByName, NamesEveryGroupingAndNothingElse) {
    for (const ParetoBy by :
         {ParetoBy::Part, ParetoBy::Net, ParetoBy::Probe, ParetoBy::Action, ParetoBy::Operator}) {
        EXPECT_EQ(ParetoByNamed(ParetoByName(by)), by);
    }
    for (const char* name : {"", "parts", "Part", "refdes"}) {
        EXPECT_FALSE(ParetoByNamed(name).has_value()) << name;
    }
}

TEST(LineCountsOnSqlite, CountsEveryGroupAndFigure) {
    QTemporaryDir dir;
    QString error;
    auto log = RecordStore::OpenSqlite(dir.filePath(QStringLiteral("bench.sqlite")), error);
    ASSERT_NE(log, nullptr) << error.toStdString();
    const std::vector<RepairRecord> records = SmallLog();
    ASSERT_TRUE(log->Insert(records, error)) << error.toStdString();
    ExpectTheSmallLogsCounts(*log);
}

class LineCountsOnPostgres : public test::WithPostgresDatabase<> {};

TEST_F(LineCountsOnPostgres, GivesWhatTheSqliteFileGives) {
    QString error;
    auto log = RecordStore::OpenPostgres(Conninfo(), error);
    ASSERT_NE(log, nullptr) << error.toStdString();
    const std::vector<RepairRecord> records = SmallLog();
    ASSERT_TRUE(log->Insert(records, error)) << error.toStdString();
    ExpectTheSmallLogsCounts(*log);
}

} // namespace
} // namespace dorvik
