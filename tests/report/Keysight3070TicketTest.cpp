// The Keysight 3070 failure ticket: each kind of block translated by the rules, and its
// malformed lines skipped and counted.

#include "ReportFixture.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

constexpr std::string_view Heading = "----------------------------------------\n"
                                     "TEST BOARD-REV A\n"
                                     "Board Version:  x1\n"
                                     "Mon Jan 03 10:00:00 2005\n"
                                     "----------------------------------------\n";

TEST(Keysight3070Ticket, ShortOfManyNodesBecomesLinesOfOneFault) {
    const std::string text = std::string(Heading) + "Shorts Report for \"shorts\".\n"
                                                    "----------------------------------------\n"
                                                    "Short #1, Thresh 9, Delay 50us      Ohms\n"
                                                    "From: vcc                  20375    4\n"
                                                    "  &   SIG                  20376\n"
                                                    "To:   gnd                 219157    4\n"
                                                    "      ND                   21048    1\n"
                                                    "      nowhere              21049    1\n"
                                                    "      VCC                  20375    4\n"
                                                    "        v                 211152    2 \n"
                                                    "LONE               \n"
                                                    "Common Devices:\n"
                                                    "                  u1\n"
                                                    "                  r7\n"
                                                    "                  c5\n"
                                                    "                  j2\n"
                                                    "Total of 7 nodes, Message is:  None.\n"
                                                    "------End, 1 Problem Reported-----------\n"
                                                    "Serial #: 123\n";
    const ReportResult r = ReadOnProbeBoard(text);
    ASSERT_TRUE(ReadWholeAs(r, ReportKind::Keysight3070Ticket));
    EXPECT_EQ(SavedLines(r.List),
              (Lines{"short 13 40 7 # Short #1: vcc (BRC 20375, 4 ohms) with SIG (BRC 20376) "
                     "with gnd (BRC 219157, 4 ohms)",
                     "short 13 50 60 # + vcc (BRC 20375, 4 ohms) with ND (BRC 21048, 1 ohms) with "
                     "LONE (BRC 211152, 2 ohms)",
                     "net nowhere # + nowhere (BRC 21049, 1 ohms): no nail on this net",
                     "comp U1 R7 C5 # + common devices", "comp J2 # + common devices"}));
    ASSERT_EQ(r.List.Faults().size(), 1u);
    EXPECT_EQ(r.List.Faults()[0].Kind, "Short");
    EXPECT_FALSE(r.List.Faults()[0].OnBoard()); // "nowhere" is on no nail
    EXPECT_TRUE(r.List.LineAt(0).OnBoard);
}

TEST(Keysight3070Ticket, EachKindOfFailure) {
    const std::string text = std::string(Heading) +
                             "Shorts Report for \"shorts\".\n"
                             "----------------------------------------\n"
                             "Open #1 Thresh 25, Delay 50us       Ohms\n"
                             "From: SIG            20358 Open\n"
                             "To:   tp             20254\n"
                             "Common Devices:\n"
                             "                 r7\n"
                             "Message is:  None.\n"
                             "------End, 1 Problem Reported-----------\n"
                             "CHEK-POINT Report for \"pins\".\n"
                             "----------------------------------------\n"
                             "Failed Open #1\n"
                             "(202118) sig\n"
                             "                 r7.1\n"
                             "                 u1.2\n"
                             "               u1%q1.G\n"
                             "                 j2.M9\n"
                             "                 u1.2\n"
                             "------End, 1 Problem Reported----------\n"
                             "TestJet Report for \"testjet\".\n"
                             "----------------------------------------\n"
                             "Open #1  Device j2\n"
                             "  Pin 2  Node MIX\n"
                             "  Measured 26.9             (BRC 210167)\n"
                             "----------------------------------------\n" +
                             std::string(Heading) +
                             "c5 HAS FAILED\n"
                             "\n"
                             "REPLACE DEVICE: c5\n"
                             "\n"
                             "Measured:   6.1244u\n"
                             "Nominal:    4.7000u\n"
                             "Capacitance in FARADS\n"
                             "----------------------------------------\n"
                             "DEVICES IN PARALLEL\n"
                             "   [r9] BOM Value : 1u\n"
                             "   [3%p0%x1]\n"
                             "----------------------------------------\n"
                             "u9%jp1 HAS FAILED\n"
                             "Measured:   31.815k\n"
                             "Threshold: 15.000\n"
                             "----------------------------------------\n"
                             "Serial #: 123\n";
    const ReportResult r = ReadOnProbeBoard(text);
    ASSERT_EQ(r.Error, "");
    EXPECT_EQ(r.SkippedLines, 0u);
    EXPECT_EQ(SavedLines(r.List),
              (Lines{"open 40 89 # Open #1: SIG (BRC 20358, Open) to tp (BRC 20254)",
                     "comp R7 # + common devices",
                     "open 40 # Pins Failed Open #1: sig (BRC 202118); pins by name: u1%q1.G, "
                     "j2.M9",
                     "comp R7,1 U1,2 J2 # + devices on the node",
                     "comp J2,2 # TestJet Open #1: j2, pin 2, node MIX, Measured 26.9 BRC 210167",
                     "comp C5 R9 P0 # c5 HAS FAILED: replace c5, Measured 6.1244u, Nominal "
                     "4.7000u, Capacitance in FARADS, in parallel r9 (BOM Value : 1u), in "
                     "parallel 3%p0%x1",
                     "comp u9 # u9%jp1 HAS FAILED: Measured 31.815k, Threshold 15.000"}));
    std::vector<std::string> kinds;
    for (const Fault& f : r.List.Faults()) {
        kinds.push_back(f.Kind);
    }
    EXPECT_EQ(kinds, (Lines{"Open", "Pins", "TestJet", "Analog", "Analog"}));
    EXPECT_FALSE(r.List.Faults()[4].OnBoard()); // u9 is no part of the board
    EXPECT_TRUE(r.List.Faults()[3].OnBoard());
}

TEST(Keysight3070Ticket, MalformedLinesAreSkippedAndTheRestStays) {
    const std::string text = std::string(Heading) + "Short #1, Thresh 9, Delay 50us      Ohms\n"
                                                    "From:\n"                       // 7: no node
                                                    "To:   gnd             abc 4\n" // 8: no channel
                                                    "      SIG           20376 4\n"
                                                    "----------------------------------------\n"
                                                    "Failed Open #1\n"
                                                    "(abc) sig\n" // 12
                                                    "  r7\n"      // 13: no pin
                                                    "----------------------------------------\n"
                                                    "Open #2  Device j2\n"
                                                    "  Pin\n" // 16
                                                    "c5 HAS FAILED\n"
                                                    "----------------------------------------\n"
                                                    "DEVICES IN PARALLEL\n"
                                                    "   r9\n" // 20
                                                    "Short #3, Thresh 9\n"
                                                    "From: vcc   20375    4\n"; // cut here
    const ReportResult r = ReadOnProbeBoard(text);
    ASSERT_EQ(r.Error, "");
    EXPECT_EQ(ProblemLines(r), (std::vector<std::size_t>{7, 8, 12, 13, 11, 16, 20}));
    EXPECT_EQ(r.SkippedLines, 7u);
    EXPECT_EQ(SavedLines(r.List), (Lines{"short 40 # Short #1: SIG (BRC 20376, 4 ohms)",

                                         "comp J2 # TestJet Open #2: j2", "comp C5 # c5 HAS FAILED",
                                         "short 13 # Short #3: vcc (BRC 20375, 4 ohms)"}));
}

} // namespace
} // namespace dorvik::test
