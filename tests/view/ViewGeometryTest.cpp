#include "view/ViewGeometry.h"

#include "view/ViewFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace dorvik {
namespace {

using test::BoardBuilder;
using test::ExampleOutline;
using test::ViewFixture;

constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();

class ExampleView : public ::testing::Test {
protected:
    ExampleView() {
        ExampleOutline(f.board);
        f.Reset();
    }
    WindowState& s = f.ws.State;
    ViewFixture f;
};

TEST_F(ExampleView, FitsTheOutlineIntoTheArea) {
    EXPECT_EQ(s.FitScale, static_cast<float>(796.0 / 1001.0));
    EXPECT_NEAR(s.FitScale, 0.795205, 1e-6);
    EXPECT_EQ(s.BoardMinX, 0);
    EXPECT_EQ(s.BoardMinY, 0);
}

TEST_F(ExampleView, ResetSetsTheViewAndLeavesTheRest) {
    EXPECT_EQ(s.ImageWidth, 800);
    EXPECT_EQ(s.ImageHeight, 600);
    EXPECT_EQ(s.CentreX, 400);
    EXPECT_EQ(s.CentreY, 300);
    EXPECT_EQ(s.ClipLeft, 2);
    EXPECT_EQ(s.ClipTop, 2);
    EXPECT_EQ(s.ClipRight, 798);
    EXPECT_EQ(s.ClipBottom, 598);
    EXPECT_EQ(s.Zoom, 1.0f);
    EXPECT_EQ(s.TextFlag, 'N');
    EXPECT_EQ(s.ViewSide, 1);
    EXPECT_EQ(f.controls.sideCaption, "TOP");
    EXPECT_EQ(f.controls.sideColour, FromRgb(0x0000FF));
    EXPECT_EQ(f.controls.textColour, FromRgb(0x000000));

    // A second reset from a moved, turned-over view with a fault display chosen.
    s.Zoom = 8.0f;
    s.PanX = 40;
    s.PanY = -7;
    s.ViewSide = -1;
    s.TextFlag = 'Y';
    s.ClickX = 11;
    s.ClickY = 12;
    s.DisplayMode = OpenDisplay;
    s.Probe1 = 17;
    SetText(s.NetText, ",VCC,");
    f.ws.Rotation = 2;
    f.controls.sideCaption = "BOT";
    f.controls.textColour = FromRgb(0xFFFF00);
    f.canvas.calls.clear();
    ResetView(f.ws);

    EXPECT_EQ(s.Zoom, 1.0f);
    EXPECT_EQ(s.PanX, 0);
    EXPECT_EQ(s.PanY, 0);
    EXPECT_EQ(s.ViewSide, 1);
    EXPECT_EQ(s.TextFlag, 'N');
    EXPECT_EQ(f.controls.sideCaption, "TOP");
    EXPECT_EQ(f.controls.textColour, FromRgb(0x000000));
    EXPECT_EQ(f.ws.Rotation, 2);
    EXPECT_EQ(s.ClickX, 11);
    EXPECT_EQ(s.ClickY, 12);
    EXPECT_EQ(s.DisplayMode, OpenDisplay);
    EXPECT_EQ(s.Probe1, 17);
    // Turned twice, the outline lies at negative x' and y': the fit starts there.
    EXPECT_EQ(s.BoardMinX, -1000);
    EXPECT_EQ(s.BoardMinY, -500);
    // The reset ends in a redraw, which starts by clearing the picture.
    ASSERT_FALSE(f.canvas.calls.empty());
    EXPECT_EQ(f.canvas.calls.front().What, test::DrawCall::Kind::Rectangle);
}

TEST_F(ExampleView, ResetEmptiesTheEntryTextsBeforeItsRedraw) {
    s.DisplayMode = NetDisplay;
    SetText(s.NetText, ",VCC,");
    SetText(s.CompText1, ",U1,");
    s.Probe2 = 5;
    ResetView(f.ws);
    // The net display keeps its (now empty) text; the redraw resets the rest.
    EXPECT_EQ(Text(s.NetText), "");
    EXPECT_EQ(Text(s.CompText1), ",,");
    EXPECT_EQ(s.Probe2, 0);
}

struct MappingCase {
    float Zoom;
    std::int32_t Board;
    std::int32_t Column;
    std::int32_t MirroredColumn;
    std::int32_t Row; // of the board value taken as y
};

class ExampleMapping : public ExampleView, public ::testing::WithParamInterface<MappingCase> {};

TEST_P(ExampleMapping, MapsToThePixel) {
    const MappingCase& c = GetParam();
    s.Zoom = c.Zoom;
    EXPECT_EQ(ToPixelX(s, c.Board), c.Column);
    EXPECT_EQ(ToPixelXMirrored(s, c.Board), c.MirroredColumn);
    EXPECT_EQ(ToPixelY(s, c.Board / 2), c.Row);
}

INSTANTIATE_TEST_SUITE_P(
    Zooms, ExampleMapping,
    ::testing::Values(MappingCase{1.0f, 0, 2, 798, 598}, MappingCase{1.0f, 500, 400, 400, 399},
                      MappingCase{1.0f, 1000, 797, 3, 200}, MappingCase{2.0f, 0, -395, 1197, 897},
                      MappingCase{2.0f, 500, 400, 402, 499},
                      MappingCase{2.0f, 1000, 1195, -393, 102}, MappingCase{0.5f, 0, 200, 598, 448},
                      MappingCase{0.5f, 500, 399, 399, 349},
                      MappingCase{0.5f, 1000, 598, 200, 249}));

TEST_F(ExampleView, PanMovesTheDrawingBeforeTheZoom) {
    s.PanX = 10;
    s.PanY = -20;
    EXPECT_EQ(ToPixelX(s, 500), 410);
    EXPECT_EQ(ToPixelXMirrored(s, 500), 410);
    EXPECT_EQ(ToPixelY(s, 250), 379);
    s.Zoom = 2.0f;
    EXPECT_EQ(ToPixelX(s, 500), 420);
    EXPECT_EQ(ToPixelY(s, 250), 459);
}

TEST_F(ExampleView, PinRadiusFollowsTheZoom) {
    EXPECT_EQ(PinRadius(s), 8);
    s.Zoom = 2.0f;
    EXPECT_EQ(PinRadius(s), 16);
    s.Zoom = 1.0f / 512;
    EXPECT_EQ(PinRadius(s), 1);
}

TEST(PinRadius, StaysWithinItsBounds) {
    WindowState s; // as before any board: everything zero
    EXPECT_EQ(PinRadius(s), 1);
    s.Zoom = 512.0f;
    s.FitScale = 1e30f;
    EXPECT_EQ(PinRadius(s), 1 << 20);
    s.FitScale = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(PinRadius(s), 1);
    s.FitScale = -3.0f;
    EXPECT_EQ(PinRadius(s), 1);
}

TEST(RoundToInt, RoundsHalvesAwayFromZeroAndClamps) {
    const struct {
        float In;
        std::int32_t Out;
    } cases[] = {
        {2.5f, 3},
        {-2.5f, -3},
        {2.49f, 2},
        {-0.7f, -1},
        {-0.3f, 0},
        {0.5f, 1},
        {-0.5f, -1},
        {0.0f, 0},
        {2147483520.0f, 2147483520},
        {-2147483648.0f, Int32Min},
        {2147483648.0f, Int32Max},
        {3e9f, Int32Max},
        {-3e9f, Int32Min},
        {std::numeric_limits<float>::infinity(), Int32Max},
        {-std::numeric_limits<float>::infinity(), Int32Min},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToInt(c.In), c.Out) << c.In;
    }
}

TEST(Rotation, TurnsByQuarterTurns) {
    const struct {
        std::int32_t Rotation;
        std::int32_t X;
        std::int32_t Y;
    } cases[] = {
        {0, 1000, 300},  {1, -300, 1000}, {2, -1000, -300},
        {3, 300, -1000}, {4, 300, -1000}, {-1, 300, -1000}, // any other value turns like 3
    };
    const PinEntry pin{1000, 300, NoProbe, 0, {}};
    const NailEntry nail{7, 1000, 300, TopSide, {}};
    const OutlinePoint point{1000, 300};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Rotation);
        EXPECT_EQ(RotatedX(pin, c.Rotation), c.X);
        EXPECT_EQ(RotatedY(pin, c.Rotation), c.Y);
        EXPECT_EQ(RotatedX(nail, c.Rotation), c.X);
        EXPECT_EQ(RotatedY(nail, c.Rotation), c.Y);
        EXPECT_EQ(RotatedX(point, c.Rotation), c.X);
        EXPECT_EQ(RotatedY(point, c.Rotation), c.Y);
    }
}

TEST(Rotation, NegatingTheMostNegativeCoordinateWraps) {
    EXPECT_EQ(RotatedX(Int32Min, 0, 2), Int32Min);
    EXPECT_EQ(RotatedY(0, Int32Min, 2), Int32Min);
    EXPECT_EQ(RotatedX(0, Int32Max, 1), -Int32Max);
}

TEST_F(ExampleView, OneStepTurnsTheDrawingAnticlockwiseOnTopAndClockwiseBelow) {
    // Board point (1000, 0) lies right of the origin; after one step it lies above it.
    const auto pixel = [&](std::int32_t x, std::int32_t y, std::int32_t rotation) {
        const std::int32_t rx = RotatedX(x, y, rotation);
        return std::pair{ToPixelXForSide(s, rx), ToPixelY(s, RotatedY(x, y, rotation))};
    };
    s.BoardMinX = -1000; // pan the turned board into view
    const auto origin = pixel(0, 0, 1);
    const auto east = pixel(1000, 0, 1);
    EXPECT_EQ(east.first, origin.first);
    EXPECT_LT(east.second, origin.second);
    // Board point (0, 500), above the origin, goes to the left on top and to the right below.
    EXPECT_LT(pixel(0, 500, 1).first, origin.first);
    s.ViewSide = -1;
    EXPECT_GT(pixel(0, 500, 1).first, pixel(0, 0, 1).first);
}

TEST_F(ExampleView, ThePointerMapsBackTwoPixelsLeftAndOneUp) {
    // The pixel of board (500, 250) is (400, 399).
    EXPECT_EQ(ToBoardX(s, 400), 498);
    EXPECT_EQ(ToBoardY(s, 399), 252);
    s.ViewSide = -1;
    EXPECT_EQ(ToBoardX(s, 400), 503);
}

TEST_F(ExampleView, BoardMappingUndoesThePixelMappingAtEveryZoom) {
    const float zooms[] = {1.0f / 512, 0.125f, 0.5f, 1.0f, 2.0f, 16.0f, 512.0f};
    const std::int32_t values[] = {0, 137, 500, 999};
    s.PanX = 13;
    s.PanY = -9;
    for (const float zoom : zooms) {
        s.Zoom = zoom;
        // One pixel spans this many board units; the round trip is good to that.
        const double unit = 1.0 / (static_cast<double>(s.FitScale) * zoom) + 1.0;
        for (const std::int32_t side : {1, -1}) {
            s.ViewSide = side;
            for (const std::int32_t v : values) {
                SCOPED_TRACE(testing::Message() << "zoom " << zoom << " side " << side << " " << v);
                EXPECT_NEAR(ToBoardX(s, ToPixelXForSide(s, v) + 2), v, unit);
                EXPECT_NEAR(ToBoardY(s, ToPixelY(s, v) + 1), v, unit);
            }
        }
    }
}

struct FallbackCase {
    const char* Name;
    std::vector<OutlinePoint> Outline;
    std::vector<test::PinAt> Pins;
    std::vector<test::PinAt> Nails;
    std::int32_t Rotation;
    int Width;
    int Height;
};

class DegenerateOutline : public ::testing::TestWithParam<FallbackCase> {};

TEST_P(DegenerateOutline, StillFitsTheBoardOnScreen) {
    const FallbackCase& c = GetParam();
    ViewFixture f(c.Width, c.Height);
    BoardBuilder build(f.board);
    for (const OutlinePoint& p : c.Outline) {
        f.board.OutlineTable[static_cast<std::size_t>(f.board.OutlineCount++)] = p;
    }
    for (const test::PinAt& p : c.Pins) {
        build.Pin(p);
    }
    build.PartEndingAt("U1", 0, f.board.PinCount);
    for (const test::PinAt& p : c.Nails) {
        build.Nail(p);
    }
    f.ws.Rotation = c.Rotation;
    f.Reset();

    const WindowState& s = f.ws.State;
    EXPECT_GT(s.FitScale, 0.0f);
    EXPECT_TRUE(std::isfinite(s.FitScale));
    EXPECT_LE(s.BoardMinX, 0);
    EXPECT_LE(s.BoardMinY, 0);
    const auto onScreen = [&](std::int32_t x, std::int32_t y) {
        const std::int32_t px = ToPixelX(s, RotatedX(x, y, c.Rotation));
        const std::int32_t py = ToPixelY(s, RotatedY(x, y, c.Rotation));
        EXPECT_GE(px, 0);
        EXPECT_LT(px, c.Width);
        EXPECT_GE(py, 0);
        EXPECT_LT(py, c.Height);
    };
    for (const test::PinAt& p : c.Pins) {
        onScreen(p.X, p.Y);
    }
    for (const test::PinAt& p : c.Nails) {
        onScreen(p.X, p.Y);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boards, DegenerateOutline,
    ::testing::Values(
        FallbackCase{"NoOutline", {}, {{100, 50}, {300, 250}}, {}, 0, 800, 600},
        FallbackCase{"FlatOutline", {{0, 0}, {1000, 0}}, {{100, 50}, {900, 400}}, {}, 0, 800, 600},
        FallbackCase{
            "FlatOutlineTurned", {{0, 0}, {1000, 0}}, {{100, 50}, {900, 400}}, {}, 1, 800, 600},
        FallbackCase{
            "OutlineOfOnePoint", {{0, 0}}, {{-300, -20}, {700, 800}}, {{20, 30}}, 0, 800, 600},
        FallbackCase{"NailsOnly", {}, {}, {{-4000, 100}, {2500, -3000}}, 0, 800, 600},
        FallbackCase{"NothingAtAll", {}, {}, {}, 0, 800, 600},
        FallbackCase{
            "FarApart", {}, {{Int32Min, Int32Min}, {Int32Max, Int32Max}}, {}, 0, 800, 600}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Fit, AWellFormedOutlineIgnoresPinsAndNails) {
    ViewFixture f;
    ExampleOutline(f.board);
    BoardBuilder(f.board).Part("R1", 0, {{-5000, 9000}}).Nail({20000, -700});
    const FitResult fit = ComputeFitScale(f.board, 0, 796, 596);
    EXPECT_EQ(fit.Scale, static_cast<float>(796.0 / 1001.0));
    EXPECT_EQ(fit.MinX, 0);
    EXPECT_EQ(fit.MinY, 0);
}

TEST(Fit, AnOutlineAwayFromTheOriginStillStartsAtIt) {
    BoardData board;
    BoardBuilder(board).Outline({{200, 100}, {1200, 100}, {1200, 600}, {200, 600}});
    const FitResult fit = ComputeFitScale(board, 0, 796, 596);
    EXPECT_EQ(fit.MinX, 0);
    EXPECT_EQ(fit.MinY, 0);
    EXPECT_EQ(fit.Scale, static_cast<float>(796.0 / 1201.0));
}

TEST(Fit, WithoutAnOutlineTakesTheExtentOfPinsAndNails) {
    BoardData board;
    BoardBuilder(board).Part("R1", 0, {{100, 50}}).Nail({300, 250});
    const FitResult fit = ComputeFitScale(board, 0, 796, 596);
    EXPECT_EQ(fit.Scale, static_cast<float>(596.0 / 250.0)); // x span 301, y span 250
    EXPECT_EQ(fit.MinX, 0);
    EXPECT_EQ(fit.MinY, 0);
}

TEST(Fit, ADrawingAreaTooSmallForItsMarginsStillGivesAPositiveScale) {
    BoardData board;
    ExampleOutline(board);
    for (const int size : {-4, -1, 0}) {
        const FitResult fit = ComputeFitScale(board, 0, size, size);
        EXPECT_EQ(fit.Scale, static_cast<float>(1.0 / 1001.0)) << size;
    }
}

TEST(Fit, TakesTheFullInt32RangeWithoutOverflow) {
    BoardData board;
    BoardBuilder(board).Outline({{Int32Min, Int32Min}, {Int32Max, Int32Max}});
    const FitResult fit = ComputeFitScale(board, 0, 796, 596);
    EXPECT_EQ(fit.MinX, Int32Min);
    EXPECT_EQ(fit.MinY, Int32Min);
    EXPECT_EQ(fit.Scale, static_cast<float>(596.0 / 4294967295.0));
}

TEST(Mapping, ExtremeCoordinatesClampAtEveryZoom) {
    WindowState s;
    s.ClipLeft = 2;
    s.ClipTop = 2;
    s.ClipRight = 1918;
    s.ClipBottom = 1078;
    for (const float zoom : {1.0f / 512, 1.0f, 512.0f}) {
        for (const float scale : {0.795205f, 1e-9f, 1e6f}) {
            for (const std::int32_t boardMin : {Int32Min, 0}) {
                s.Zoom = zoom;
                s.FitScale = scale;
                s.BoardMinX = boardMin;
                s.BoardMinY = boardMin;
                SCOPED_TRACE(testing::Message() << zoom << " " << scale << " " << boardMin);
                // Larger board values never map to smaller columns or larger rows.
                EXPECT_LE(ToPixelX(s, Int32Min), ToPixelX(s, 0));
                EXPECT_LE(ToPixelX(s, 0), ToPixelX(s, Int32Max));
                EXPECT_GE(ToPixelXMirrored(s, Int32Min), ToPixelXMirrored(s, Int32Max));
                EXPECT_GE(ToPixelY(s, Int32Min), ToPixelY(s, Int32Max));
                for (const std::int32_t px : {Int32Min, 0, Int32Max}) {
                    s.ViewSide = 1;
                    (void)ToBoardX(s, px);
                    s.ViewSide = -1;
                    (void)ToBoardX(s, px);
                    (void)ToBoardY(s, px);
                }
            }
        }
    }
    s.FitScale = 1e6f;
    s.Zoom = 512.0f;
    s.BoardMinX = Int32Min;
    EXPECT_EQ(ToPixelX(s, Int32Max), Int32Max);
    EXPECT_EQ(ToPixelXMirrored(s, Int32Max), Int32Min);
}

TEST(Mapping, TheStateBeforeAnyBoardMapsWithoutHanging) {
    WindowState s; // Zoom 0 and FitScale 0, as before the first board
    EXPECT_EQ(ToPixelX(s, 1234), 0);
    EXPECT_EQ(ToPixelY(s, 1234), 0);
    (void)ToBoardX(s, 10);
    (void)ToBoardY(s, 10);
    s.Zoom = std::numeric_limits<float>::infinity();
    s.FitScale = 1.0f;
    (void)ToPixelX(s, 5);
    (void)ToBoardY(s, 5);
    s.Zoom = std::numeric_limits<float>::quiet_NaN();
    (void)ToPixelXMirrored(s, 5);
    (void)ToBoardX(s, 5);
}

} // namespace
} // namespace dorvik
