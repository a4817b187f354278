// A list read on one board, marked again for others: "On board" becomes what reading the list on
// that board gives, and nothing else of the list changes.

#include "report/MarkOnBoard.h"
#include "faults/ProbeBoard.h"
#include "report/ReportReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace dorvik::test {
namespace {

// Against the probe board: every line but the open. Four faults of five lines; the second ticked.
constexpr char List[] = "short 7 13 # Short #1\n"
                        "net SIG # + the same short\n"
                        "comp R7,1 # [x] Analog #2\n"
                        "open 72 # Open #3\n"
                        "comp U1,2\n";

// Another board: U1 with two pins, Q3 on SIG, nails 70 and 72.
struct OtherBench : Bench {
    OtherBench()
        : Bench({{"U1", 5, {{100, 100, 70, "GND"}, {200, 100, 71, "VCC"}}},
                 {"Q3", 1, {{300, 300, 72, "SIG"}}}},
                {{70, 100, 100, 1, "GND"}, {72, 300, 300, 1, "SIG"}}) {}
};

std::vector<bool> Marks(const FaultList& list) {
    std::vector<bool> marks;
    for (std::size_t k = 0; k < list.LineCount(); ++k) {
        marks.push_back(list.LineAt(k).OnBoard);
    }
    return marks;
}

TEST(MarkOnBoard, MarksAsReadingOnTheBoardWouldAndKeepsTheRest) {
    ProbeBench probe;
    OtherBench other;
    const auto empty = std::make_unique<BoardData>();
    struct Case {
        const char* Board;
        const BoardData& Data;
        std::vector<bool> Marks;
        std::size_t FaultsOnBoard;
    };
    const Case cases[] = {
        {"other", *other.board, {false, true, false, true, true}, 2},
        {"empty", *empty, {false, false, false, false, false}, 0},
        {"probe", *probe.board, {true, true, true, false, true}, 3},
    };

    FaultList list = ReadReport(List, *probe.board).List;
    ASSERT_EQ(list.LineCount(), 5u);
    ASSERT_EQ(list.Faults().size(), 4u);
    list.SetCurrent(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Board);
        MarkOnBoard(list, c.Data);
        EXPECT_EQ(Marks(list), c.Marks);
        EXPECT_EQ(list.FaultsOnBoard(), c.FaultsOnBoard);
        const FaultList read = ReadReport(List, c.Data).List;
        for (std::size_t k = 0; k < list.LineCount(); ++k) {
            EXPECT_EQ(list.LineAt(k), read.LineAt(k)) << "line " << k;
        }
        EXPECT_EQ(list.Current(), 3u);
        for (std::size_t f = 0; f < list.Faults().size(); ++f) {
            EXPECT_EQ(list.Faults()[f].Repaired, f == 1) << "fault " << f;
            EXPECT_EQ(list.Faults()[f].Kind, read.Faults()[f].Kind) << "fault " << f;
        }
    }
}

} // namespace
} // namespace dorvik::test
