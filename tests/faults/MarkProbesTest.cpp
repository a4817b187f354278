// The probe marking: frames of the nails numbered Probe1..Probe3 and the automatic side check.

#include "ProbeBoard.h"
#include "faults/FaultDisplays.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

struct MarkProbesTest : ::testing::Test {
    // Marks with the given probes right after an entry, the top side viewed.
    void Mark(std::int32_t p1, std::int32_t p2, std::int32_t p3, char newEntry = 'T') {
        b.State().Probe1 = p1;
        b.State().Probe2 = p2;
        b.State().Probe3 = p3;
        b.State().NewEntry = newEntry;
        b.canvas.calls.clear();
        b.controls.statusHistory.clear();
        MarkProbes(b.ws, 2);
    }

    ProbeBench b;
};

TEST_F(MarkProbesTest, FramesEachProbeInItsColourInNailTableOrder) {
    Mark(19, 13, 40);
    const int r = PinRadius(b.State());
    const std::vector<Frame> expected{
        {"13", colours::Yellow, PixelX(b.ws, 200, 100), PixelY(b.ws, 200, 100)},
        {"40", colours::Red, PixelX(b.ws, 400, 100), PixelY(b.ws, 400, 100)},
        {"19", colours::White, PixelX(b.ws, 300, 300), PixelY(b.ws, 300, 300)},
    };
    EXPECT_EQ(Frames(b.canvas), expected);

    // The number in red below-left of the nail, the frame pen 2 around it, pen 1 afterwards.
    const int x = PixelX(b.ws, 200, 100);
    const int y = PixelY(b.ws, 200, 100);
    const DrawCall& number = b.canvas.calls.at(0);
    EXPECT_EQ(number.Font, colours::Red);
    EXPECT_EQ(std::pair(number.X1, number.Y1), std::pair(x - 6, y + r));
    const DrawCall& frame = b.canvas.calls.at(1);
    EXPECT_EQ((std::array{frame.X1, frame.Y1, frame.X2, frame.Y2}),
              (std::array{x - r, y - r, x + r + 1, y + r + 1}));
    EXPECT_FALSE(frame.BrushSolid);
    EXPECT_EQ(b.canvas.PenWidth(), 1);
}

TEST_F(MarkProbesTest, ANumberGivenTwiceTakesTheEarlierColourOnly) {
    Mark(13, 13, 0);
    EXPECT_EQ(Frames(b.canvas).size(), 1u);
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), std::vector<std::string>{"13"});
    Mark(0, 40, 40);
    EXPECT_EQ(FramedNumbers(b.canvas, colours::Yellow), std::vector<std::string>{"40"});
    EXPECT_TRUE(FramedNumbers(b.canvas, colours::Red).empty());
}

TEST_F(MarkProbesTest, SideCheckTurnsOnlyWhenEverythingFoundLiesOnTheFarSide) {
    struct Case {
        std::array<std::int32_t, 3> Probes;
        bool Turns;
        std::vector<std::string> Framed; // on the top side, before any turn
    };
    const Case cases[] = {
        {{41, 0, 0}, true, {}},          // one probe, on the bottom
        {{41, 42, 0}, true, {}},         // all found on the bottom
        {{41, 13, 0}, false, {"13"}},    // one probe on each side
        {{41, 4321, 0}, true, {}},       // what is not found does not count
        {{4321, 4322, 4323}, false, {}}, // nothing found: no turn
    };
    for (const Case& c : cases) {
        ProbeBench bench;
        bench.State().Probe1 = c.Probes[0];
        bench.State().Probe2 = c.Probes[1];
        bench.State().Probe3 = c.Probes[2];
        bench.State().NewEntry = 'T';
        bench.canvas.calls.clear();
        bench.controls.statusHistory.clear();
        MarkProbes(bench.ws, 2);
        std::vector<std::string> framed;
        for (const Frame& f : Frames(bench.canvas)) {
            framed.push_back(f.Number);
        }
        EXPECT_EQ(bench.State().ViewSide, c.Turns ? -1 : 1) << c.Probes[0] << "," << c.Probes[1];
        EXPECT_EQ(bench.State().NewEntry, 'N');
        EXPECT_EQ(bench.controls.statusHistory, c.Turns
                                                    ? std::vector<std::string>{"AUTO Change Side."}
                                                    : std::vector<std::string>{});
        if (!c.Turns) {
            EXPECT_EQ(framed, c.Framed);
        }
    }
}

TEST_F(MarkProbesTest, SideCheckIsMadeOncePerEntry) {
    Mark(13, 0, 0); // found on the viewed side: the check is spent
    Mark(41, 0, 0, b.State().NewEntry);
    EXPECT_EQ(b.State().ViewSide, 1);
    EXPECT_TRUE(b.controls.statusHistory.empty());
}

TEST_F(MarkProbesTest, NoProbesDrawNothingAndKeepTheCheck) {
    Mark(0, 0, 0);
    EXPECT_TRUE(b.canvas.calls.empty());
    EXPECT_EQ(b.State().NewEntry, 'T');
}

TEST_F(MarkProbesTest, FarSideNailsAreNotDrawn) {
    Mark(21, 22, 0, 'N');
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), std::vector<std::string>{"21"});
    EXPECT_TRUE(FramedNumbers(b.canvas, colours::Yellow).empty());
}

TEST(MarkProbes, TheLastNailOfANumberDecidesItsSide) {
    // Two nails share number 77; the side check goes by the later one in table order.
    const std::int8_t orders[2][2] = {{2, 1}, {1, 2}};
    for (const auto& sides : orders) {
        Bench b({}, {{77, 100, 100, sides[0], "A"}, {77, 300, 100, sides[1], "A"}});
        b.State().Probe1 = 77;
        b.State().NewEntry = 'T';
        b.canvas.calls.clear();
        MarkProbes(b.ws, 2);
        EXPECT_EQ(b.State().ViewSide, sides[1] == 2 ? -1 : 1);
    }
}

TEST(MarkProbes, ARealNailNumbered9999IsMarked) {
    Bench b({}, {{9999, 100, 100, 1, "A"}});
    b.State().Probe1 = 9999;
    b.canvas.calls.clear();
    MarkProbes(b.ws, 2);
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), std::vector<std::string>{"9999"});
}

TEST(MarkProbes, BottomViewFramesMirrored) {
    Bench b({}, {{5, 100, 100, 2, "A"}, {6, 200, 100, 1, "A"}});
    b.State().ViewSide = -1;
    b.State().Probe1 = 5;
    b.State().Probe2 = 6;
    b.canvas.calls.clear();
    MarkProbes(b.ws, 1);
    const std::vector<Frame> expected{
        {"5", colours::White, ToPixelXMirrored(b.State(), 100), ToPixelY(b.State(), 100)}};
    EXPECT_EQ(Frames(b.canvas), expected);
}

} // namespace
} // namespace dorvik::test
