#include "view/PixelRaster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dorvik {
namespace {

struct Picture {
    Picture(int width, int height)
        : pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
          buffer{pixels.data(), width, height, width} {}

    std::vector<std::uint32_t> pixels;
    PixelBuffer buffer;
};

TEST(EllipseOutlineShape, DrawsWhatTheDirectOutlineDraws) {
    const struct {
        std::int64_t Width, Height;
    } sizes[] = {{1, 1}, {2, 2}, {3, 3}, {2, 7}, {7, 2}, {16, 16}, {17, 16}, {40, 9}, {5, 60}};
    EllipseOutlineShape shape;
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.Width << " x " << size.Height);
        // Placed whole, and cut by every edge of the picture.
        for (const auto& [left, top] : {std::pair{4, 4}, {-3, -2}, {30, 25}}) {
            Picture direct(40, 32);
            Picture cached(40, 32);
            EllipseOutline(direct.buffer, Box{left, top, left + size.Width, top + size.Height}, 1);
            shape.Build(size.Width, size.Height);
            ASSERT_TRUE(shape.Fits(size.Width, size.Height));
            shape.Draw(cached.buffer, left, top, 1);
            EXPECT_EQ(direct.pixels, cached.pixels) << "at " << left << "," << top;
        }
    }
}

TEST(EllipseOutline, AnEmptyBoxDrawsNothing) {
    Picture p(10, 10);
    for (const Box& box : {Box{3, 3, 3, 8}, Box{3, 3, 8, 3}, Box{5, 5, 5, 5}}) {
        EllipseOutline(p.buffer, box, 1);
        EllipseFill(p.buffer, box, 1);
        FrameBox(p.buffer, box, 1, 1);
    }
    EXPECT_EQ(p.pixels, std::vector<std::uint32_t>(100, 0));
}

// Boxes inside a 20 x 16 picture, cut by each of its edges, backwards, of one pixel, and outside.
constexpr Box TestBoxes[] = {{3, 2, 12, 9},  {-4, -3, 6, 5},   {7, 4, 25, 30},    {-5, 3, 30, 6},
                             {2, -9, 5, 40}, {12, 9, 3, 2},    {4, 4, 5, 5},      {0, 0, 20, 16},
                             {6, 16, 9, 20}, {-50, -50, 0, 0}, {-70, -70, 90, 90}};

TEST(FillBox, FillsTheBoxsPixelsInsideThePicture) {
    for (const Box& box : TestBoxes) {
        Picture p(20, 16);
        FillBox(p.buffer, box, 1);
        for (std::int64_t y = 0; y < 16; ++y) {
            for (std::int64_t x = 0; x < 20; ++x) {
                const bool inside =
                    x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
                ASSERT_EQ(p.pixels[static_cast<std::size_t>(y * 20 + x)], inside ? 1u : 0u)
                    << box.Left << "," << box.Top << "," << box.Right << "," << box.Bottom << " at "
                    << x << "," << y;
            }
        }
    }
}

// A frame is the pixels of the box that lie within the pen width of one of its edges, wherever
// the picture cuts it and however wide the pen is against the box.
TEST(FrameBox, FramesThePixelsWithinThePenWidthOfAnEdge) {
    for (const Box& given : TestBoxes) {
        for (const int pen : {0, 1, 2, 3, 7}) {
            Picture p(20, 16);
            FrameBox(p.buffer, given, pen, 1);
            const Box box = Ordered(given);
            const std::int64_t w = std::max(pen, 1);
            for (std::int64_t y = 0; y < 16; ++y) {
                for (std::int64_t x = 0; x < 20; ++x) {
                    const bool inside =
                        x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
                    const bool nearEdge = x - box.Left < w || box.Right - 1 - x < w ||
                                          y - box.Top < w || box.Bottom - 1 - y < w;
                    ASSERT_EQ(p.pixels[static_cast<std::size_t>(y * 20 + x)],
                              inside && nearEdge ? 1u : 0u)
                        << given.Left << "," << given.Top << "," << given.Right << ","
                        << given.Bottom << " pen " << pen << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(Line, StepsLikeTheUnclippedLineWhenCut) {
    // Long lines from far outside: the part inside matches the same line drawn in full into a
    // picture large enough to hold it.
    const struct {
        std::int64_t X0, Y0, X1, Y1;
    } lines[] = {{-300, -100, 340, 260}, {350, 7, -290, 30}, {13, -280, 27, 300},
                 {-250, 290, 290, -250}, {-1, 5, 40, 5},     {20, 500, 20, -500}};
    for (const auto& l : lines) {
        Picture small(40, 30);
        Picture large(1040, 1030);
        Line(small.buffer, l.X0, l.Y0, l.X1, l.Y1, 1);
        Line(large.buffer, l.X0 + 500, l.Y0 + 500, l.X1 + 500, l.Y1 + 500, 1);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(small.pixels[static_cast<std::size_t>(y * 40 + x)],
                          large.pixels[static_cast<std::size_t>((y + 500) * 1040 + x + 500)])
                    << l.X0 << "," << l.Y0 << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace dorvik
