// Zoom, pan, home, quarter turns, the label switch and the side change, with their arithmetic.

#include "navigate/Navigation.h"
#include "NavigateFixture.h"
#include "navigate/KeyTable.h"
#include "navigate/Mouse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace dorvik::test {
namespace {

class NavigationTest : public WorkspaceTest {
protected:
    // The view state of a loaded board, without drawing one.
    void SetLoadedView(float zoom, std::int32_t panX = 0, std::int32_t panY = 0) {
        WindowState& s = ws.State;
        s.ImageWidth = Width;
        s.ImageHeight = Height;
        s.CentreX = Width / 2;
        s.CentreY = Height / 2;
        s.Zoom = zoom;
        s.PanX = panX;
        s.PanY = panY;
        s.FitScale = 1.0f;
        s.ClipLeft = 2;
        s.ClipTop = 2;
        s.ClipRight = Width - 2;
        s.ClipBottom = Height - 2;
        s.ViewSide = 1;
        s.TextFlag = 'N';
        s.BoardLoaded = 1;
    }
};

TEST_F(NavigationTest, ZoomInKeyDoublesUpTo512AboutTheCentre) {
    SetLoadedView(1.0f, 7, -3);
    ws.State.ClickX = 10;
    ws.State.ClickY = 20;
    const float expected[] = {2, 4, 8, 16, 32, 64, 128, 256, 512, 512, 512};
    for (std::size_t press = 0; press < std::size(expected); ++press) {
        SCOPED_TRACE(press + 1);
        ASSERT_TRUE(RunViewCommand(ws, CommandForKey(vk::KeypadPlus)));
        EXPECT_EQ(ws.State.Zoom, expected[press]);
        EXPECT_EQ(ws.State.PanX, 7);
        EXPECT_EQ(ws.State.PanY, -3);
        EXPECT_EQ(ws.State.ClickX, Width / 2);
        EXPECT_EQ(ws.State.ClickY, Height / 2);
        EXPECT_EQ(Redraws(), static_cast<int>(press + 1));
    }
}

TEST_F(NavigationTest, ZoomOutKeyHalvesDownToOneOver512) {
    SetLoadedView(1.0f, 7, -3);
    const float expected[] = {0.5f,         0.25f,        0.125f,      0.0625f,
                              0.03125f,     0.015625f,    0.0078125f,  0.00390625f,
                              0.001953125f, 0.001953125f, 0.001953125f};
    for (std::size_t press = 0; press < std::size(expected); ++press) {
        SCOPED_TRACE(press + 1);
        ASSERT_TRUE(RunViewCommand(ws, CommandForKey(vk::Minus)));
        EXPECT_EQ(ws.State.Zoom, expected[press]);
        EXPECT_EQ(ws.State.PanX, 7);
        EXPECT_EQ(ws.State.PanY, -3);
    }
}

struct ZoomCase {
    const char* name;
    bool zoomIn;
    float zoom;
    std::int32_t panX, panY;
    std::int32_t dx, dy; // pointer offset from the centre
    float zoomAfter;
    std::int32_t panXAfter, panYAfter;
};

TEST_F(NavigationTest, ZoomStepsShiftThePanTowardThePointer) {
    const ZoomCase cases[] = {
        {"in at the limit, 512 px right", true, 512, 0, 0, 512, 0, 512, -2, 0},
        {"in at the limit, 100 px right", true, 512, 0, 0, 100, 0, 512, 0, 0},
        {"in from 1", true, 1, 0, 0, 100, -40, 2, -100, 40},
        {"in from 2 with pan", true, 2, 10, 5, -30, 6, 4, 25, 2},
        {"in truncates toward zero", true, 4, 0, 0, 3, -3, 8, 0, 0},
        {"out from 1", false, 1, 0, 0, 100, 50, 0.5f, -100, -50},
        {"out from 2 with pan", false, 2, 5, -5, -3, 3, 1, 6, -6},
        {"out truncates toward zero", false, 2, 0, 0, 3, -3, 1, -1, 1},
        {"out at the limit", false, 0.001953125f, 0, 0, 1, -2, 0.001953125f, -256, 512},
    };
    for (const ZoomCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetLoadedView(c.zoom, c.panX, c.panY);
        const std::int32_t px = Width / 2 + c.dx;
        const std::int32_t py = Height / 2 + c.dy;
        if (c.zoomIn) {
            ZoomInAt(ws, px, py);
        } else {
            ZoomOutAt(ws, px, py);
        }
        EXPECT_EQ(ws.State.Zoom, c.zoomAfter);
        EXPECT_EQ(ws.State.PanX, c.panXAfter);
        EXPECT_EQ(ws.State.PanY, c.panYAfter);
    }
}

TEST_F(NavigationTest, DoubleClickZoomsInAboutThePrecedingRelease) {
    SetLoadedView(512);
    MouseRelease(ws, MouseButton::Left, Width / 2 + 512, Height / 2);
    DoubleClick(ws);
    EXPECT_EQ(ws.State.Zoom, 512.0f);
    EXPECT_EQ(ws.State.PanX, -2);
    EXPECT_EQ(ws.State.PanY, 0);

    SetLoadedView(1);
    MouseRelease(ws, MouseButton::Left, Width / 2 - 10, Height / 2 + 20);
    DoubleClick(ws);
    EXPECT_EQ(ws.State.Zoom, 2.0f);
    EXPECT_EQ(ws.State.PanX, 10);
    EXPECT_EQ(ws.State.PanY, -20);
}

TEST_F(NavigationTest, PanStepsAreAQuarterOfTheAreaAtZoomOne) {
    struct Case {
        float zoom;
        PanDirection direction;
        std::int32_t panX, panY;
    };
    // Width 1000 and height 600: quarters of 250 and 150 zoom-1 pixels.
    const Case cases[] = {
        {1, PanDirection::Left, 250, 0},    {1, PanDirection::Right, -250, 0},
        {1, PanDirection::Up, 0, 150},      {1, PanDirection::Down, 0, -150},
        {0.5f, PanDirection::Left, 500, 0}, {128, PanDirection::Left, 1, 0},
        {128, PanDirection::Right, -1, 0},  {256, PanDirection::Left, 0, 0},
        {512, PanDirection::Right, 0, 0},   {128, PanDirection::Up, 0, 1},
        {256, PanDirection::Down, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "zoom " << c.zoom << " direction " << static_cast<int>(c.direction));
        SetLoadedView(c.zoom, 0, 0);
        ws.State.ImageWidth = 1000;
        const int before = Redraws();
        PanStep(ws, c.direction);
        EXPECT_EQ(ws.State.PanX, c.panX);
        EXPECT_EQ(ws.State.PanY, c.panY);
        EXPECT_EQ(Redraws(), before + 1);
    }
}

TEST_F(NavigationTest, PanKeysMoveLikeTheButtons) {
    const std::pair<int, std::pair<std::int32_t, std::int32_t>> keys[] = {
        {vk::Left, {200, 0}}, {vk::Right, {-200, 0}}, {vk::Up, {0, 150}}, {vk::Down, {0, -150}}};
    for (const auto& [key, pan] : keys) {
        SCOPED_TRACE(key);
        SetLoadedView(1);
        ASSERT_TRUE(RunViewCommand(ws, CommandForKey(key)));
        EXPECT_EQ(ws.State.PanX, pan.first);
        EXPECT_EQ(ws.State.PanY, pan.second);
    }
}

TEST_F(NavigationTest, HomeResetsZoomAndPanOnly) {
    SetLoadedView(8, 5, -7);
    ws.Rotation = 2;
    ws.State.ViewSide = -1;
    ws.State.TextFlag = 'Y';
    ws.State.DisplayMode = NetDisplay;
    ASSERT_TRUE(RunViewCommand(ws, CommandForKey(vk::Home)));
    EXPECT_EQ(ws.State.Zoom, 1.0f);
    EXPECT_EQ(ws.State.PanX, 0);
    EXPECT_EQ(ws.State.PanY, 0);
    EXPECT_EQ(ws.Rotation, 2);
    EXPECT_EQ(ws.State.ViewSide, -1);
    EXPECT_EQ(ws.State.TextFlag, 'Y');
    EXPECT_EQ(ws.State.DisplayMode, NetDisplay);
    EXPECT_EQ(Redraws(), 1);
}

TEST_F(NavigationTest, RotateStepCyclesWithItsGlyphs) {
    SetLoadedView(1);
    const std::pair<std::int32_t, const char*> steps[] = {
        {1, "arrow1l.bmp"}, {2, "arrow1d.bmp"}, {3, "arrow1r.bmp"}, {0, "arrow1u.bmp"}};
    for (const auto& [rotation, glyph] : steps) {
        RotateStep(ws, "/opt/dorvik/");
        EXPECT_EQ(ws.Rotation, rotation);
        EXPECT_EQ(controls.glyph, std::string("/opt/dorvik/") + glyph);
    }
    for (const auto& [rotation, glyph] : steps) {
        ASSERT_TRUE(RunViewCommand(ws, CommandForKey('R')));
        EXPECT_EQ(ws.Rotation, rotation);
        EXPECT_EQ(controls.glyph, glyph);
    }
    EXPECT_EQ(Redraws(), 8);
    EXPECT_EQ(ws.State.Zoom, 1.0f);
    EXPECT_EQ(ws.State.ViewSide, 1);
}

TEST_F(NavigationTest, MissingGlyphEndsTheTurnAfterRotationAdvanced) {
    SetLoadedView(1);
    controls.glyph = "arrow1u.bmp";
    controls.failGlyphs = true;
    try {
        RunViewCommand(ws, CommandForKey('R'));
        FAIL() << "no error";
    } catch (const CommandError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file arrow1l.bmp");
    }
    EXPECT_EQ(ws.Rotation, 1);
    EXPECT_EQ(controls.glyph, "arrow1u.bmp");
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(NavigationTest, TextSwitchFlipsFlagAndCaptionColour) {
    // Before a board the flag is 0, which counts as off.
    ToggleText(ws);
    EXPECT_EQ(ws.State.TextFlag, 'Y');
    EXPECT_EQ(controls.textColour, FromRgb(0xFFFF00));

    SetLoadedView(1);
    const std::pair<char, std::uint32_t> presses[] = {{'Y', 0xFFFF00}, {'N', 0x000000}};
    for (const auto& [flag, rgb] : presses) {
        ASSERT_TRUE(RunViewCommand(ws, CommandForKey('V')));
        EXPECT_EQ(ws.State.TextFlag, flag);
        EXPECT_EQ(ToRgb(controls.textColour), rgb);
    }
    EXPECT_EQ(Redraws(), 3);
}

TEST_F(NavigationTest, SideChangeBeforeAndAfterABoard) {
    // Before a board ViewSide is 0: it stays 0, which is not the top.
    ASSERT_TRUE(RunViewCommand(ws, CommandForKey(vk::Space)));
    EXPECT_EQ(ws.State.ViewSide, 0);
    EXPECT_EQ(controls.sideCaption, "BOT");
    EXPECT_EQ(controls.sideColour, colours::Green);

    SetLoadedView(1);
    const struct {
        std::int32_t side;
        const char* caption;
        std::uint32_t rgb;
    } presses[] = {{-1, "BOT", 0x008000}, {1, "TOP", 0x0000FF}, {-1, "BOT", 0x008000}};
    for (const auto& p : presses) {
        ChangeSide(ws);
        EXPECT_EQ(ws.State.ViewSide, p.side);
        EXPECT_EQ(controls.sideCaption, p.caption);
        EXPECT_EQ(ToRgb(controls.sideColour), p.rgb);
    }
    EXPECT_EQ(Redraws(), 4);
}

TEST_F(NavigationTest, ZoomAndPanBeforeABoardReportTheFloatingPointError) {
    constexpr const char* byZero = "Floating point division by zero";
    constexpr const char* invalid = "Invalid floating point operation";
    struct Case {
        const char* name;
        void (*run)(Workspace&);
        const char* error;
    };
    const Case cases[] = {
        {"zoom-in key at the centre (0 / 0)",
         [](Workspace& w) { RunViewCommand(w, KeyCommand::ZoomIn); }, invalid},
        {"zoom-out key", [](Workspace& w) { RunViewCommand(w, KeyCommand::ZoomOut); }, invalid},
        {"zoom in off the centre", [](Workspace& w) { ZoomInAt(w, 5, 0); }, byZero},
        {"zoom out off the centre", [](Workspace& w) { ZoomOutAt(w, 0, 9); }, invalid},
        {"zoom out off the centre in x", [](Workspace& w) { ZoomOutAt(w, -3, 9); }, byZero},
        {"pan with no area (0 / 0)", [](Workspace& w) { PanStep(w, PanDirection::Left); }, invalid},
        {"pan over a sized area",
         [](Workspace& w) {
             w.State.ImageHeight = 600;
             PanStep(w, PanDirection::Up);
         },
         byZero},
        {"double click",
         [](Workspace& w) {
             MouseRelease(w, MouseButton::Left, 3, 4);
             DoubleClick(w);
         },
         byZero},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ws.State = WindowState{};
        ws.State.PanX = 11;
        ws.State.PanY = -12;
        const int before = Redraws();
        try {
            c.run(ws);
            ADD_FAILURE() << "no error";
        } catch (const CommandError& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
        EXPECT_EQ(ws.State.Zoom, 0.0f);
        EXPECT_EQ(ws.State.PanX, 11);
        EXPECT_EQ(ws.State.PanY, -12);
        EXPECT_EQ(Redraws(), before);
    }
}

TEST_F(NavigationTest, HomeBeforeABoardMakesZoomUsable) {
    ASSERT_TRUE(RunViewCommand(ws, CommandForKey(vk::Home)));
    EXPECT_EQ(ws.State.Zoom, 1.0f);
    EXPECT_EQ(Redraws(), 1);
    ZoomInAt(ws, 4, 0);
    EXPECT_EQ(ws.State.Zoom, 2.0f);
    EXPECT_EQ(ws.State.PanX, -4);
}

TEST_F(NavigationTest, ExtremePointersAndPansSaturate) {
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    SetLoadedView(0.001953125f);
    ZoomInAt(ws, lowest, highest);
    EXPECT_EQ(ws.State.PanX, highest);
    EXPECT_EQ(ws.State.PanY, lowest);

    SetLoadedView(0.001953125f, highest - 1, lowest + 1);
    PanStep(ws, PanDirection::Left);
    PanStep(ws, PanDirection::Down);
    EXPECT_EQ(ws.State.PanX, highest);
    EXPECT_EQ(ws.State.PanY, lowest);
}

} // namespace
} // namespace dorvik::test
