// The repair log's rules: times, entered texts, what a fault names, actions, visits, repeats and
// the loop limit.

#include "RecordFixture.h"

#include "repairlog/EnteredText.h"
#include "repairlog/FaultFacts.h"
#include "repairlog/UnitHistory.h"
#include "support/BoardText.h"

#include <gtest/gtest.h>

namespace dorvik {
namespace {

using test::ReversalOf;
using test::SampleRecord;

TEST(UtcTime, WritesAndReadsIsoWithMilliseconds) {
    struct Case {
        std::int64_t Ms;
        const char* Text;
    };
    for (const Case& c :
         {Case{0, "1970-01-01T00:00:00.000Z"}, Case{1'781'234'567'891, "2026-06-12T03:22:47.891Z"},
          Case{951'782'400'000, "2000-02-29T00:00:00.000Z"},
          Case{-1, "1969-12-31T23:59:59.999Z"}}) {
        EXPECT_EQ(IsoUtc(c.Ms), c.Text);
        EXPECT_EQ(ParseIsoUtc(c.Text), c.Ms) << c.Text;
    }
}

TEST(UtcTime, RefusesWhatIsNoTime) {
    for (const char* text : {"", "2026-06-12", "2026-06-12T03:22:47Z", "2026-13-01T00:00:00.000Z",
                             "2026-02-30T00:00:00.000Z", "2026-06-12T24:00:00.000Z",
                             "2026-06-12 03:22:47.891Z", "2026-06-12T03:22:47.89xZ"}) {
        EXPECT_FALSE(ParseIsoUtc(text)) << text;
    }
    EXPECT_EQ(DayStartUtc("2026-06-12"), *ParseIsoUtc("2026-06-12T00:00:00.000Z"));
    for (const char* day : {"2026-6-12", "2026-02-29", "20260612", "2026-06-12T", "x026-06-12"}) {
        EXPECT_FALSE(DayStartUtc(day)) << day;
    }
}

TEST(EnteredText, KeepsOneCleanLine) {
    struct Case {
        std::string Typed;
        std::size_t Most;
        std::string Kept;
        bool TooLong;
    };
    const Case cases[] = {
        {"  SN 1000 ", 20, "SN 1000", false},
        {"a\tb\nc\x1f"
         "d\x7f",
         20, "a b c d", false},
        {"'); DROP TABLE repair_record; --", 100, "'); DROP TABLE repair_record; --", false},
        {"\xc3\xa9t\xc3\xa9", 3, "\xc3\xa9t\xc3\xa9", false}, // three characters, five bytes
        {"\xc3\xa9t\xc3\xa9!", 3, "", true},
        {std::string(10000, 'x'), MaxCommentLength, "", true},
        {"\n\n", 5, "", false},
    };
    for (const Case& c : cases) {
        const EnteredText entered = CleanEntered(c.Typed, c.Most);
        EXPECT_EQ(entered.Text, c.Kept) << c.Typed;
        EXPECT_EQ(entered.TooLong, c.TooLong) << c.Typed;
    }
}

TEST(RepairActions, EachActionHasItsTextAndResult) {
    struct Case {
        RepairAction Action;
        const char* Text;
        const char* Result;
    };
    for (const Case& c :
         {Case{RepairAction::Replaced, "Replaced", "RepairSuccessful"},
          Case{RepairAction::SolderBridgeRemoved, "Solder bridge removed", "RepairSuccessful"},
          Case{RepairAction::NoFaultFound, "No fault found", "RepairSuccessful"},
          Case{RepairAction::Scrapped, "Scrapped", "Scrap"},
          Case{RepairAction::SentToEngineering, "Sent to engineering", "UnableToRepair"}}) {
        EXPECT_EQ(ActionText(c.Action), c.Text);
        EXPECT_EQ(ResultOf(c.Action), c.Result);
        EXPECT_EQ(ActionFromText(c.Text), c.Action);
    }
    EXPECT_EQ(AllRepairActions.size(), 9u);
    EXPECT_FALSE(ActionFromText("replaced"));
    EXPECT_FALSE(ActionFromText(""));
}

// Two parts, U1 (pins 1-3) and R2 (pins 1-2); probes 11..15 on the pins, nails 40 and 41.
BoardData SmallBoard() {
    BoardData board;
    test::ReadText(board, "str_length:\n12 16\nvar_data:\n4 2 5 2 0 0\n"
                          "Format:\n0 0\n1000 0\n1000 1000\n0 1000\n"
                          "Parts:\nU1 1 3\nR2 1 5\n"
                          "Pins:\n10 10 11 0 VCC\n20 10 12 0 SDA\n30 10 13 0 GND\n"
                          "10 50 14 0 GND\n20 50 15 0 OUT\n"
                          "Nails:\n40 10 10 1 VCC\n41 20 50 1 OUT\n");
    return board;
}

TEST(FaultFacts, NamesTheNetsProbesAndPartsOfItsLines) {
    const BoardData board = SmallBoard();
    Fault fault;
    fault.Kind = "Short";
    fault.Lines = {FaultLine{LineKind::Short, {"11", "41", "999"}, "Short #1: VCC to OUT"},
                   FaultLine{LineKind::Comp, {"U1,2,3", "R2"}, ""},
                   FaultLine{LineKind::Net, {"SDA"}, "and the bus"}};
    const FaultFacts facts = FactsOf(fault, board);
    EXPECT_EQ(facts.Kind, "Short");
    EXPECT_EQ(facts.Lines, "short 11 41 999 | comp U1,2,3 R2 | net SDA");
    EXPECT_EQ(facts.Description, "Short #1: VCC to OUT | and the bus");
    // 999 names no net; U1's pins 2 and 3 add their nets and probes; SDA is named once.
    EXPECT_EQ(JoinedByBlanks(facts.Nets), "VCC OUT SDA GND");
    EXPECT_EQ(JoinedByBlanks(facts.Probes), "11 41 999 12 13");
    EXPECT_EQ(JoinedByBlanks(facts.Parts), "U1 R2");
}

TEST(FaultFacts, ToleratesPinsAndPartsTheBoardDoesNotHave) {
    const BoardData board = SmallBoard();
    Fault fault;
    fault.Kind = "Analog";
    fault.Lines = {FaultLine{LineKind::Comp, {"U1,0,4,x,-1,99999999999", "Q9,1"}, ""},
                   FaultLine{LineKind::Open, {"0", "abc"}, ""}};
    const FaultFacts facts = FactsOf(fault, board);
    EXPECT_EQ(JoinedByBlanks(facts.Nets), "");
    EXPECT_EQ(JoinedByBlanks(facts.Probes), "");
    EXPECT_EQ(JoinedByBlanks(facts.Parts), "U1 Q9");
}

TEST(UnitHistory, ReversalsCancelTheirRepair) {
    RepairRecord kept = SampleRecord();
    RepairRecord undone = SampleRecord();
    undone.Recorded += 1000;
    const RepairRecord reversal = ReversalOf(undone);
    const UnitHistory history({reversal, undone, kept}); // in any order
    ASSERT_EQ(history.Records().size(), 3u);
    EXPECT_EQ(history.Records().front().Id, kept.Id);
    EXPECT_EQ(history.Records().back().Id, reversal.Id);
    EXPECT_TRUE(history.Stands(kept));
    EXPECT_FALSE(history.Stands(undone));
    EXPECT_FALSE(history.Stands(reversal));
}

TEST(UnitHistory, CountsEarlierVisitsAndRepeatedParts) {
    const std::int64_t day = *DayStartUtc("2026-11-02");
    RepairRecord first = SampleRecord("SN1", day);
    first.ReportFile = "first.csv";
    first.Refdes = "U5 C7";
    RepairRecord second = SampleRecord("SN1", day + 1000);
    second.ReportFile = "second.csv";
    second.Refdes = "R1";
    RepairRecord reversed = SampleRecord("SN1", day + 2000);
    reversed.ReportFile = "third.csv";
    reversed.Refdes = "Q3";
    RepairRecord benchOnly = SampleRecord("SN1", day + 3000);
    benchOnly.ReportFile.clear();
    benchOnly.Refdes = "L2";
    RepairRecord sameBenchDay = benchOnly;
    sameBenchDay.Id = test::NewId();
    sameBenchDay.Recorded += 1000;
    const UnitHistory history(
        {first, second, reversed, ReversalOf(reversed), benchOnly, sameBenchDay});

    // first, second and the bench's day; the reversed visit counts for nothing.
    const std::string now = VisitOf("now.csv", "", "bench-7", day + 5000);
    EXPECT_EQ(history.EarlierVisits(now), 3u);
    EXPECT_EQ(history.EarlierVisits(VisitOf(second)), 2u);
    EXPECT_TRUE(history.RepairedBefore("U5", now));
    EXPECT_TRUE(history.RepairedBefore("c7", now)); // typed in another case
    EXPECT_FALSE(history.RepairedBefore("U5", VisitOf(first)));
    EXPECT_FALSE(history.RepairedBefore("Q3", now));
    EXPECT_FALSE(history.RepairedBefore("U", now));
    EXPECT_TRUE(IsLoop(3, 3));
    EXPECT_FALSE(IsLoop(2, 3));
}

TEST(UnitHistory, FindsTheStandingRepairOfAFaultOfThisVisit) {
    RepairRecord repair = SampleRecord();
    UnitHistory history({repair});
    const std::string visit = VisitOf(repair);
    EXPECT_EQ(history.StandingRepairOf(visit, repair.Fault, repair.Lines)->Id, repair.Id);
    EXPECT_EQ(history.StandingRepairOf(visit, repair.Fault + 1, repair.Lines), nullptr);
    EXPECT_EQ(history.StandingRepairOf(visit, repair.Fault, "open 1 2"), nullptr);
    EXPECT_EQ(
        history.StandingRepairOf(VisitOf("other.txt", "", "b", 0), repair.Fault, repair.Lines),
        nullptr);
    // A tester may name every report of a unit alike: the time it states tells the visits apart.
    const std::string retest =
        VisitOf(repair.ReportFile, "2026-11-09T08:00:00", repair.Bench, repair.Recorded);
    EXPECT_NE(retest, visit);
    EXPECT_EQ(history.StandingRepairOf(retest, repair.Fault, repair.Lines), nullptr);
    EXPECT_EQ(history.EarlierVisits(retest), 1u);
    history.Add(ReversalOf(repair));
    EXPECT_EQ(history.StandingRepairOf(visit, repair.Fault, repair.Lines), nullptr);
}

TEST(RepairRecord, TabSeparatedKeepsEveryValueOnItsLine) {
    RepairRecord r = SampleRecord();
    r.Comment = "two\tcolumns\nand lines\r";
    const std::string line = TabSeparated(r);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    std::size_t tabs = 0;
    for (const char c : line) {
        tabs += c == '\t' ? 1 : 0;
    }
    EXPECT_EQ(tabs, RecordColumnCount - 1);
    EXPECT_NE(line.find("two columns and lines "), std::string::npos);
    EXPECT_EQ(TabSeparatedHeader().substr(0, 12), "id\trecorded\t");
    EXPECT_EQ(RecordValues(r)[1], IsoUtc(r.Recorded));
}

} // namespace
} // namespace dorvik
