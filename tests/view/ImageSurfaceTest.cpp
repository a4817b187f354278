#include "view/ImageSurface.h"

#include <gtest/gtest.h>

#include <QColor>

#include <cstdint>
#include <limits>
#include <set>
#include <utility>

namespace dorvik {
namespace {

constexpr int Int32Min = std::numeric_limits<int>::min();
constexpr int Int32Max = std::numeric_limits<int>::max();

// The pixels of a given colour, as (x, y) pairs.
std::set<std::pair<int, int>> PixelsOf(const ImageSurface& s, Colour c) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            if (s.Pixel(x, y) == c) {
                out.emplace(x, y);
            }
        }
    }
    return out;
}

bool SameWindow(const ImageSurface& small, const ImageSurface& large, int dx, int dy) {
    for (int y = 0; y < small.Height(); ++y) {
        for (int x = 0; x < small.Width(); ++x) {
            if (small.Pixel(x, y) != large.Pixel(x + dx, y + dy)) {
                ADD_FAILURE() << "differs at " << x << "," << y;
                return false;
            }
        }
    }
    return true;
}

TEST(ImageSurface, StartsBlackAndChecksItsBounds) {
    ImageSurface s(40, 30);
    EXPECT_EQ(s.Width(), 40);
    EXPECT_EQ(s.Height(), 30);
    EXPECT_EQ(s.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(PixelsOf(s, colours::Black).size(), 40u * 30u);
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {40, 0}, {0, 30}, {Int32Min, Int32Max}}) {
        EXPECT_EQ(s.Pixel(x, y), std::nullopt);
        s.SetPixel(x, y, colours::White); // ignored
    }
    EXPECT_EQ(PixelsOf(s, colours::White).size(), 0u);

    s.Resize(-5, 7);
    EXPECT_EQ(s.Width(), 0);
    s.Rectangle(0, 0, 10, 10);
    s.Ellipse(0, 0, 10, 10);
    s.LineTo(10, 10);
    s.TextOut(0, 0, "X");
    EXPECT_EQ(s.Pixel(0, 0), std::nullopt);
}

TEST(ImageSurface, StoresColoursAsTheirRgbPixels) {
    ImageSurface s(4, 4);
    s.SetPixel(1, 2, colours::Maroon);
    s.SetPixel(2, 1, colours::Blue);
    EXPECT_EQ(QColor(s.Image().pixel(1, 2)), QColor(0x80, 0x00, 0x00));
    EXPECT_EQ(QColor(s.Image().pixel(2, 1)), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(s.Pixel(1, 2), colours::Maroon);
    EXPECT_EQ(s.Pixel(2, 1), colours::Blue);
}

TEST(ImageSurface, RectangleFramesTheBoxWithoutItsRightAndBottom) {
    ImageSurface s(50, 50);
    s.SetPenColour(colours::White);
    s.Rectangle(10, 20, 30, 40);
    for (const auto& [x, y] :
         {std::pair{10, 20}, {29, 20}, {10, 39}, {29, 39}, {20, 20}, {10, 30}}) {
        EXPECT_EQ(s.Pixel(x, y), colours::White) << x << "," << y;
    }
    for (const auto& [x, y] :
         {std::pair{30, 20}, {10, 40}, {9, 20}, {10, 19}, {11, 21}, {28, 38}}) {
        EXPECT_EQ(s.Pixel(x, y), colours::Black) << x << "," << y;
    }
    EXPECT_EQ(PixelsOf(s, colours::White).size(), 2u * 20 + 2u * 18);

    // The same box given backwards.
    ImageSurface backwards(50, 50);
    backwards.SetPenColour(colours::White);
    backwards.Rectangle(30, 40, 10, 20);
    EXPECT_TRUE(SameWindow(s, backwards, 0, 0));
}

TEST(ImageSurface, WidePenGrowsInwardAndSolidBrushFills) {
    ImageSurface s(50, 50);
    s.SetPenColour(colours::Red);
    s.SetPenWidth(2);
    s.SetBrushSolid(colours::Teal);
    s.Rectangle(10, 10, 20, 16);
    for (const auto& [x, y] : {std::pair{10, 10}, {11, 11}, {19, 15}, {18, 14}, {12, 11}}) {
        EXPECT_EQ(s.Pixel(x, y), colours::Red) << x << "," << y;
    }
    EXPECT_EQ(s.Pixel(12, 12), colours::Teal);
    EXPECT_EQ(s.Pixel(17, 13), colours::Teal);
    EXPECT_EQ(s.Pixel(20, 10), colours::Black);
    EXPECT_EQ(s.Pixel(9, 9), colours::Black);
    EXPECT_EQ(PixelsOf(s, colours::Teal).size(), 6u * 2u);

    s.SetBrushHollow();
    s.SetPenColour(colours::White);
    s.Rectangle(30, 30, 40, 40);
    EXPECT_EQ(s.Pixel(31, 31), colours::White);
    EXPECT_EQ(s.Pixel(32, 32), colours::Black);
}

TEST(ImageSurface, ClearingFramesTheWholePicture) {
    ImageSurface s(20, 10);
    s.SetPixel(5, 5, colours::White);
    s.SetBrushSolid(colours::Black);
    s.SetPenColour(colours::Maroon);
    s.Rectangle(0, 0, 20, 10);
    EXPECT_EQ(PixelsOf(s, colours::Maroon).size(), 2u * 20 + 2u * 8);
    EXPECT_EQ(PixelsOf(s, colours::Black).size(), 18u * 8);
}

class Circle : public ::testing::TestWithParam<int> {};

TEST_P(Circle, IsInscribedInItsSquare) {
    const int r = GetParam();
    const int size = 2 * r + 20;
    const int cx = size / 2;
    const int cy = size / 2;
    ImageSurface s(size, size);
    s.SetPenColour(colours::Blue);
    s.Ellipse(cx - r, cy - r, cx + r, cy + r);
    const auto ring = PixelsOf(s, colours::Blue);
    ASSERT_FALSE(ring.empty());

    // The point query reads the circle's left end on the centre row.
    EXPECT_EQ(s.Pixel(cx - r, cy), colours::Blue);
    EXPECT_EQ(s.Pixel(cx - r - 1, cy), colours::Black);
    // It touches every edge of the square from inside, and nothing lies outside it.
    EXPECT_EQ(s.Pixel(cx + r - 1, cy), colours::Blue);
    EXPECT_EQ(s.Pixel(cx, cy - r), colours::Blue);
    EXPECT_EQ(s.Pixel(cx, cy + r - 1), colours::Blue);
    for (const auto& [x, y] : ring) {
        EXPECT_TRUE(x >= cx - r && x < cx + r && y >= cy - r && y < cy + r) << x << "," << y;
        // Symmetric about the square's centre lines.
        EXPECT_TRUE(ring.count({2 * cx - 1 - x, y}) && ring.count({x, 2 * cy - 1 - y}));
        EXPECT_TRUE(ring.count({cx - cy + y, cy - cx + x})); // and its diagonal
    }
    if (r >= 2) {
        EXPECT_EQ(s.Pixel(cx, cy), colours::Black); // an outline, not a disc
    }
    // Each row of the square holds exactly two runs of the ring (one where they meet).
    for (int y = cy - r; y < cy + r; ++y) {
        int runs = 0;
        for (int x = cx - r; x < cx + r; ++x) {
            if (ring.count({x, y}) && !ring.count({x - 1, y})) {
                ++runs;
            }
        }
        EXPECT_TRUE(runs == 1 || runs == 2) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Radii, Circle, ::testing::Values(1, 2, 3, 4, 5, 8, 16, 33, 100));

TEST(ImageSurface, SolidEllipseIsFilledInsideItsOutline) {
    ImageSurface s(40, 40);
    s.SetPenColour(colours::White);
    s.SetBrushSolid(colours::Red);
    s.Ellipse(10, 10, 30, 20);
    EXPECT_EQ(s.Pixel(20, 15), colours::Red);
    EXPECT_EQ(s.Pixel(10, 15), colours::White);
    EXPECT_EQ(s.Pixel(20, 10), colours::White);
    EXPECT_EQ(s.Pixel(10, 10), colours::Black);
}

TEST(ImageSurface, ShapesCutAtTheEdgeMatchTheUncutShape) {
    // The same shapes drawn into a small picture and, shifted, into a large one: the small one
    // must be exactly the window of the large one.
    ImageSurface small(60, 40);
    ImageSurface large(460, 440);
    const int dx = 200;
    const int dy = 200;
    const auto draw = [](ImageSurface& s, int ox, int oy) {
        s.SetPenColour(colours::White);
        s.Ellipse(ox - 70, oy - 30, ox + 25, oy + 60);
        s.Ellipse(ox + 50, oy + 10, ox + 90, oy + 50);
        s.SetPenColour(colours::Yellow);
        s.MoveTo(ox - 150, oy - 100);
        s.LineTo(ox + 190, oy + 130);
        s.MoveTo(ox + 30, oy - 170);
        s.LineTo(ox + 10, oy + 190);
        s.MoveTo(ox + 199, oy + 5);
        s.LineTo(ox - 180, oy + 25);
        s.SetPenColour(colours::Red);
        s.Rectangle(ox - 20, oy + 30, ox + 40, oy + 150);
    };
    draw(small, 0, 0);
    draw(large, dx, dy);
    EXPECT_TRUE(SameWindow(small, large, dx, dy));
    EXPECT_GT(PixelsOf(small, colours::Yellow).size(), 60u);
}

TEST(ImageSurface, LinesLeaveOutTheirEndPixel) {
    ImageSurface s(30, 30);
    s.SetPenColour(colours::White);
    s.MoveTo(5, 5);
    s.LineTo(15, 5);
    s.LineTo(15, 12);
    s.LineTo(8, 19);
    EXPECT_EQ(s.Pixel(5, 5), colours::White);
    EXPECT_EQ(s.Pixel(14, 5), colours::White);
    EXPECT_EQ(s.Pixel(15, 5), colours::White); // the next line's first pixel
    EXPECT_EQ(s.Pixel(15, 11), colours::White);
    EXPECT_EQ(s.Pixel(9, 18), colours::White);
    EXPECT_EQ(s.Pixel(8, 19), colours::Black);
    EXPECT_EQ(PixelsOf(s, colours::White).size(), 10u + 7u + 7u);

    ImageSurface dot(5, 5);
    dot.MoveTo(2, 2);
    dot.LineTo(2, 2); // no length, no pixel
    EXPECT_EQ(PixelsOf(dot, colours::Black).size(), 25u);
}

TEST(ImageSurface, FarAwayShapesAreSafeAndCheap) {
    ImageSurface s(64, 48);
    s.SetPenColour(colours::White);
    s.SetBrushHollow();
    // A frame whose edges all lie outside the picture draws nothing inside it.
    s.Rectangle(Int32Min, Int32Min, Int32Max, Int32Max);
    s.Rectangle(32000 + 9, 32000 + 9, -9999 - 9, -9999 - 9);
    s.Ellipse(Int32Min, Int32Min, Int32Max, Int32Max);
    s.Ellipse(Int32Max - 10, 0, Int32Max, 10);
    s.Ellipse(Int32Min, Int32Min, Int32Min + 16, Int32Min + 16);
    s.TextOut(Int32Min, Int32Min, "FAR");
    s.TextOut(Int32Max, 10, "FAR");
    s.TextOut(10, Int32Max, "FAR");
    EXPECT_EQ(PixelsOf(s, colours::Black).size(), 64u * 48u);

    // A line across the whole int32 range is cut to the picture.
    s.MoveTo(Int32Min, 20);
    s.LineTo(Int32Max, 20);
    EXPECT_EQ(PixelsOf(s, colours::White).size(), 64u);
    s.MoveTo(Int32Max, Int32Min);
    s.LineTo(Int32Min, Int32Max); // through the middle, both ends far away
    EXPECT_EQ(s.Pixel(0, 47).has_value(), true);

    // The top of a circle of radius 2^20 passes through the picture's middle.
    ImageSurface big(64, 48);
    big.SetPenColour(colours::Blue);
    const int r = 1 << 20;
    big.Ellipse(32 - r, 24, 32 + r, 24 + 2 * r);
    EXPECT_EQ(big.Pixel(32, 24), colours::Blue);
    EXPECT_EQ(big.Pixel(31, 24), colours::Blue);
    EXPECT_EQ(big.Pixel(32, 23), colours::Black);
    EXPECT_EQ(big.Pixel(32, 26), colours::Black);
}

TEST(ImageSurface, TextIsWrittenInTheFontColourOverWhatIsThere) {
    ImageSurface s(120, 60);
    s.SetBrushSolid(colours::Teal);
    s.SetPenColour(colours::Teal);
    s.Rectangle(0, 0, 120, 60);
    s.SetFontColour(colours::Yellow);
    s.SetFontSize(12);
    s.TextOut(20, 15, "U1 IC");

    int yellow = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            const Colour c = *s.Pixel(x, y);
            if (c == colours::Teal) {
                continue;
            }
            // Only the text changed anything, to the right of and below its top-left corner.
            EXPECT_GE(x, 19);
            EXPECT_GE(y, 15);
            EXPECT_LT(y, 15 + 24);
            yellow += c == colours::Yellow;
        }
    }
    EXPECT_GT(yellow, 10);
    // Between the letters the background stays.
    EXPECT_EQ(s.Pixel(20, 14), colours::Teal);

    // A larger size writes more.
    ImageSurface small(120, 60);
    ImageSurface large(120, 60);
    small.SetFontColour(colours::White);
    large.SetFontColour(colours::White);
    small.SetFontSize(8);
    large.SetFontSize(12);
    small.TextOut(5, 5, "R7");
    large.TextOut(5, 5, "R7");
    EXPECT_LT(PixelsOf(small, colours::Black).size() - 0, 120u * 60u);
    EXPECT_GT(PixelsOf(small, colours::Black).size(), PixelsOf(large, colours::Black).size());
}

} // namespace
} // namespace dorvik
