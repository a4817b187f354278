// The board drawn into the real picture, checked pixel by pixel.
#include "view/ImageSurface.h"
#include "view/Render.h"

#include "support/BoardText.h"
#include "support/FakeControls.h"
#include "view/ViewFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvik {
namespace {

struct ImageBoard {
    ImageBoard() : canvas(800, 600) {}

    int CountOf(Colour c) const {
        const QImage& image = canvas.Image();
        const QRgb wanted = 0xFF000000u | ToRgb(c);
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            n += static_cast<int>(std::count(row, row + image.width(), wanted));
        }
        return n;
    }

    BoardData board;
    ImageSurface canvas;
    test::FakeControls controls;
    Workspace ws{board, canvas, controls};
};

TEST(BoardImage, WorkedExampleOnBlackWithAMaroonFrame) {
    ImageBoard b;
    test::ReadText(b.board, test::WorkedExample);
    ResetView(b.ws);
    const ImageSurface& p = b.canvas;

    for (const auto& [x, y] :
         {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}, {400, 0}, {0, 300}}) {
        EXPECT_EQ(p.Pixel(x, y), colours::Maroon) << x << "," << y;
    }
    EXPECT_EQ(p.Pixel(1, 1), colours::Black);
    EXPECT_EQ(p.Pixel(400, 500), colours::Black);
    // The outline: its bottom edge on row 598, its left edge on column 2.
    EXPECT_EQ(p.Pixel(400, 598), colours::Olive);
    EXPECT_EQ(p.Pixel(2, 300), colours::Olive);
    // U1's first pin, board (1000, 1000), is at pixel (267, 333) with radius 3.
    EXPECT_EQ(p.Pixel(264, 333), colours::Blue);
    EXPECT_EQ(p.Pixel(269, 333), colours::Blue);
    EXPECT_EQ(p.Pixel(267, 330), colours::Blue);
    EXPECT_EQ(p.Pixel(267, 333), colours::Black);
    EXPECT_EQ(p.Pixel(263, 333), colours::Black);
    // U1's rectangle lies inside its pins; R7's around its pin.
    EXPECT_EQ(p.Pixel(271, 310), colours::Grey);
    EXPECT_EQ(p.Pixel(289, 328), colours::Grey);
    EXPECT_EQ(p.Pixel(528, 196), colours::Grey);
    EXPECT_EQ(p.Pixel(535, 203), colours::Grey);
    // Names are off after loading.
    const int oliveWithoutNames = b.CountOf(colours::Olive);

    b.ws.State.TextFlag = 'Y';
    Redraw(b.ws);
    EXPECT_GT(b.CountOf(colours::Olive), oliveWithoutNames);
    EXPECT_EQ(p.Pixel(264, 333), colours::Blue);
}

TEST(BoardImage, APinOnTheMarginLineGetsNoMarkButItsRectangle) {
    ImageBoard b;
    test::ExampleOutline(b.board);
    test::BoardBuilder(b.board).Part("R1", 0, {{0, 250}}); // column 2, the left margin
    ResetView(b.ws);
    EXPECT_EQ(b.CountOf(colours::Blue), 0);
    EXPECT_EQ(b.canvas.Pixel(10, 399), colours::Grey); // right edge of (-7, 390, 11, 408)
    EXPECT_EQ(b.canvas.Pixel(5, 407), colours::Grey);
}

TEST(BoardImage, EveryPinCircleHasItsLeftEndOnItsRow) {
    ImageBoard b;
    test::ExampleOutline(b.board);
    test::BoardBuilder(b.board).Part("U9", 0, {{100, 100}, {350, 120}, {777, 400}, {901, 37}});
    ResetView(b.ws);
    for (const float zoom : {1.0f, 2.0f, 4.0f}) {
        b.ws.State.Zoom = zoom;
        Redraw(b.ws);
        const std::int32_t r = PinRadius(b.ws.State);
        for (std::int32_t i = 0; i < b.board.PinCount; ++i) {
            const PinEntry& pin = b.board.PinTable[static_cast<std::size_t>(i)];
            const std::int32_t x = ToPixelX(b.ws.State, pin.X);
            const std::int32_t y = ToPixelY(b.ws.State, pin.Y);
            if (x > 2 && x < 798 && y > 2 && y < 598) {
                EXPECT_EQ(b.canvas.Pixel(x - r, y), colours::Blue) << zoom << " pin " << i;
            }
        }
    }
}

TEST(BoardImage, BelowZoomOneAPinIsOneBluePixel) {
    ImageBoard b;
    test::ExampleOutline(b.board);
    test::BoardBuilder(b.board).Part("R1", 0, {{500, 250}});
    ResetView(b.ws);
    b.ws.State.Zoom = 0.5f;
    Redraw(b.ws);
    EXPECT_EQ(b.CountOf(colours::Blue), 1);
    EXPECT_EQ(b.canvas.Pixel(399, 349), colours::Blue);
}

} // namespace
} // namespace dorvik
