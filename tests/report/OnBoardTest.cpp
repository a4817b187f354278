// "On board" tells what the display really finds: the windows store typed text in upper case and
// the displays match the board's names exactly as the board writes them, between commas.

#include "faults/FaultBench.h"
#include "report/FaultSelection.h"
#include "report/ReportReader.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

// Names in upper case, in lower case, and holding a comma.
struct MixedCaseBench : Bench {
    MixedCaseBench()
        : Bench(
              {
                  {"U1",
                   1,
                   {{100, 100, 7, "GND"},
                    {200, 100, 13, "vcc"},
                    {200, 200, 40, "SIG"},
                    {100, 200, 7, "GND"}}},
                  {"r7", 1, {{400, 100, 40, "SIG"}, {450, 100, 7, "GND"}}},
                  {"C,5", 1, {{600, 300, 41, "A,B"}, {650, 350, 7, "GND"}}},
              },
              {
                  {7, 150, 150, 1, "GND"},
                  {13, 200, 100, 1, "vcc"},
                  {40, 400, 100, 1, "SIG"},
                  {41, 600, 300, 1, "A,B"},
              }) {}
};

TEST(OnBoard, SaysWhetherTheDisplayShowsEverythingTheLineNames) {
    struct Case {
        const char* Line;
        bool OnBoard;
        bool DisplaySaysNotFound;
    };
    const Case cases[] = {
        {"net GND", true, false},
        {"net gnd", true, false},      // typed in any case: stored as GND
        {"net vcc", false, true},      // the board's lower-case name is never found
        {"net GND,SIG", false, false}, // only the first nail's net, GND, is shown
        {"net GND,", true, false},
        {"net a,b", true, false}, // a name holding a comma
        {"comp u1,3", true, false},
        {"comp U1,5", false, false},  // U1 has 4 pins: nothing marked, nothing said
        {"comp U1,03", false, false}, // pins are marked by their number as written, 3
        {"comp r7", false, true},
        {"comp R7,1", false, true},
        {"comp U1,1 U1,2", false, false}, // U1 is drawn with the first entry's pins only
        {"comp U1,1 c,5,2", true, false},
        {"comp U1 r7", false, false}, // the display names the first entry's misses only
        {"open 7 13", true, false},
        {"open 7 99", false, true},
    };
    MixedCaseBench bench;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Line);
        const ReportResult read = ReadReport(c.Line, *bench.board);
        ASSERT_EQ(read.List.LineCount(), 1u);
        const FaultLine& line = read.List.LineAt(0);
        EXPECT_EQ(line.OnBoard, c.OnBoard);
        bench.controls.status.clear();
        SelectFaultLine(bench.ws, line);
        EXPECT_EQ(bench.controls.status.rfind("Not found", 0) == 0, c.DisplaySaysNotFound)
            << bench.controls.status;
    }
}

} // namespace
} // namespace dorvik::test
