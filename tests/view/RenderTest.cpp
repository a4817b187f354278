#include "view/Render.h"

#include "support/BoardText.h"
#include "view/ViewFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace dorvik {
namespace {

using test::DrawCall;
using Kind = test::DrawCall::Kind;

std::array<int, 4> Corners(const DrawCall& c) {
    return {c.X1, c.Y1, c.X2, c.Y2};
}

// A compact picture of the drawing: one letter per call (M move, L line, E ellipse, R rectangle,
// P pixel, T text).
std::string Shapes(const std::vector<DrawCall>& calls) {
    std::string out;
    for (const DrawCall& c : calls) {
        out += "RELMPT"[static_cast<int>(c.What) == 0 ? 0
                        : c.What == Kind::Ellipse     ? 1
                        : c.What == Kind::LineTo      ? 2
                        : c.What == Kind::MoveTo      ? 3
                        : c.What == Kind::SetPixel    ? 4
                                                      : 5];
    }
    return out;
}

TEST(ClearDrawing, PaintsThePresentSizeBlackWithAMaroonFrame) {
    test::ViewFixture f(640, 480);
    f.ws.State.ImageWidth = 800; // the size of the last fit does not matter
    f.ws.State.ImageHeight = 600;
    f.canvas.SetPenWidth(2);
    ClearDrawing(f.ws);
    ASSERT_EQ(f.canvas.calls.size(), 1u);
    const DrawCall& r = f.canvas.calls[0];
    EXPECT_EQ(r.What, Kind::Rectangle);
    EXPECT_EQ(Corners(r), (std::array{0, 0, 640, 480}));
    EXPECT_EQ(r.Pen, colours::Maroon);
    EXPECT_EQ(r.PenWidth, 1);
    EXPECT_TRUE(r.BrushSolid);
    EXPECT_EQ(r.Brush, colours::Black);
    EXPECT_FALSE(f.canvas.BrushSolid());
    EXPECT_EQ(f.canvas.PenWidth(), 1);
}

struct ResetCase {
    std::int32_t Mode;
    bool KeepsProbes;
    bool KeepsNet;
    bool KeepsComps;
};

class RedrawResets : public ::testing::TestWithParam<ResetCase> {};

TEST_P(RedrawResets, KeepOnlyTheEntryOfTheDisplay) {
    const ResetCase& c = GetParam();
    test::ViewFixture f;
    WindowState& s = f.ws.State;
    s.DisplayMode = c.Mode;
    s.Probe1 = 11;
    s.Probe2 = 22;
    s.Probe3 = 33;
    SetText(s.NetText, ",VCC,");
    SetText(s.CompText1, ",U1,");
    SetText(s.CompText2, ",U2,");
    SetText(s.CompText3, ",U3,");
    Redraw(f.ws);
    EXPECT_EQ(s.Probe1, c.KeepsProbes ? 11 : 0);
    EXPECT_EQ(s.Probe2, c.KeepsProbes ? 22 : 0);
    EXPECT_EQ(s.Probe3, c.KeepsProbes ? 33 : 0);
    EXPECT_EQ(Text(s.NetText), c.KeepsNet ? ",VCC," : ",,");
    EXPECT_EQ(Text(s.CompText1), c.KeepsComps ? ",U1," : ",,");
    EXPECT_EQ(Text(s.CompText2), c.KeepsComps ? ",U2," : ",,");
    EXPECT_EQ(Text(s.CompText3), c.KeepsComps ? ",U3," : ",,");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RedrawResets,
    ::testing::Values(ResetCase{0, false, false, false}, ResetCase{1, true, false, false},
                      ResetCase{2, true, false, false}, ResetCase{3, false, true, false},
                      ResetCase{4, false, false, true}, ResetCase{5, false, false, false},
                      ResetCase{-1, false, false, false}));

std::vector<int> displaysRun;
template <int N> void RecordDisplay(Workspace&) {
    displaysRun.push_back(N);
}

TEST(Redraw, RunsTheFaultDisplayOfModesOneToFour) {
    test::ViewFixture f;
    test::ExampleOutline(f.board);
    f.Reset();
    f.ws.FaultDisplays = {&RecordDisplay<1>, &RecordDisplay<2>, &RecordDisplay<3>,
                          &RecordDisplay<4>};
    for (const std::int32_t mode : {1, 2, 3, 4, 0, 7}) {
        displaysRun.clear();
        f.canvas.calls.clear();
        f.ws.State.DisplayMode = mode;
        Redraw(f.ws);
        SCOPED_TRACE(mode);
        ASSERT_FALSE(f.canvas.calls.empty());
        EXPECT_EQ(f.canvas.calls[0].What, Kind::Rectangle); // cleared first
        if (mode >= 1 && mode <= 4) {
            EXPECT_EQ(displaysRun, std::vector<int>{mode});
            EXPECT_EQ(f.canvas.calls.size(), 1u); // the board is the display's business
        } else {
            EXPECT_TRUE(displaysRun.empty());
            EXPECT_EQ(f.canvas.Of(Kind::LineTo).size(), 4u); // the board's outline
        }
    }
}

TEST(Redraw, AnEmptyDisplaySlotDrawsNothingAfterTheClear) {
    test::ViewFixture f;
    test::ExampleOutline(f.board);
    f.Reset();
    f.ws.State.DisplayMode = ShortDisplay;
    Redraw(f.ws);
    EXPECT_EQ(Shapes(f.canvas.calls), "R");
}

TEST(Redraw, BeforeAnyBoardOnlyClears) {
    test::ViewFixture f;
    Redraw(f.ws);
    EXPECT_EQ(Shapes(f.canvas.calls), "R");
}

// The board of the file format's worked example, fitted to 800 x 600: scale 796 / 3001, pin
// radius 3. U1 (Kind 5, pads and body on top) has four pins, R7 (Kind 1, through-hole, body on
// top) one.
class WorkedBoard : public ::testing::Test {
protected:
    WorkedBoard() {
        test::ReadText(f.board, test::WorkedExample);
        f.Reset();
        f.ws.State.TextFlag = 'Y';
    }
    test::ViewFixture f;
};

TEST_F(WorkedBoard, TopViewDrawsOutlineThenPinsRectangleAndNamePerPart) {
    DrawBoard(f.ws);
    const auto& calls = f.canvas.calls;
    EXPECT_EQ(Shapes(calls), "MLMLMLML"
                             "EEEERT"
                             "ERT");
    EXPECT_EQ(calls[0].Pen, colours::Olive);
    EXPECT_EQ(Corners(calls[0]), (std::array{2, 598, 2, 598}));
    EXPECT_EQ(Corners(calls[1]), (std::array{798, 598, 798, 598}));
    EXPECT_EQ(Corners(calls[7]), (std::array{2, 598, 2, 598}));

    const std::array<int, 4> u1Pins[] = {
        {264, 330, 270, 336}, {291, 330, 297, 336}, {291, 303, 297, 309}, {264, 303, 270, 309}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Corners(calls[8 + i]), u1Pins[i]);
        EXPECT_EQ(calls[8 + i].Pen, colours::Blue);
    }
    EXPECT_EQ(Corners(calls[12]), (std::array{271, 310, 290, 329})); // inside the pins
    EXPECT_EQ(calls[12].Pen, colours::Grey);
    EXPECT_EQ(calls[13].Text, "U1");
    EXPECT_EQ(calls[13].X1, 278);
    EXPECT_EQ(calls[13].Y1, 313);
    EXPECT_EQ(calls[13].Font, colours::Olive);
    EXPECT_EQ(calls[13].FontSize, 8);

    EXPECT_EQ(Corners(calls[14]), (std::array{529, 197, 535, 203}));
    EXPECT_EQ(Corners(calls[15]), (std::array{528, 196, 536, 204})); // around the pin
    EXPECT_EQ(calls[16].Text, "R7");
    EXPECT_EQ(calls[16].X1, 532); // above the box, from its middle column
    EXPECT_EQ(calls[16].Y1, 200 - 12 - 3);
}

TEST_F(WorkedBoard, BottomViewMirrorsAndHidesWhatLiesOnTop) {
    f.ws.State.ViewSide = -1;
    DrawBoard(f.ws);
    const auto& calls = f.canvas.calls;
    // U1 has pads and body on top: nothing of it. R7 is through-hole with its body on top: its
    // pin only.
    ASSERT_EQ(Shapes(calls), "MLMLMLML"
                             "E");
    EXPECT_EQ(Corners(calls[0]), (std::array{798, 598, 798, 598}));
    EXPECT_EQ(Corners(calls[1]), (std::array{2, 598, 2, 598}));
    EXPECT_EQ(Corners(calls[8]), (std::array{265, 197, 271, 203}));
}

TEST_F(WorkedBoard, NamesOffKeepsTheRectangles) {
    f.ws.State.TextFlag = 'N';
    DrawBoard(f.ws);
    EXPECT_EQ(Shapes(f.canvas.calls), "MLMLMLML"
                                      "EEEER"
                                      "ER");
}

TEST_F(WorkedBoard, BelowZoomOnePinsArePixelsAndTheFontIsSmall) {
    f.ws.State.Zoom = 0.5f;
    DrawBoard(f.ws);
    const auto pixels = f.canvas.Of(Kind::SetPixel);
    ASSERT_EQ(pixels.size(), 5u);
    EXPECT_EQ(pixels[0].Pen, colours::Blue);
    EXPECT_EQ(f.canvas.FontSize(), 8);
    f.ws.State.Zoom = 4.0f;
    DrawBoard(f.ws);
    EXPECT_EQ(f.canvas.FontSize(), 12);
}

TEST(DrawBoard, TheRunningPinIndexNeverGoesBack) {
    test::ViewFixture f;
    test::ExampleOutline(f.board);
    test::BoardBuilder(f.board)
        .Part("R1", 0, {{100, 100}, {200, 100}, {300, 100}})
        .PartEndingAt("R2", 0, 1) // ends before the pins already drawn: owns none
        .Pin({400, 100})
        .PartEndingAt("R3", 0, 4)
        .Pin({500, 100}); // beyond the last part: no one's
    f.Reset();
    DrawBoard(f.ws);
    EXPECT_EQ(Shapes(f.canvas.calls), "MLMLMLML"
                                      "EEER"
                                      "R"
                                      "ER");
    const auto rectangles = f.canvas.Of(Kind::Rectangle);
    // R2's box is empty: its rectangle lies beyond every edge of the area.
    EXPECT_EQ(Corners(rectangles[1]), (std::array{32000 - 9, 32000 - 9, -9999 + 9, -9999 + 9}));
    EXPECT_EQ(f.canvas.Of(Kind::Ellipse)[3].X1, ToPixelX(f.ws.State, 400) - 8);
}

TEST(DrawBoard, WithoutPartsDrawsTheOutlineOnly) {
    test::ViewFixture f;
    test::ExampleOutline(f.board);
    test::BoardBuilder(f.board).Pin({100, 100});
    f.Reset();
    DrawBoard(f.ws);
    EXPECT_EQ(Shapes(f.canvas.calls), "MLMLMLML");
}

TEST(DrawBoard, PinsOutsideTheMarginsStillStretchTheRectangle) {
    test::ViewFixture f;
    test::ExampleOutline(f.board);
    test::BoardBuilder(f.board).Part("C1", 0, {{500, 250}, {5000, 250}});
    f.Reset();
    DrawBoard(f.ws);
    EXPECT_EQ(Shapes(f.canvas.calls), "MLMLMLML"
                                      "ER");
    const DrawCall r = f.canvas.Of(Kind::Rectangle).at(0);
    EXPECT_EQ(r.X1, 400 - 9);
    EXPECT_EQ(r.X2, ToPixelX(f.ws.State, 5000) + 9);
    EXPECT_GT(r.X2, 800);
}

TEST(DrawBoard, ANameOnlyShowsWhereTheBodyIs) {
    test::ViewFixture f;
    test::ExampleOutline(f.board);
    // Kind 9: body on top, pads on the bottom. From the top its rectangle (from an empty box)
    // and its name are drawn; from the bottom only its pin.
    test::BoardBuilder(f.board).Part("Q1", 9, {{500, 250}});
    f.Reset();
    f.ws.State.TextFlag = 'Y';
    DrawBoard(f.ws);
    EXPECT_EQ(Shapes(f.canvas.calls), "MLMLMLML"
                                      "RT");
    f.canvas.calls.clear();
    f.ws.State.ViewSide = -1;
    DrawBoard(f.ws);
    EXPECT_EQ(Shapes(f.canvas.calls), "MLMLMLML"
                                      "E");
}

} // namespace
} // namespace dorvik
