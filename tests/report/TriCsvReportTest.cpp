// The TRI CSV failure file: probe groups and component rows translated by the rules, malformed
// lines skipped and counted.

#include "ReportFixture.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

constexpr std::string_view HeaderRecord =
    "1,0,TEST_BOARD,SER1,20260701,000705,F,1,1,,PPFP,1,F,0,20260701,000703,0,,,0,0\n\n\n";

TEST(TriCsvReport, GroupsWithANetGiveTheirFirstProbeAndOthersAllTheirs) {
    const std::string text =
        std::string(HeaderRecord) +
        "Short < 13  40  7 >-VCC -> Parts:U1.2 < 50 >-ND -> Parts:R9.1\n"
        "Open < 19> < 40  41  19 > -> <19>-GND Parts:U1.1; <40>-SIG Parts:R7.1\n"
        "Short < 7 >-GND -> Parts:U1.1 < 13 >-VCC -> Parts:U1.2 < 40 >-SIG -> Parts:R7.1 < 41 "
        ">-BOT -> Parts:C5.1\n";
    const ReportResult r = ReadOnProbeBoard(text);
    ASSERT_TRUE(ReadWholeAs(r, ReportKind::TriCsv));
    EXPECT_EQ(SavedLines(r.List),
              (Lines{"short 13 50 # Short: VCC (3 probes) with ND (probe 50); parts U1.2, R9.1",
                     "open 19 40 41 # Open: GND (probe 19) to SIG (probe 40); parts U1.1, R7.1",
                     "short 7 13 40 # Short: GND (probe 7) with VCC (probe 13) with SIG (probe "
                     "40) with BOT (probe 41); parts U1.1, U1.2, R7.1, C5.1",
                     "short 7 41 # +"}));
    EXPECT_EQ(r.List.Faults().size(), 3u);
}

TEST(TriCsvReport, ComponentRowsNameTheirParts) {
    const std::string text =
        "// Header_Data\n"
        "FAIL,1,3,TEST,SER,20260701,001546,F,0,0,,FPPF,1,F,3,20260701,001531,0,,,0,0,16 sec\n"
        "\n// Component_Data\n"
        "// StepNum, PartName, Act_V, Std_V, HLim, LLim, Mode, Type, HPin, LPin, Loc, Msr_V, "
        "Result\n"
        " 70, R7/2_1,    1.000  ,    1.000  ,  10.0,  10.0, 0, J, 896, 302, C1, 4.0000000  , 1\n"
        " 1260, C5/R9,  470.000uF,    1.300uF,  20.0,  20.0, 0, C, 6, 1, F7, 1.77uF, 1\n"
        " 1913, U1_4_2,    0.753V ,    0.753V ,  40.0,  40.0, 2, U, 1, 896, A1, 2.09V , 1\n"
        " 1914, X9_1_2,    0.753V ,    0.753V ,  40.0,  40.0, 2, U, 1, 896, A1, 2.09V , 1\n"
        " 1915, QX/ON,     3.00  ,    40.00  ,  20.0,  -1.0, 31, QF, 385, 1, C5, 59.2  , 1\n";
    const ReportResult r = ReadOnProbeBoard(text);
    ASSERT_TRUE(ReadWholeAs(r, ReportKind::TriCsv));
    const Lines lines = SavedLines(r.List);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "comp R7 # Step 70 R7/2_1 (J): measured 4.0000000, value 1.000, standard "
                        "1.000, high limit 10.0, low limit 10.0, HPin 896, LPin 302, Loc C1");
    EXPECT_EQ(lines[1].substr(0, 16), "comp C5 R9 # Ste");
    EXPECT_EQ(lines[2].substr(0, 17), "comp U1,4,2 # Ste");
    EXPECT_EQ(lines[3].substr(0, 17), "comp X9_1_2 # Ste");
    EXPECT_EQ(lines[4].substr(0, 12), "comp QX # St");
    EXPECT_TRUE(r.List.Faults()[2].OnBoard());
    EXPECT_FALSE(r.List.Faults()[3].OnBoard());
    EXPECT_EQ(r.List.Faults()[0].Kind, "Component");
}

TEST(TriCsvReport, MalformedLinesAreSkippedAndTheRestStays) {
    const std::string text = std::string(HeaderRecord) +
                             "Short < 13 40\n"                                     // 4
                             "Open < 19 x1 >-GND\n"                                // 5
                             "Open < 99999999999 >-GND\n"                          // 6
                             "Short < >-GND\n"                                     // 7
                             " 70, R7, 1.0, 1.0, 10.0\n"                           // 8
                             " 71, R7, 1, 1, 10, 10, 0, J, abc, 302, C1, 4.0, 1\n" // 9
                             " 72, , 1, 1, 10, 10, 0, J, 1, 302, C1, 4.0, 1\n"     // 10
                             "\x01\x7F\xFE garbage\n"                              // 11
                             "Short < 13 >-VCC -> Parts:U1.2 < 50 >-ND -> Parts:R9.1\n";
    const ReportResult r = ReadOnProbeBoard(text);
    ASSERT_EQ(r.Error, "");
    EXPECT_EQ(ProblemLines(r), (std::vector<std::size_t>{4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(r.SkippedLines, 8u);
    EXPECT_EQ(SavedLines(r.List),
              (Lines{"short 13 50 # Short: VCC (probe 13) with ND (probe 50); parts U1.2, R9.1"}));
}

} // namespace
} // namespace dorvik::test
