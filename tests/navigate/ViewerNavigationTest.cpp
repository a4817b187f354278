// The viewer's own navigation: the wheel about the pointer, dragging the picture, and Fit Board.

#include "NavigateFixture.h"
#include "navigate/Navigation.h"
#include "navigate/PanDrag.h"
#include "navigate/ViewFit.h"
#include "navigate/WheelZoom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

namespace dorvik::test {
namespace {

// A board with a pin at each quarter point, so that pointers land on board points.
const std::string WheelBoard = UnitScaleBoard("U1 5 3\n",
                                              "200 150 1 0 A\n"
                                              "600 450 2 0 B\n"
                                              "398 298 3 0 C\n",
                                              1, 3);

class ViewerNavigationTest : public WorkspaceTest {
protected:
    void SetUp() override { Load(WheelBoard); }

    // Where the rotated board point (x, y) is drawn now.
    std::pair<std::int32_t, std::int32_t> Drawn(std::int32_t x, std::int32_t y) const {
        return {ToPixelXForSide(ws.State, x), ToPixelY(ws.State, y)};
    }
};

TEST_F(ViewerNavigationTest, WheelNotchKeepsTheBoardPointUnderThePointer) {
    struct Case {
        const char* Name;
        int Side;
        std::int32_t X, Y; // board point under the pointer
        int Notches;       // positive up (in), negative down (out)
    };
    const Case cases[] = {
        {"in, top side", 1, 200, 150, 1},     {"in thrice, top side", 1, 600, 450, 3},
        {"out, top side", 1, 600, 450, -1},   {"out four times", 1, 200, 150, -4},
        {"in, bottom side", -1, 200, 150, 2}, {"out, bottom side", -1, 600, 450, -2},
        {"in seven times", 1, 398, 298, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Load(WheelBoard);
        if (c.Side != 1) {
            ChangeSide(ws);
        }
        const auto pointer = Drawn(c.X, c.Y);
        float zoom = 1.0f;
        for (int n = 0; n < std::abs(c.Notches); ++n) {
            const auto before = Drawn(c.X, c.Y);
            WheelZoomAt(ws, pointer.first, pointer.second,
                        c.Notches > 0 ? WheelTurn::Up : WheelTurn::Down);
            const double factor = c.Notches > 0 ? 2.0 : 0.5;
            zoom = static_cast<float>(zoom * factor);
            EXPECT_EQ(ws.State.Zoom, zoom);
            // The picture is scaled about the pointer: the point keeps its place under it, up to
            // the whole zoom-1 pixels of the pan (half of one at most) and a pixel of rounding.
            const auto now = Drawn(c.X, c.Y);
            const double slack = ws.State.Zoom / 2 + 1;
            EXPECT_LE(
                std::abs(now.first - (pointer.first + (before.first - pointer.first) * factor)),
                slack)
                << "notch " << n + 1;
            EXPECT_LE(
                std::abs(now.second - (pointer.second + (before.second - pointer.second) * factor)),
                slack)
                << "notch " << n + 1;
        }
    }
}

TEST_F(ViewerNavigationTest, WheelAtTheZoomLimitChangesNothing) {
    for (const auto& [zoom, turn] :
         {std::pair{512.0f, WheelTurn::Up}, std::pair{0.001953125f, WheelTurn::Down}}) {
        ws.State.Zoom = zoom;
        ws.State.PanX = 5;
        ws.State.PanY = -7;
        const int before = Redraws();
        WheelZoomAt(ws, 10, 20, turn);
        EXPECT_EQ(ws.State.Zoom, zoom);
        EXPECT_EQ(ws.State.PanX, 5);
        EXPECT_EQ(ws.State.PanY, -7);
        EXPECT_EQ(Redraws(), before);
    }
}

TEST_F(ViewerNavigationTest, WheelWithoutABoardDoesNothing) {
    BoardData empty;
    RecordingSurface surface{Width, Height};
    FakeControls fake;
    Workspace fresh{empty, surface, fake};
    WheelZoomAt(fresh, 100, 100, WheelTurn::Up);
    WheelZoomAt(fresh, 100, 100, WheelTurn::Down);
    EXPECT_EQ(fresh.State.Zoom, 0.0f);
    EXPECT_TRUE(surface.calls.empty());
}

TEST_F(ViewerNavigationTest, WheelZoomStepsMatchTheZoomCommandsAtTheCentre) {
    // About the drawing's zoom centre the wheel and the zoom key agree.
    WheelZoomAt(ws, ws.State.ClipRight / 2, ws.State.ClipBottom / 2, WheelTurn::Up);
    EXPECT_EQ(ws.State.Zoom, 2.0f);
    EXPECT_EQ(ws.State.PanX, 0);
    EXPECT_EQ(ws.State.PanY, 0);
}

TEST(WheelNotches, GathersSmoothDeltasIntoWholeNotches) {
    struct Step {
        int Delta;
        int Notches;
    };
    const Step steps[] = {{40, 0},    {40, 0}, {40, 1},    {120, 1}, {360, 3}, {-30, 0},
                          {-100, -1}, {50, 0}, {-240, -2}, {70, 0},  {-10, 0}, {-110, -1}};
    WheelNotches notches;
    for (const Step& s : steps) {
        EXPECT_EQ(notches.Add(s.Delta), s.Notches) << s.Delta;
    }
}

TEST_F(ViewerNavigationTest, DragMovesThePictureWithThePointer) {
    for (const float zoom : {1.0f, 4.0f, 0.5f}) {
        SCOPED_TRACE(zoom);
        Load(WheelBoard);
        ws.State.Zoom = zoom;
        const auto start = Drawn(200, 150);
        PanDrag drag;
        drag.Press(ws.State, start.first, start.second);
        EXPECT_TRUE(drag.Move(ws, start.first + 40, start.second - 24));
        EXPECT_TRUE(drag.Move(ws, start.first + 80, start.second + 48));
        EXPECT_TRUE(drag.Release(ws, start.first + 80, start.second + 48));
        const auto now = Drawn(200, 150);
        EXPECT_LE(std::abs(now.first - (start.first + 80)), zoom / 2 + 1);
        EXPECT_LE(std::abs(now.second - (start.second + 48)), zoom / 2 + 1);
        EXPECT_FALSE(drag.Dragging());
    }
}

TEST_F(ViewerNavigationTest, SmallMovementStaysAClick) {
    PanDrag drag;
    drag.Press(ws.State, 100, 100);
    const int before = Redraws();
    EXPECT_FALSE(drag.Move(ws, 100 + PanDrag::Threshold, 100 - PanDrag::Threshold));
    EXPECT_FALSE(drag.Release(ws, 103, 98));
    EXPECT_EQ(ws.State.PanX, 0);
    EXPECT_EQ(ws.State.PanY, 0);
    EXPECT_EQ(Redraws(), before);

    // Once begun, a drag stays one even when the pointer comes back to where it started.
    drag.Press(ws.State, 100, 100);
    EXPECT_TRUE(drag.Move(ws, 100 + PanDrag::Threshold + 1, 100));
    EXPECT_TRUE(drag.Release(ws, 100, 100));
    EXPECT_EQ(ws.State.PanX, 0);
}

TEST_F(ViewerNavigationTest, DragWithoutABoardIsAClick) {
    ws.State.BoardLoaded = 0;
    PanDrag drag;
    drag.Press(ws.State, 10, 10);
    EXPECT_FALSE(drag.Move(ws, 300, 300));
    EXPECT_FALSE(drag.Release(ws, 300, 300));
    EXPECT_EQ(ws.State.PanX, 0);
}

TEST_F(ViewerNavigationTest, DragFollowsOnAfterTheZoomChangedUnderIt) {
    PanDrag drag;
    drag.Press(ws.State, 100, 100);
    EXPECT_TRUE(drag.Move(ws, 120, 100));
    EXPECT_EQ(ws.State.PanX, 20);
    WheelZoomAt(ws, 400, 300, WheelTurn::Up);
    const std::int32_t panAfterWheel = ws.State.PanX;
    EXPECT_TRUE(drag.Move(ws, 140, 100)); // taken as the new start
    EXPECT_EQ(ws.State.PanX, panAfterWheel);
    EXPECT_TRUE(drag.Move(ws, 160, 100));
    EXPECT_EQ(ws.State.PanX, panAfterWheel + 10); // 20 pixels at zoom 2
}

TEST_F(ViewerNavigationTest, FitBoardRefitsToTheDrawingAreaKeepingSideNamesAndEntries) {
    ToggleText(ws);
    ChangeSide(ws);
    RotateStep(ws, "");
    ws.State.Zoom = 8.0f;
    ws.State.PanX = 123;
    ws.State.PanY = -45;
    SetText(ws.State.NetText, ",GND,");
    canvas.Resize(400, 300);
    FitBoard(ws);

    const WindowState& s = ws.State;
    EXPECT_EQ(s.Zoom, 1.0f);
    EXPECT_EQ(s.PanX, 0);
    EXPECT_EQ(s.PanY, 0);
    EXPECT_EQ(s.ImageWidth, 400);
    EXPECT_EQ(s.ImageHeight, 300);
    EXPECT_EQ(s.CentreX, 200);
    EXPECT_EQ(s.ClipRight, 398);
    EXPECT_EQ(s.ClipBottom, 298);
    // Turned once: x' spans -596..0 and y' 0..795, fitted into 396 x 296.
    EXPECT_EQ(s.BoardMinX, -596);
    EXPECT_EQ(s.BoardMinY, 0);
    EXPECT_FLOAT_EQ(s.FitScale, 296.0f / 795.0f);
    EXPECT_EQ(s.ViewSide, -1);
    EXPECT_EQ(s.TextFlag, 'Y');
    EXPECT_EQ(ws.Rotation, 1);
    EXPECT_EQ(Text(s.NetText), ",,"); // board display: the redraw resets it as always
}

TEST_F(ViewerNavigationTest, FitBoardWithoutABoardDoesNothing) {
    ws.State.BoardLoaded = 0;
    ws.State.Zoom = 4.0f;
    const int before = Redraws();
    FitBoard(ws);
    EXPECT_EQ(ws.State.Zoom, 4.0f);
    EXPECT_EQ(Redraws(), before);
}

} // namespace
} // namespace dorvik::test
