#include "view/Primitives.h"

#include "view/ViewFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace dorvik {
namespace {

using test::DrawCall;
using Kind = test::DrawCall::Kind;

// The fit example's view: PinRadius 8 at zoom 1.
class ExamplePrimitives : public ::testing::Test {
protected:
    ExamplePrimitives() {
        test::ExampleOutline(f.board);
        f.Reset();
    }
    WindowState& s = f.ws.State;
    test::ViewFixture f;
};

TEST(Visibility, FollowsTheKindBits) {
    const struct {
        std::int8_t Kind;
        bool PinTop, PinBottom, BodyTop, BodyBottom;
    } cases[] = {
        {0, true, true, true, true},    {1, true, true, true, false},
        {2, true, true, false, true},   {3, true, true, true, true},
        {4, true, false, true, true},   {5, true, false, true, false},
        {6, true, false, false, true},  {7, true, false, true, true},
        {8, false, true, true, true},   {9, false, true, true, false},
        {10, false, true, false, true}, {12, false, true, true, true},
        {127, false, true, true, true}, {-1, true, true, true, true},
        {-2, true, true, false, true},  {-128, true, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Kind));
        EXPECT_EQ(PinVisible(c.Kind, 1), c.PinTop);
        EXPECT_EQ(PartBodyVisible(c.Kind, 1), c.BodyTop);
        // Every side value but 1 is the bottom.
        for (const std::int32_t bottom : {-1, 2, 0}) {
            EXPECT_EQ(PinVisible(c.Kind, bottom), c.PinBottom);
            EXPECT_EQ(PartBodyVisible(c.Kind, bottom), c.BodyBottom);
        }
    }
}

TEST(PartBoxBounds, StartEmptyAndWidenWithEachPin) {
    PartBox box;
    EXPECT_EQ(box.Left, 32000);
    EXPECT_EQ(box.Top, 32000);
    EXPECT_EQ(box.Right, -9999);
    EXPECT_EQ(box.Bottom, -9999);
    box.Add(100, 140);
    box.Add(200, 100);
    EXPECT_EQ(box.Left, 100);
    EXPECT_EQ(box.Top, 100);
    EXPECT_EQ(box.Right, 200);
    EXPECT_EQ(box.Bottom, 140);
    box.Reset();
    EXPECT_EQ(box.Left, 32000);
    EXPECT_EQ(box.Right, -9999);
}

TEST_F(ExamplePrimitives, PartRectangleLiesInsideOrAroundThePinsByName) {
    PartBox box;
    box.Add(100, 100);
    box.Add(200, 140);
    const struct {
        const char* Name;
        int Left, Top, Right, Bottom;
    } cases[] = {
        {"R5", 91, 91, 209, 149},  {"U7", 109, 109, 191, 131}, {"IC3", 109, 109, 191, 131},
        {"U", 109, 109, 191, 131}, {"u7", 91, 91, 209, 149},   {"Ic3", 91, 91, 209, 149},
        {"I", 91, 91, 209, 149},   {"", 91, 91, 209, 149},     {"CU1", 91, 91, 209, 149},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        f.canvas.calls.clear();
        f.canvas.SetPenColour(colours::Red);
        DrawPartBox(f.ws, c.Name, box);
        ASSERT_EQ(f.canvas.calls.size(), 1u);
        const DrawCall& r = f.canvas.calls[0];
        EXPECT_EQ(r.What, Kind::Rectangle);
        EXPECT_EQ(r.Pen, colours::Grey);
        EXPECT_FALSE(r.BrushSolid);
        EXPECT_EQ((std::array{r.X1, r.Y1, r.X2, r.Y2}),
                  (std::array{c.Left, c.Top, c.Right, c.Bottom}));
    }
}

TEST_F(ExamplePrimitives, PartRectangleOfFarAwayPinsSaturates) {
    PartBox box;
    box.Add(std::numeric_limits<std::int32_t>::min(), 0);
    box.Add(std::numeric_limits<std::int32_t>::max(), 10);
    DrawPartBox(f.ws, "R1", box);
    const DrawCall& r = f.canvas.calls.at(0);
    EXPECT_EQ(r.X1, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(r.X2, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(r.Y1, -9);
    EXPECT_EQ(r.Y2, 19);
}

struct LabelCase {
    const char* Name;
    float Zoom;
    PartBox Box;
    int X, Y;
};

TEST_F(ExamplePrimitives, LabelGoesInsideTheBoxWhenItFitsElseAbove) {
    const PartBox wide{10, 20, 110, 60};  // 100 x 40
    const PartBox flat{10, 20, 110, 30};  // 100 x 10
    const PartBox narrow{10, 20, 40, 60}; // 30 x 40
    const LabelCase cases[] = {
        {"C12", 1.0f, wide, 10 + 50 - 3, 20 + 20 - 6},
        {"C12", 2.0f, wide, 10 + 50 - 9, 20 + 20 - 6},
        {"C12", 0.5f, wide, 10 + 50 - 9, 20 + 20 - 6},
        {"C12", 1.0f, flat, 10 + 50, 20 - 12 - 8},
        {"C12", 2.0f, flat, 10 + 50, 20 - 12 - 16},
        {"C12345", 1.0f, narrow, 10 + 15, 20 - 12 - 8}, // 6 x 6 = 36 is not below 30
        {"C1234", 1.0f, narrow, 10 + 15, 20 - 12 - 8},  // 30 is not below 30
        {"C123", 1.0f, narrow, 10 + 15 - 4, 20 + 20 - 6},
        {"C12", 1.0f, PartBox{10, 20, 110, 32}, 10 + 50, 20 - 12 - 8}, // height 12 is not enough
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Name << " zoom " << c.Zoom);
        s.Zoom = c.Zoom;
        const LabelPosition at = PartLabelPosition(s, c.Name, c.Box, PinRadius(s));
        EXPECT_EQ(at.X, c.X);
        EXPECT_EQ(at.Y, c.Y);
    }
}

TEST_F(ExamplePrimitives, LabelOfAnEmptyBoxStartsFarAway) {
    const LabelPosition at = PartLabelPosition(s, "R1", PartBox{}, 8);
    // Width -41999 halves to -20999 (toward zero); the name goes above, at the middle column.
    EXPECT_EQ(at.X, 32000 - 20999);
    EXPECT_EQ(at.Y, 32000 - 12 - 8);
}

TEST_F(ExamplePrimitives, LabelIsWrittenInOliveOnlyWhenNamesAreOn) {
    const PartBox box{10, 20, 110, 60};
    s.TextFlag = 'N';
    DrawPartLabel(f.ws, "C12", box);
    EXPECT_TRUE(f.canvas.calls.empty());

    s.TextFlag = 'Y';
    s.Zoom = 4.0f;
    DrawPartLabel(f.ws, "C12", box);
    ASSERT_EQ(f.canvas.calls.size(), 1u);
    const DrawCall& t = f.canvas.calls[0];
    EXPECT_EQ(t.What, Kind::Text);
    EXPECT_EQ(t.Text, "C12");
    EXPECT_EQ(t.Font, colours::Olive);
    EXPECT_EQ(t.FontSize, 12);
    EXPECT_EQ(t.X1, 10 + 50 - 9);
    EXPECT_EQ(t.Y1, 20 + 20 - 6);
}

TEST(LabelFontSize, IsLargerAboveZoomTwo) {
    const struct {
        float Zoom;
        int Points;
    } cases[] = {{1.0f / 512, 8}, {0.5f, 8}, {1.0f, 8}, {2.0f, 8}, {4.0f, 12}, {512.0f, 12}};
    WindowState s;
    for (const auto& c : cases) {
        s.Zoom = c.Zoom;
        EXPECT_EQ(LabelFontSize(s), c.Points) << c.Zoom;
    }
}

TEST_F(ExamplePrimitives, PinMarkIsACircleInsideTheMarginsOnly) {
    DrawPinMark(f.ws, 100, 200, colours::Blue);
    ASSERT_EQ(f.canvas.calls.size(), 1u);
    const DrawCall& c = f.canvas.calls[0];
    EXPECT_EQ(c.What, Kind::Ellipse);
    EXPECT_EQ((std::array{c.X1, c.Y1, c.X2, c.Y2}), (std::array{92, 192, 108, 208}));
    EXPECT_EQ(c.Pen, colours::Blue);

    // On a margin line or beyond: nothing drawn, but the pen colour is set all the same.
    const struct {
        int X, Y;
    } outside[] = {{2, 200}, {798, 200}, {100, 2}, {100, 598}, {1, 200}, {100, 900}, {-5, -5}};
    for (const auto& p : outside) {
        f.canvas.calls.clear();
        f.canvas.SetPenColour(colours::Red);
        DrawPinMark(f.ws, p.X, p.Y, colours::Yellow);
        EXPECT_TRUE(f.canvas.calls.empty()) << p.X << "," << p.Y;
        EXPECT_EQ(f.canvas.PenColour(), colours::Yellow);
    }
    f.canvas.calls.clear();
    DrawPinMark(f.ws, 3, 597, colours::Blue); // just inside
    EXPECT_EQ(f.canvas.calls.size(), 1u);
}

TEST_F(ExamplePrimitives, PinMarkBelowZoomOneIsOnePixel) {
    s.Zoom = 0.5f;
    DrawPinMark(f.ws, 100, 200, colours::White);
    ASSERT_EQ(f.canvas.calls.size(), 1u);
    EXPECT_EQ(f.canvas.calls[0].What, Kind::SetPixel);
    EXPECT_EQ(f.canvas.calls[0].X1, 100);
    EXPECT_EQ(f.canvas.calls[0].Y1, 200);
    EXPECT_EQ(f.canvas.calls[0].Pen, colours::White);
}

TEST_F(ExamplePrimitives, OutlineIsAnOpenPolylineOnEitherSide) {
    DrawOutline(f.ws, 1);
    const auto lines = f.canvas.Of(Kind::LineTo);
    const auto moves = f.canvas.Of(Kind::MoveTo);
    ASSERT_EQ(lines.size(), 4u);
    ASSERT_EQ(moves.size(), 4u);
    const int expected[][4] = {
        {2, 598, 797, 598}, {797, 598, 797, 200}, {797, 200, 2, 200}, {2, 200, 2, 598}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(f.canvas.calls[2 * i].What, Kind::MoveTo);
        EXPECT_EQ(moves[i].X1, expected[i][0]);
        EXPECT_EQ(moves[i].Y1, expected[i][1]);
        EXPECT_EQ(lines[i].X1, expected[i][2]);
        EXPECT_EQ(lines[i].Y1, expected[i][3]);
        EXPECT_EQ(lines[i].Pen, colours::Olive);
    }

    f.canvas.calls.clear();
    DrawOutline(f.ws, 2); // any side but 1 is the bottom: mirrored columns
    const auto mirrored = f.canvas.Of(Kind::LineTo);
    ASSERT_EQ(mirrored.size(), 4u);
    EXPECT_EQ(f.canvas.calls[0].X1, 798);
    EXPECT_EQ(mirrored[0].X1, 3);
    EXPECT_EQ(mirrored[0].Y1, 598);
}

TEST_F(ExamplePrimitives, OutlineOfOnePointOrNoneDrawsNothing) {
    test::BoardBuilder(f.board).Outline({{500, 250}});
    DrawOutline(f.ws, 1);
    EXPECT_TRUE(f.canvas.calls.empty());
    f.board.OutlineCount = 0;
    DrawOutline(f.ws, 1);
    EXPECT_TRUE(f.canvas.calls.empty());
    EXPECT_EQ(f.canvas.PenColour(), colours::Olive);
}

TEST_F(ExamplePrimitives, PinLabelSitsAboveTheMark) {
    f.canvas.SetFontColour(colours::Yellow);
    DrawPinLabel(f.ws, 100, 200, 12);
    DrawPinLabel(f.ws, std::numeric_limits<std::int32_t>::min(), 0, -2147483647);
    ASSERT_EQ(f.canvas.calls.size(), 2u);
    const DrawCall& t = f.canvas.calls[0];
    EXPECT_EQ(t.Text, "12");
    EXPECT_EQ(t.X1, 94);
    EXPECT_EQ(t.Y1, 200 - 8 - 12);
    EXPECT_EQ(t.Font, colours::Yellow);
    EXPECT_EQ(f.canvas.calls[1].Text, "-2147483647");
    EXPECT_EQ(f.canvas.calls[1].X1, std::numeric_limits<std::int32_t>::min());
}

} // namespace
} // namespace dorvik
