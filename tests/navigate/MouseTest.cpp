// The mouse on the drawing area: the stored click and the action of each button.

#include "navigate/Mouse.h"
#include "NavigateFixture.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

class MouseTest : public WorkspaceTest {};

TEST_F(MouseTest, RightClickWithoutABoardOnlyStoresThePixel) {
    MouseRelease(ws, MouseButton::Right, 123, -45);
    EXPECT_EQ(ws.State.ClickX, 123);
    EXPECT_EQ(ws.State.ClickY, -45);
    EXPECT_EQ(ws.State.Zoom, 0.0f);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_TRUE(controls.statusHistory.empty());
}

TEST_F(MouseTest, RightClickWithABoardZoomsOutAboutThePointer) {
    Load(QueryBoard);
    const int before = Redraws();
    MouseRelease(ws, MouseButton::Right, Width / 2 + 40, Height / 2 - 20);
    EXPECT_EQ(ws.State.ClickX, Width / 2 + 40);
    EXPECT_EQ(ws.State.ClickY, Height / 2 - 20);
    EXPECT_EQ(ws.State.Zoom, 0.5f);
    EXPECT_EQ(ws.State.PanX, -40);
    EXPECT_EQ(ws.State.PanY, 20);
    EXPECT_EQ(Redraws(), before + 1);
}

TEST_F(MouseTest, MiddleClickGoesHomeWithOrWithoutABoard) {
    MouseRelease(ws, MouseButton::Middle, 5, 6);
    EXPECT_EQ(ws.State.Zoom, 1.0f);
    EXPECT_EQ(ws.State.ClickX, 5);
    EXPECT_EQ(Redraws(), 1);

    Load(QueryBoard);
    ws.State.Zoom = 16.0f;
    ws.State.PanX = 30;
    MouseRelease(ws, MouseButton::Middle, 7, 8);
    EXPECT_EQ(ws.State.Zoom, 1.0f);
    EXPECT_EQ(ws.State.PanX, 0);
    EXPECT_EQ(ws.State.ClickY, 8);
}

TEST_F(MouseTest, LeftClickAsksThePointOfTheViewedSide) {
    Load(QueryBoard);
    // R7 (through-hole) shows on both sides, U1 (SMD on top) only on the top.
    struct Case {
        std::int32_t viewSide;
        std::int32_t bx, by;
        const char* status;
    };
    const Case cases[] = {
        {1, 100, 100, "Part:  U1      Pin:  1      Net:  VCC      Probe:  12    (SMD.)"},
        {-1, 100, 100, "Vostrel Dorvik"},
        {0, 100, 100, "Vostrel Dorvik"}, // only +1 is the top
        {-1, 400, 300, "Part:  R7      Pin:  1      Net:  GND      Probe:  0    (DIP.)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.viewSide);
        ws.State.ViewSide = c.viewSide;
        const auto [x, y] = PixelFor(c.bx, c.by);
        MouseRelease(ws, MouseButton::Left, x, y);
        EXPECT_EQ(controls.status, c.status);
        EXPECT_EQ(ws.State.ClickX, x);
        EXPECT_EQ(ws.State.ClickY, y);
    }
}

TEST_F(MouseTest, DoubleClickQueriesZoomsAndQueriesAgain) {
    Load(QueryBoard);
    const auto [x, y] = PixelFor(400, 300);
    MouseRelease(ws, MouseButton::Left, x, y);
    DoubleClick(ws);
    MouseRelease(ws, MouseButton::Left, x, y);

    EXPECT_EQ(ws.State.Zoom, 2.0f);
    EXPECT_EQ(ws.State.PanX, Width / 2 - x);
    EXPECT_EQ(ws.State.PanY, Height / 2 - y);
    // The pin lay near the centre, so the second release, in the zoomed view, still hits it.
    ASSERT_EQ(controls.statusHistory.size(), 2u);
    EXPECT_EQ(controls.statusHistory[0], controls.statusHistory[1]);
    EXPECT_EQ(controls.statusHistory[1],
              "Part:  R7      Pin:  1      Net:  GND      Probe:  0    (DIP.)");
}

} // namespace
} // namespace dorvik::test
