// What the index reads from one file: a report as Open Report reads it, or why the file is none,
// never more than one file's bytes and never a file that may still be being written.

#include "unitindex/ReportFacts.h"
#include "UnitFolder.h"
#include "report/ReportReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace dorvik::test {
namespace {

using Outcome = FileFacts::Outcome;

struct ReportCase {
    std::string Name;
    std::string Text;
    std::string Serial;
    std::string Board;
    std::string Time; // empty: the file's time
};

TEST(ReportFacts, EachKindOfReport) {
    const std::vector<ReportCase> cases = {
        {"ticket.txt", Ticket("QA0001", "ACME-BRD 7 REV C"), "QA0001", "ACME-BRD 7 REV C",
         "2025-03-05T07:08:09"},
        {"named.csv", TriCsv("66830031UE", "N50Q_5", "20260701", "001546", true), "66830031UE",
         "N50Q_5", "2026-07-01T00:15:46"},
        {"unnamed.csv", TriCsv("SN 2", "N50Q 5", "20261231", "235959", false), "SN 2", "N50Q 5",
         "2026-12-31T23:59:59"},
        {"list.txt", FaultList("QA9", "2026-02-03T04:05:06"), "QA9", "", "2026-02-03T04:05:06"},
        {"untimed.txt", Ticket("QA10", "ACME", "no date here"), "QA10", "ACME", ""},
        {"bom.txt", "\xEF\xBB\xBF" + FaultList("QA11"), "QA11", "", ""},
    };
    const UnitFolder folder;
    const std::int64_t modified = SettledMs();
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string path = folder.Write(c.Name, c.Text, modified);
        const FileFacts facts = ExamineFile(path, NowMs());
        ASSERT_EQ(facts.Result, Outcome::Report) << facts.Why;
        ASSERT_TRUE(facts.Report.has_value());
        const IndexedReport& report = *facts.Report;
        EXPECT_EQ(report.Path, path);
        EXPECT_EQ(report.Serial, c.Serial);
        EXPECT_EQ(report.Board, c.Board);
        EXPECT_EQ(report.TimeFromFile, c.Time.empty());
        if (!c.Time.empty()) {
            EXPECT_EQ(report.Time, c.Time);
        }
        EXPECT_EQ(report.ModifiedMs, modified);
        EXPECT_EQ(report.Size, static_cast<std::int64_t>(c.Text.size()));
    }
}

TEST(ReportFacts, EachKindOfFileThatIsNoReport) {
    std::string binary = Ticket("QA0001", "ACME-BRD 7");
    binary[binary.size() / 2] = '\0';
    const std::pair<std::string, std::string> cases[] = {
        {"unserialled.txt", Ticket("", "ACME-BRD 7")},
        {"nofault.txt", "# serial: QA11\n"},
        {"binary.bin", binary},
        {"utf16.txt", std::string("\xFF\xFE#\0 \0s\0e\0r\0", 12)},
        {"empty.txt", ""},
        {"blank.txt", " \r\n\n"},
        {"datalog.txt", "{@BATCH|b||1|1\n{@TS|1|001|000|000|shorts\n"},
        {"notes.txt", "hello\nworld\n"},
    };
    const UnitFolder folder;
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        const FileFacts facts = ExamineFile(folder.Write(name, text), NowMs());
        EXPECT_EQ(facts.Result, Outcome::NotAReport);
        EXPECT_FALSE(facts.Report.has_value());
        EXPECT_NE(facts.Why, "");
    }
}

TEST(ReportFacts, WhatIsNoFileOrNoLongerThere) {
    const UnitFolder folder;
    folder.MakeFolder("sub");
    EXPECT_EQ(ExamineFile(folder.Path("sub"), NowMs()).Result, Outcome::NotAReport);
    EXPECT_EQ(ExamineFile(folder.Path("gone.txt"), NowMs()).Result, Outcome::Unreadable);
    EXPECT_EQ(ExamineFile("", NowMs()).Result, Outcome::Unreadable);
}

TEST(ReportFacts, AReportLongerThanTheFirstLookIsReadWhole) {
    // Far more than the bytes looked at for NUL, the serial at the very end.
    std::string ticket = Ticket("", "ACME");
    while (ticket.size() < 300'000) {
        ticket += "r7 HAS FAILED\nMeasured:   1.2k\n" + std::string(Rule);
    }
    ticket += "Serial #: QA-LAST\n";
    const UnitFolder folder;
    const FileFacts facts = ExamineFile(folder.Write("long.txt", ticket), NowMs());
    ASSERT_EQ(facts.Result, Outcome::Report) << facts.Why;
    EXPECT_EQ(facts.Report->Serial, "QA-LAST");
    EXPECT_EQ(facts.Report->Size, static_cast<std::int64_t>(ticket.size()));
}

TEST(ReportFacts, AFileLargerThanAReportIsNotRead) {
    const UnitFolder folder;
    const std::string path = folder.Write("huge.txt", "");
    // Sparse: its size without its bytes.
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(MaxReportBytes) + 1), 0);
    SetModifiedMs(path, SettledMs());
    const FileFacts facts = ExamineFile(path, NowMs());
    EXPECT_EQ(facts.Result, Outcome::Unreadable);
    EXPECT_NE(facts.Why, "");
}

TEST(ReportFacts, AFileThatCannotBeOpenedIsUnreadable) {
    const UnitFolder folder;
    const std::string path = folder.Write("locked.txt", Ticket("QA1", "ACME"));
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    if (!LockedOut(path)) {
        GTEST_SKIP() << "this process reads files whatever their permissions (root)";
    }
    EXPECT_EQ(ExamineFile(path, NowMs()).Result, Outcome::Unreadable);
}

TEST(ReportFacts, AFileChangedJustNowIsLookedAtLater) {
    const std::int64_t now = NowMs();
    const std::pair<std::int64_t, Outcome> cases[] = {
        {now, Outcome::BeingWritten},
        {now - SettleMs + 50, Outcome::BeingWritten},
        {now - SettleMs - 50, Outcome::Report},
        // A share whose clock runs a little ahead: still being written.
        {now + SettleMs - 50, Outcome::BeingWritten},
        // One far ahead would never settle; its files are taken as they are.
        {now + 3'600'000, Outcome::Report},
        {now - 86'400'000, Outcome::Report},
    };
    const UnitFolder folder;
    const std::string path = folder.Write("ticket.txt", Ticket("QA1", "ACME"));
    for (const auto& [modified, outcome] : cases) {
        SCOPED_TRACE(modified - now);
        SetModifiedMs(path, modified);
        EXPECT_EQ(ExamineFile(path, now).Result, outcome);
    }
}

// Sets the time zone for one test.
class TimeZone {
public:
    explicit TimeZone(const char* zone) {
        if (const char* was = std::getenv("TZ")) {
            was_ = was;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TimeZone() {
        if (was_.empty()) {
            ::unsetenv("TZ");
        } else {
            ::setenv("TZ", was_.c_str(), 1);
        }
        ::tzset();
    }

private:
    std::string was_;
};

TEST(ReportFacts, AReportThatStatesNoTimeHasItsFilesTimeInLocalTime) {
    const TimeZone zone("XST-2"); // two hours ahead of UTC, all year
    const UnitFolder folder;
    const std::string path = folder.Write("list.txt", FaultList("QA1"));
    const std::pair<std::int64_t, std::string> cases[] = {
        {1'782'864'000'000, "2026-07-01T02:00:00"}, // 2026-07-01T00:00:00Z
        {1'782'950'399'999, "2026-07-02T01:59:59"},
        {1'000, "1970-01-01T02:00:01"},
    };
    for (const auto& [modified, time] : cases) {
        SetModifiedMs(path, modified);
        const FileFacts facts = ExamineFile(path, NowMs());
        ASSERT_EQ(facts.Result, Outcome::Report) << facts.Why;
        EXPECT_TRUE(facts.Report->TimeFromFile);
        EXPECT_EQ(facts.Report->Time, time);
        EXPECT_EQ(facts.Report->ModifiedMs, modified);
    }
}

TEST(ReportFacts, NamesWithBlanksAndLettersBeyondAscii) {
    const UnitFolder folder;
    const std::string path =
        folder.Write("Prüfberichte/SN 1 – Übersicht.txt", Ticket("SN 1", "Zähler"));
    const FileFacts facts = ExamineFile(path, NowMs());
    ASSERT_EQ(facts.Result, Outcome::Report) << facts.Why;
    EXPECT_EQ(facts.Report->Path, path);
    EXPECT_EQ(facts.Report->Board, "Zähler");
}

} // namespace
} // namespace dorvik::test
