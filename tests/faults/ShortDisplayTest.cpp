// The short-link display: every pin of each probe's net in its colour with its number, the parts'
// names in teal, all other pins blue, and the nails of those nets framed.

#include "ProbeBoard.h"
#include "faults/EntryActions.h"

#include <gtest/gtest.h>

#include <set>

namespace dorvik::test {
namespace {

std::set<std::string> Distinct(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

struct ShortDisplayTest : ::testing::Test {
    void Enter(std::array<std::string_view, 3> boxes) {
        ASSERT_EQ(AcceptProbeEntry(b.State(), boxes, ShortDisplay), std::nullopt);
        b.controls.status = "before";
        b.Redraw();
    }
    std::vector<Colour> PinCircles(std::int32_t x, std::int32_t y) const {
        return CirclesAt(b.canvas, PixelX(b.ws, x, y), PixelY(b.ws, x, y));
    }

    ProbeBench b;
};

TEST_F(ShortDisplayTest, PinsOfTheNetsInTheirColoursOthersBlue) {
    Enter({"19", "40", ""}); // 19 is a nail on GND, whose first pin carries probe 7
    using V = std::vector<Colour>;
    EXPECT_EQ(PinCircles(100, 100), V{colours::White});  // U1 pin 1, probe 7
    EXPECT_EQ(PinCircles(200, 100), V{colours::Blue});   // U1 pin 2, VCC
    EXPECT_EQ(PinCircles(100, 200), V{colours::White});  // U1 pin 4, probe 7
    EXPECT_EQ(PinCircles(400, 100), V{colours::Yellow}); // R7 pin 1, probe 40
    EXPECT_EQ(PinCircles(450, 100), V{colours::White});  // R7 pin 2, probe 7
    EXPECT_EQ(PinCircles(500, 250), V{colours::Blue});   // J2, through-hole, seen from the top
    EXPECT_TRUE(PinCircles(600, 300).empty());           // C5 has its pads on the bottom

    // Highlighted pins carry their numbers within their parts; names of their parts in teal even
    // with part names switched off. P0's pin lies on the clip margin: no circle, no number, but
    // its name all the same.
    EXPECT_EQ(Texts(b.canvas, colours::White), (std::vector<std::string>{"1", "4", "2"}));
    EXPECT_EQ(Texts(b.canvas, colours::Yellow), std::vector<std::string>{"1"});
    EXPECT_EQ(Texts(b.canvas, colours::Teal), (std::vector<std::string>{"U1", "R7", "P0"}));
    EXPECT_TRUE(Texts(b.canvas, colours::Olive).empty());
    EXPECT_TRUE(PinCircles(0, 250).empty());

    EXPECT_EQ(Distinct(FramedNumbers(b.canvas, colours::White)),
              (std::set<std::string>{"7", "19", "31"}));
    EXPECT_EQ(Distinct(FramedNumbers(b.canvas, colours::Yellow)), std::set<std::string>{"40"});
    EXPECT_EQ(b.State().Probe1, 31);
    EXPECT_EQ(b.State().Probe2, 40);
    EXPECT_EQ(b.controls.status, "before");
}

TEST_F(ShortDisplayTest, TealNameIsWrittenOverTheOliveOne) {
    b.State().TextFlag = 'Y';
    Enter({"13", "", ""});
    std::vector<std::pair<std::string, Colour>> u1;
    for (const DrawCall& c : b.canvas.Of(DrawCall::Kind::Text)) {
        if (c.Text == "U1") {
            u1.emplace_back(c.Text, c.Font);
        }
    }
    EXPECT_EQ(u1, (std::vector<std::pair<std::string, Colour>>{{"U1", colours::Olive},
                                                               {"U1", colours::Teal}}));
    // Parts whose body is on the bottom get no name from the top.
    EXPECT_EQ(Texts(b.canvas, colours::Olive), (std::vector<std::string>{"U1", "R7", "R9", "P0"}));
}

TEST_F(ShortDisplayTest, BelowZoomOnePinsAreBlueDotsWithTheirNumbers) {
    Enter({"19", "40", ""});
    b.State().Zoom = 0.5f;
    b.Redraw();
    EXPECT_TRUE(b.canvas.Of(DrawCall::Kind::Ellipse).empty());
    const auto dots = b.canvas.Of(DrawCall::Kind::SetPixel);
    ASSERT_FALSE(dots.empty());
    for (const DrawCall& dot : dots) {
        EXPECT_EQ(dot.Pen, colours::Blue);
    }
    const std::int32_t x = PixelX(b.ws, 400, 100);
    const std::int32_t y = PixelY(b.ws, 400, 100);
    EXPECT_EQ(b.canvas.Pixel(x, y), colours::Blue); // R7 pin 1, highlighted yellow
    EXPECT_EQ(Texts(b.canvas, colours::Yellow), std::vector<std::string>{"1"});
    EXPECT_EQ(b.controls.status, "Vostrel Dorvik");
}

TEST_F(ShortDisplayTest, FarSideThroughHolePartShowsPinsButNoBodyOrName) {
    ASSERT_EQ(AcceptProbeEntry(b.State(), {"21", "", ""}, ShortDisplay), std::nullopt);
    b.State().NewEntry = 'N'; // as on a later redraw: no turn
    b.Redraw();
    EXPECT_EQ(PinCircles(500, 250), std::vector<Colour>{colours::White});
    EXPECT_TRUE(Texts(b.canvas, colours::Teal).empty());
    const int x = PixelX(b.ws, 500, 250);
    const int y = PixelY(b.ws, 500, 250);
    for (const DrawCall& c : b.canvas.Of(DrawCall::Kind::Rectangle)) {
        if (c.Pen == colours::Grey) {
            EXPECT_FALSE(c.X1 <= x && x < c.X2 && c.Y1 <= y && y < c.Y2) << "J2 got a rectangle";
        }
    }
}

TEST_F(ShortDisplayTest, UnknownProbeIsReportedAndHighlightsNothing) {
    Enter({"13", "4321", ""});
    EXPECT_EQ(b.controls.status, "Not found:  4321  ");
    EXPECT_TRUE(Texts(b.canvas, colours::Yellow).empty());
    EXPECT_TRUE(FramedNumbers(b.canvas, colours::Yellow).empty());
    for (const DrawCall& c : b.canvas.Of(DrawCall::Kind::Ellipse)) {
        EXPECT_NE(c.Pen, colours::Yellow);
    }
}

TEST(ShortDisplay, UnknownNumberDoesNotHighlightPinsCarrying9999) {
    Bench b({{"R1", 1, {{100, 100, 9999, "X"}, {200, 100, 13, "Y"}}}}, {{13, 200, 100, 1, "Y"}});
    ASSERT_EQ(AcceptProbeEntry(b.State(), {"13", "4321", ""}, ShortDisplay), std::nullopt);
    b.Redraw();
    EXPECT_EQ(CirclesAt(b.canvas, PixelX(b.ws, 100, 100), PixelY(b.ws, 100, 100)),
              std::vector<Colour>{colours::Blue});
    EXPECT_EQ(b.controls.status, "Not found:  4321  ");
}

TEST(ShortDisplay, APinWithProbeZeroTakesTheColourOfAProbeNotGiven) {
    // Values are compared only: a probe not given resolves to 0.
    Bench b({{"R1", 1, {{100, 100, 0, "X"}, {200, 100, 13, "Y"}}}}, {{13, 200, 100, 1, "Y"}});
    ASSERT_EQ(AcceptProbeEntry(b.State(), {"13", "", ""}, ShortDisplay), std::nullopt);
    b.Redraw();
    EXPECT_EQ(CirclesAt(b.canvas, PixelX(b.ws, 100, 100), PixelY(b.ws, 100, 100)),
              std::vector<Colour>{colours::Yellow});
}

} // namespace
} // namespace dorvik::test
