// The point query's ring on a real picture: what it turns green and what its erase restores.

#include "NavigateFixture.h"
#include "navigate/Navigation.h"
#include "navigate/PointQuery.h"
#include "view/ImageSurface.h"

#include <gtest/gtest.h>

#include <QImage>

namespace dorvik::test {
namespace {

class RingImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ReadText(board, QueryBoard);
        ws.State.BoardLoaded = 1;
        ResetView(ws);
    }

    // Clicks the pixel nearest to rotated board point (bx, by).
    void Ask(std::int32_t bx, std::int32_t by) {
        std::int32_t px = 0;
        std::int32_t py = 0;
        for (std::int32_t p = 0; p < 800; ++p) {
            if (ToBoardX(ws.State, p) == bx) {
                px = p;
            }
            if (ToBoardY(ws.State, p) == by) {
                py = p;
            }
        }
        PointQuery(ws, px, py, ws.State.ViewSide == 1 ? 1 : 2);
    }

    // The left end of the pin's circle, where the query samples the colour under its ring.
    std::optional<Colour> LeftEndOf(std::int32_t bx, std::int32_t by) const {
        return canvas.Pixel(ToPixelX(ws.State, bx) - PinRadius(ws.State), ToPixelY(ws.State, by));
    }

    BoardData board;
    ImageSurface canvas{800, 600};
    FakeControls controls;
    Workspace ws{board, canvas, controls};
};

TEST_F(RingImageTest, RingRecoloursThePinCircleGreen) {
    ASSERT_EQ(LeftEndOf(400, 300), colours::Blue); // R7's pin circle
    Ask(400, 300);
    EXPECT_EQ(LeftEndOf(400, 300), colours::Lime);
    EXPECT_EQ(ws.Mark.MarkBackground, colours::Blue);
}

TEST_F(RingImageTest, SamePinTwiceStaysGreenAndKeepsItsColour) {
    Ask(400, 300);
    Ask(400, 300);
    EXPECT_EQ(LeftEndOf(400, 300), colours::Lime);
    EXPECT_EQ(ws.Mark.MarkBackground, colours::Blue);
}

TEST_F(RingImageTest, EraseRestoresThePictureOfTheRedraw) {
    const QImage drawn = canvas.Image().copy();
    Ask(400, 300);
    ASSERT_NE(canvas.Image(), drawn);
    Ask(700, 500);
    EXPECT_EQ(canvas.Image(), drawn);
}

TEST_F(RingImageTest, EraseAfterAZoomDrawsThePinAtItsNewPlace) {
    Ask(400, 300);
    ZoomInAt(ws, ws.State.CentreX + 50, ws.State.CentreY);
    const QImage zoomed = canvas.Image().copy();
    ASSERT_EQ(LeftEndOf(400, 300), colours::Blue);
    Ask(450, 280); // empty space in the zoomed view
    EXPECT_EQ(controls.status, "Vostrel Dorvik");
    EXPECT_EQ(canvas.Image(), zoomed);
}

} // namespace
} // namespace dorvik::test
