// "Ask Point": the hit window, table order, visibility, the report text and the remembered ring.

#include "navigate/PointQuery.h"
#include "NavigateFixture.h"
#include "navigate/Navigation.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace dorvik::test {
namespace {

constexpr const char* Banner = "Vostrel Dorvik";

class PointQueryTest : public WorkspaceTest {
protected:
    std::int32_t Side() const { return ws.State.ViewSide == 1 ? 1 : 2; }

    // Queries the pixel that maps to rotated board point (bx, by); with `exact` it must map
    // there exactly (the unit-scale boards), else as near as the fit allows.
    void AskBoardPoint(std::int32_t bx, std::int32_t by, bool exact = true) {
        const auto [x, y] = PixelFor(bx, by);
        if (exact) {
            ASSERT_EQ(ToBoardX(ws.State, x), bx);
            ASSERT_EQ(ToBoardY(ws.State, y), by);
        }
        PointQuery(ws, x, y, Side());
    }

    // The ring box of a pin at rotated board point (bx, by) in the current view.
    DrawCall RingOf(std::int32_t bx, std::int32_t by) const {
        const std::int32_t x = ToPixelXForSide(ws.State, bx);
        const std::int32_t y = ToPixelY(ws.State, by);
        const std::int32_t r = PinRadius(ws.State);
        DrawCall c{};
        c.What = DrawCall::Kind::Ellipse;
        c.X1 = x - r;
        c.Y1 = y - r;
        c.X2 = x + r;
        c.Y2 = y + r;
        return c;
    }

    static void ExpectBox(const DrawCall& actual, const DrawCall& expected) {
        EXPECT_EQ(actual.X1, expected.X1);
        EXPECT_EQ(actual.Y1, expected.Y1);
        EXPECT_EQ(actual.X2, expected.X2);
        EXPECT_EQ(actual.Y2, expected.Y2);
    }
};

TEST_F(PointQueryTest, HitWindowIsStrictAndReachesLessFarDown) {
    Load(QueryBoard); // R7's pin at (400, 300)
    struct Case {
        std::int32_t dx, dy; // click offset from the pin in rotated board units, y up
        bool hits;
    };
    const Case cases[] = {
        {0, 0, true},    {19, 0, true},  {-19, 0, true},   {20, 0, false},   {-20, 0, false},
        {0, 19, true},   {0, 17, true},  {0, 20, false},   {0, -14, true},   {0, -15, false},
        {0, -17, false}, {19, 19, true}, {-19, -14, true}, {19, -15, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "dx " << c.dx << " dy " << c.dy);
        AskBoardPoint(400 + c.dx, 300 + c.dy);
        EXPECT_EQ(controls.status, c.hits ? "Part:  R7      Pin:  1      Net:  GND      Probe:  0"
                                            "    (DIP.)"
                                          : Banner);
    }
}

TEST_F(PointQueryTest, ReportNamesPartPinNetProbeAndMounting) {
    Load(QueryBoard);
    const struct {
        std::int32_t bx, by;
        const char* status;
    } cases[] = {
        {100, 100, "Part:  U1      Pin:  1      Net:  VCC      Probe:  12    (SMD.)"},
        {300, 100, "Part:  U1      Pin:  2      Net:  N1      Probe:  No Probe    (SMD.)"},
        {400, 300, "Part:  R7      Pin:  1      Net:  GND      Probe:  0    (DIP.)"},
        {700, 500, Banner},
    };
    for (const auto& c : cases) {
        AskBoardPoint(c.bx, c.by);
        EXPECT_EQ(controls.status, c.status);
    }
}

TEST_F(PointQueryTest, NegativeProbeAndLongNamesAreReportedWhole) {
    const std::string part(79, 'P');
    const std::string net(79, 'n');
    Load(UnitScaleBoard(part + " 4 1\n", "200 200 -5 0 " + net + "\n", 1, 1));
    AskBoardPoint(200, 200);
    EXPECT_EQ(controls.status,
              "Part:  " + part + "      Pin:  1      Net:  " + net + "      Probe:  -5    (SMD.)");
}

TEST_F(PointQueryTest, FirstPinInTableOrderWins) {
    // A's pin is farther from the click than B's, but comes first; within C the order decides.
    Load(UnitScaleBoard("A 1 1\nB 1 2\nC 1 4\n",
                        "600 400 1 0 NA\n"
                        "612 400 2 0 NB\n"
                        "200 450 3 0 NC1\n"
                        "200 450 4 0 NC2\n",
                        3, 4));
    AskBoardPoint(612, 400);
    EXPECT_EQ(controls.status, "Part:  A      Pin:  1      Net:  NA      Probe:  1    (DIP.)");
    AskBoardPoint(200, 450);
    EXPECT_EQ(controls.status, "Part:  C      Pin:  1      Net:  NC1      Probe:  3    (DIP.)");
    EXPECT_EQ(ws.Mark.MarkedPinX, 200);
    EXPECT_EQ(ws.Mark.MarkedPinY, 450);
}

TEST_F(PointQueryTest, PinNumbersFollowTheRunningIndex) {
    // H is hidden from the top but its pins still count; B's PinEnd goes back, so B owns no pin
    // and D's first pin is table entry 3.
    Load(UnitScaleBoard("H 8 2\nA 1 3\nB 1 1\nD 1 5\n",
                        "300 300 1 0 H1\n"
                        "300 300 2 0 H2\n"
                        "300 300 3 0 A1\n"
                        "500 300 4 0 D1\n"
                        "500 300 5 0 D2\n",
                        4, 5));
    AskBoardPoint(300, 300);
    EXPECT_EQ(controls.status, "Part:  A      Pin:  1      Net:  A1      Probe:  3    (DIP.)");
    AskBoardPoint(500, 300);
    EXPECT_EQ(controls.status, "Part:  D      Pin:  1      Net:  D1      Probe:  4    (DIP.)");
}

TEST_F(PointQueryTest, VisibilityFollowsKindAndSide) {
    const struct {
        int kind;
        bool top, bottom;
    } cases[] = {
        {0, true, true},   {1, true, true},   {2, true, true},  {3, true, true},
        {5, true, false},  {7, true, false},  {8, false, true}, {10, false, true},
        {12, false, true}, {-56, true, true}, {-1, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        board = BoardData{};
        Load(UnitScaleBoard("K " + std::to_string(c.kind) + " 1\n", "400 300 9 0 S\n", 1, 1));
        const std::string hit = std::string("Part:  K      Pin:  1      Net:  S      Probe:  9") +
                                ((c.kind & 12) != 0 ? "    (SMD.)" : "    (DIP.)");
        AskBoardPoint(400, 300);
        EXPECT_EQ(controls.status, c.top ? hit : Banner);
        ChangeSide(ws);
        AskBoardPoint(400, 300);
        EXPECT_EQ(controls.status, c.bottom ? hit : Banner);
    }
}

TEST_F(PointQueryTest, SearchUsesRotatedCoordinates) {
    ws.Rotation = 1; // (400, 300) turns to (-300, 400)
    Load(UnitScaleBoard("R 1 1\n", "400 300 9 0 S\n", 1, 1));
    AskBoardPoint(-300, 400, false);
    EXPECT_EQ(controls.status, "Part:  R      Pin:  1      Net:  S      Probe:  9    (DIP.)");
    EXPECT_EQ(ws.Mark.MarkedPinX, -300);
    EXPECT_EQ(ws.Mark.MarkedPinY, 400);
}

TEST_F(PointQueryTest, NoBoardShowsTheBannerAndDrawsNothing) {
    PointQuery(ws, 10, 10, 2);
    EXPECT_EQ(controls.status, Banner);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(ws.Mark.MarkedPinX, NoMark);
}

TEST_F(PointQueryTest, RingIsGreenAroundThePinAfterSamplingItsLeftEnd) {
    Load(QueryBoard);
    const DrawCall ring = RingOf(400, 300);
    const std::int32_t y = (ring.Y1 + ring.Y2) / 2;
    canvas.pixels[{ring.X1, y}] = colours::Blue;
    canvas.calls.clear();

    AskBoardPoint(400, 300);
    ASSERT_EQ(canvas.calls.size(), 1u);
    const DrawCall& drawn = canvas.calls[0];
    EXPECT_EQ(drawn.What, DrawCall::Kind::Ellipse);
    ExpectBox(drawn, ring);
    EXPECT_EQ(drawn.Pen, colours::Lime);
    EXPECT_EQ(drawn.PenWidth, 1);
    EXPECT_FALSE(drawn.BrushSolid);
    EXPECT_EQ(ws.Mark.MarkBackground, colours::Blue);
    EXPECT_EQ(ws.Mark.MarkedView, 1);
}

TEST_F(PointQueryTest, NextQueryErasesTheRingInTheSampledColourAtTheNewZoom) {
    Load(QueryBoard);
    const DrawCall before = RingOf(400, 300);
    canvas.pixels[{before.X1, (before.Y1 + before.Y2) / 2}] = colours::Blue;
    AskBoardPoint(400, 300);
    ZoomInAt(ws, ws.State.CentreX, ws.State.CentreY);
    canvas.calls.clear();

    AskBoardPoint(450, 250, false); // empty space in the zoomed view
    EXPECT_EQ(controls.status, Banner);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].Pen, colours::Blue);
    const DrawCall after = RingOf(400, 300);
    EXPECT_GT(after.X2 - after.X1, before.X2 - before.X1);
    ExpectBox(canvas.calls[0], after);
    EXPECT_EQ(ws.Mark.MarkedPinX, NoMark);

    // Forgotten: a third query erases nothing.
    canvas.calls.clear();
    AskBoardPoint(450, 250, false);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(PointQueryTest, SideChangeDropsTheErase) {
    Load(QueryBoard);
    AskBoardPoint(400, 300);
    ChangeSide(ws);
    canvas.calls.clear();
    AskBoardPoint(700, 500);
    EXPECT_EQ(controls.status, Banner);
    EXPECT_TRUE(canvas.Of(DrawCall::Kind::Ellipse).empty());
    EXPECT_EQ(ws.Mark.MarkedPinX, NoMark);

    // Back on the top side the forgotten ring stays forgotten.
    ChangeSide(ws);
    canvas.calls.clear();
    AskBoardPoint(700, 500);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(PointQueryTest, SampleOutsideThePictureErasesNothing) {
    // A pin on the left edge of the outline: its ring's left end lies left of the picture.
    Load(UnitScaleBoard("E 1 1\n", "0 300 1 0 EDGE\n", 1, 1));
    ASSERT_LT(RingOf(0, 300).X1, 0);
    AskBoardPoint(0, 300);
    EXPECT_EQ(controls.status, "Part:  E      Pin:  1      Net:  EDGE      Probe:  1    (DIP.)");
    EXPECT_FALSE(ws.Mark.MarkBackground.has_value());
    ASSERT_EQ(canvas.Of(DrawCall::Kind::Ellipse).size(), 1u); // the ring still shows in part

    canvas.calls.clear();
    AskBoardPoint(700, 500);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(ws.Mark.MarkedPinX, NoMark);
}

TEST_F(PointQueryTest, ClicksFarOutsideThePictureAreSearchedSafely) {
    Load(QueryBoard);
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    const std::pair<std::int32_t, std::int32_t> clicks[] = {
        {lowest, lowest}, {highest, highest}, {lowest, highest}, {-5000, 90000}};
    for (const auto& [x, y] : clicks) {
        for (float zoom : {0.001953125f, 1.0f, 512.0f}) {
            ws.State.Zoom = zoom;
            PointQuery(ws, x, y, 1);
            EXPECT_EQ(controls.status, Banner);
        }
    }
}

TEST_F(PointQueryTest, FarAwayRingIsRememberedButNotDrawn) {
    Load(QueryBoard);
    AskBoardPoint(400, 300);
    ws.State.Zoom = 512.0f;
    ws.State.PanX = 100000;
    canvas.calls.clear();
    PointQuery(ws, 10, 10, 1);
    EXPECT_TRUE(canvas.Of(DrawCall::Kind::Ellipse).empty());
}

} // namespace
} // namespace dorvik::test
