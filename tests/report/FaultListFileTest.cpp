// Dorvik's fault list file: read with its marks, skipped lines counted, written back so that it
// reads the same.

#include "ReportFixture.h"
#include "report/TextLines.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

constexpr std::string_view ListText = "# bench 2, board 17\r\n"
                                      "\r\n"
                                      "short 13 40 7 # [x] Short #1: VCC with SIG\r\n"
                                      "short 13 50 # + VCC with ND\r\n"
                                      "COMP u1,2 r7 # + common devices\r\n"
                                      "net gnd\r\n"
                                      "net NOWHERE # not on this board\r\n"
                                      "open 88 99\r\n"
                                      "comp U1,5\r\n"
                                      "bogus 1\r\n"
                                      "open 1 2 3 4"; // no line end

TEST(FaultListFile, ReadsFaultsWithTheirPartsAndTicks) {
    const ReportResult r = ReadOnProbeBoard(ListText);
    ASSERT_EQ(r.Error, "");
    EXPECT_EQ(r.Kind, ReportKind::FaultListFile);
    EXPECT_EQ(ProblemLines(r), (std::vector<std::size_t>{10, 11}));
    ASSERT_EQ(r.List.Faults().size(), 5u);
    EXPECT_EQ(r.List.LineCount(), 7u);
    const Fault& first = r.List.Faults()[0];
    EXPECT_TRUE(first.Repaired);
    EXPECT_EQ(first.Lines.size(), 3u);
    EXPECT_EQ(first.Kind, "short");
    EXPECT_TRUE(first.OnBoard());
    // On the board as the displays find things: GND in any case, no NOWHERE, no probe 99 (88 is
    // a pin's probe), no pin 5 on U1.
    const bool onBoard[] = {true, false, false, false};
    for (std::size_t f = 1; f < 5; ++f) {
        EXPECT_EQ(r.List.Faults()[f].OnBoard(), onBoard[f - 1]) << f;
        EXPECT_FALSE(r.List.Faults()[f].Repaired);
    }
    EXPECT_EQ(r.List.PlaceOf(2).Fault, 0u);
    EXPECT_EQ(r.List.PlaceOf(2).Line, 2u);
    EXPECT_EQ(r.List.FirstLineOf(2), 4u);
}

TEST(FaultListFile, WritesWhatReadsBackTheSame) {
    ReportResult r = ReadOnProbeBoard(ListText);
    r.List.SetRepaired(0, false);
    r.List.SetRepaired(2, true);
    const std::string written = WriteFaultList(r.List, r.Unit);
    EXPECT_EQ(written, "short 13 40 7 # Short #1: VCC with SIG\n"
                       "short 13 50 # + VCC with ND\n"
                       "comp u1,2 r7 # + common devices\n"
                       "net gnd\n"
                       "net NOWHERE # [x] not on this board\n"
                       "open 88 99\n"
                       "comp U1,5\n");
    const ReportResult again = ReadOnProbeBoard(written);
    EXPECT_EQ(again.SkippedLines, 0u);
    EXPECT_EQ(WriteFaultList(again.List, again.Unit), written);
    EXPECT_TRUE(again.List.Faults()[2].Repaired);
    EXPECT_EQ(FaultsListing(again.List).substr(0, 50),
              "faults: 7\nfault 1: short 13 40 7 # Short #1: VCC w");
}

// A saved list must read back as the very faults it was written from: the same lines in the
// same faults with the same ticks, whatever bytes the descriptions held and however the marks
// in them were changed since.
TEST(FaultListFile, ReadsBackAsTheSameFaultsWhateverTheDescriptions) {
    using namespace std::string_view_literals;
    struct Case {
        std::string_view Text;
        std::size_t UntickFault; // a fault ticked off before saving, or none
        const char* SecondDescription;
    };
    const Case cases[] = {
        // Control bytes (a zero among them) before the words: blanks, trimmed off.
        {"open 7\nshort 13 50 # \x03\0\0 ND\r\n"sv, 9, "ND"},
        // A description that starts with mark words once its own mark is gone.
        {"open 7\nopen 13 # [x] + [x] words\n"sv, 1, "words"},
        {"open 7\nopen 13 # + [x] more\n"sv, 9, "more"},
        // A continuation with no fault above it starts the first fault.
        {"open 13 # + [x] alone\nopen 7 # [x] + two\n"sv, 9, "two"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Text));
        ReportResult r = ReadOnProbeBoard(c.Text);
        ASSERT_EQ(r.SkippedLines, 0u);
        ASSERT_EQ(r.List.LineCount(), 2u);
        EXPECT_EQ(r.List.LineAt(1).Description, c.SecondDescription);
        r.List.SetRepaired(c.UntickFault, false);
        const std::string written = WriteFaultList(r.List, r.Unit);
        const ReportResult again = ReadOnProbeBoard(written);
        EXPECT_EQ(again.SkippedLines, 0u);
        ASSERT_EQ(again.List.Faults().size(), r.List.Faults().size()) << written;
        for (std::size_t f = 0; f < r.List.Faults().size(); ++f) {
            EXPECT_EQ(again.List.Faults()[f].Lines, r.List.Faults()[f].Lines) << written;
            EXPECT_EQ(again.List.Faults()[f].Repaired, r.List.Faults()[f].Repaired) << written;
        }
        EXPECT_EQ(WriteFaultList(again.List, again.Unit), written);
    }
}

std::vector<std::string> KindsOf(const FaultList& list) {
    std::vector<std::string> kinds;
    for (const Fault& f : list.Faults()) {
        kinds.push_back(f.Kind);
    }
    return kinds;
}

TEST(FaultListFile, AKindNoteNamesTheKindOfTheFaultTheNextLineStarts) {
    const std::pair<std::string_view, Lines> cases[] = {
        {"# kind: Analog\ncomp C5\nopen 7\n", {"Analog", "open"}},
        {"# KIND:  Failed Open \n\n# other words\nopen 7\n", {"Failed Open"}},
        {"# kind: Short\n# kind: Open circuit\nopen 7\n", {"Open circuit"}},
        {"# kind:\nopen 7\n", {"open"}},
        {"# kind: \x01\nopen 7\n", {"open"}},
        // A note before a continuation or at the end, or whose line is unreadable, names nothing.
        {"open 7\n# kind: Short\nshort 13 50 # + more\nnet GND\n", {"open", "net"}},
        {"# kind: Short\nshort 13 50 # + alone\n", {"short"}},
        {"open 7\n# kind: Short\n", {"open"}},
        {"# kind: Short\nbogus 1\nopen 7\n", {"open"}},
        // A fault line is no note, whatever its description.
        {"open 7 # kind: Short\n", {"open"}},
    };
    for (const auto& [text, kinds] : cases) {
        SCOPED_TRACE(Printable(text));
        EXPECT_EQ(KindsOf(ReadOnProbeBoard(text).List), kinds);
    }
}

TEST(FaultListFile, WritesTheUnitAtTheTopAndKindsBeforeTheirFaults) {
    ReportResult r = ReadOnProbeBoard("# kind: Analog\ncomp C5 # c5 HAS FAILED\n"
                                      "open 7\nopen 13 # + next\n"
                                      "# kind: Pins\nopen 40\n");
    EXPECT_EQ(WriteFaultList(r.List, {"\x01QA 1 ", "ACME\xE9", "2025-03-05T07:08:09"}),
              "# serial: QA 1\n"
              "# board: ACME\xC3\xA9\n"
              "# tested: 2025-03-05T07:08:09\n"
              "# kind: Analog\n"
              "comp C5 # c5 HAS FAILED\n"
              "open 7\n"
              "open 13 # + next\n"
              "# kind: Pins\n"
              "open 40\n");
    // Empty texts and a time that is none are left out.
    EXPECT_EQ(WriteFaultList(r.List, {"", " \x7F", "2025-02-29T00:00:00"}).substr(0, 15),
              "# kind: Analog\n");
}

// A saved list reads back as the same unit and faults (kinds, lines, descriptions, ticks), and
// saves as the same file again, whatever the list came from.
TEST(FaultListFile, ReadsBackAsTheSameUnitAndFaults) {
    const std::string_view cases[] = {
        "# serial: QA1\n# board: ACME 1\n# tested: 2025-03-05T07:08:09\n"
        "# kind: Failed Open\nopen 7 # [x] first\nopen 13 # + second\n"
        "# kind: Analog\ncomp C5 # [x]\nnet GND\nnet NOWHERE # + [x] not here\n",
        "# board: ACME 2\nshort 13 40 7 # Short #1\nopen 7 # [x] Open #1\n",
        "# serial: \x01QA\x7F"
        "3 \n# board:  ACME\xE9\x02 \n# tested: 2025-02-30T00:00:00\nopen 7\n"
        "short 13 50 # \x03 ND\n",
        "# kind: Short\nshort 13 50 # + no fault above\n# kind: \nopen 7\n",
        // A tester's report: the kinds its faults were given, the unit it states.
        "// PASS/FAIL, ICT_ID, SeriesNo, BoardName, BarCode, Date, Time\n"
        "FAIL,1,3,ACME_3,QA4,20250305,070809,F,0,0,,FPPF,1,F,3,20250305,070800,0,,,0,0\n"
        "Short < 13 40 7 >-VCC -> Parts:U1.2 < 50 >-ND -> Parts:R9.1 < 41 >-BOT\n"
        " 70, R7, 1.0, 1.0, 10.0, 10.0, 0, J, 896, 302, C1, 4.0, 1\n",
        "----------------------------------------\n"
        "ACME 4 \xE9"
        "dition\nBoard Version:  v1\nWed Mar 05 07:08:09 2025\n"
        "----------------------------------------\n"
        "c5 HAS FAILED\nMeasured:   6.1u\n"
        "----------------------------------------\n"
        "Failed Open #1\n(202118) sig\n                 r7.1\n"
        "----------------------------------------\nSerial #: QA5\n",
    };
    for (const std::string_view text : cases) {
        SCOPED_TRACE(Printable(text));
        ReportResult r = ReadOnProbeBoard(text);
        ASSERT_EQ(r.Error, "");
        ASSERT_GE(r.List.Faults().size(), 2u);
        r.List.SetRepaired(1, !r.List.Faults()[1].Repaired);
        const std::string written = WriteFaultList(r.List, r.Unit);
        const ReportResult again = ReadOnProbeBoard(written);
        EXPECT_EQ(again.SkippedLines, 0u) << written;
        EXPECT_EQ(again.Unit, r.Unit) << written;
        ASSERT_EQ(again.List.Faults().size(), r.List.Faults().size()) << written;
        for (std::size_t f = 0; f < r.List.Faults().size(); ++f) {
            EXPECT_EQ(again.List.Faults()[f].Kind, r.List.Faults()[f].Kind) << written;
            EXPECT_EQ(again.List.Faults()[f].Lines, r.List.Faults()[f].Lines) << written;
            EXPECT_EQ(again.List.Faults()[f].Repaired, r.List.Faults()[f].Repaired) << written;
        }
        EXPECT_EQ(WriteFaultList(again.List, again.Unit), written);
    }
}

TEST(FaultListFile, StepsWithinTheList) {
    const ReportResult r = ReadOnProbeBoard("open 1\nopen 2\nopen 3\n");
    FaultList list = r.List;
    EXPECT_EQ(list.PreviousLine(), 0u);
    EXPECT_EQ(list.NextLine(), 0u);
    list.SetCurrent(0);
    EXPECT_EQ(list.NextLine(), 1u);
    EXPECT_EQ(list.PreviousLine(), 0u);
    list.SetCurrent(2);
    EXPECT_EQ(list.NextLine(), 2u);
    EXPECT_EQ(list.PreviousLine(), 1u);
    list.SetCurrent(7); // no such line: stays
    EXPECT_EQ(list.Current(), 2u);
    EXPECT_FALSE(FaultList{}.NextLine().has_value());
}

} // namespace
} // namespace dorvik::test
