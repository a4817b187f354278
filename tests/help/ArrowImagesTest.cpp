// The checked-in glyph strips, which the tool bar and the Help window load.

#include "HelpTestFiles.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>

namespace dorvik {
namespace {

const QColor kOlive(0x80, 0x80, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);

QImage LoadStrip(const char* file) {
    return QImage(test::DataDirectory() + "/" + file);
}

// Arrow pixels in a row of the first image of a strip.
int ArrowPixelsInRow(const QImage& strip, int y) {
    int count = 0;
    for (int x = 0; x < 16; ++x) {
        count += strip.pixelColor(x, y) != kOlive;
    }
    return count;
}

TEST(ArrowStrips, UpArrowHasItsTipAtTheTop) {
    const QImage up = LoadStrip("arrow1u.bmp");
    ASSERT_EQ(up.size(), QSize(32, 16));
    int top = 0;
    while (top < 16 && ArrowPixelsInRow(up, top) == 0) {
        ++top;
    }
    int bottom = 15;
    while (bottom > top && ArrowPixelsInRow(up, bottom) == 0) {
        --bottom;
    }
    ASSERT_LT(top, bottom);
    EXPECT_LT(ArrowPixelsInRow(up, top), ArrowPixelsInRow(up, bottom));
}

// Each strip's first image is the up arrow turned to its direction.
struct Strip {
    const char* file;
    QPoint (*sourceInUpArrow)(int x, int y);
};

class ArrowStrip : public ::testing::TestWithParam<Strip> {};

TEST_P(ArrowStrip, IsA16ColourStripOfARedArrowThenItsGreyedCopy) {
    const QString path = test::DataDirectory() + "/" + GetParam().file;

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 30);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 4) << "bits per pixel";

    const QImage strip(path);
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(strip.size(), QSize(32, 16));
    EXPECT_EQ(strip.colorCount(), 16);
    EXPECT_EQ(strip.pixelColor(8, 8), kRed);

    const QImage up = LoadStrip("arrow1u.bmp");
    ASSERT_EQ(up.size(), QSize(32, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(strip.pixelColor(x, y), up.pixelColor(GetParam().sourceInUpArrow(x, y)))
                << x << "," << y;
        }
    }

    for (const QPoint corner : {QPoint(0, 0), QPoint(15, 15), QPoint(16, 0), QPoint(31, 15)}) {
        EXPECT_EQ(strip.pixelColor(corner), kOlive);
    }
    // The greyed copy has no colour but the olive square.
    for (int y = 0; y < 16; ++y) {
        for (int x = 16; x < 32; ++x) {
            const QColor colour = strip.pixelColor(x, y);
            if (colour != kOlive) {
                EXPECT_TRUE(colour.red() == colour.green() && colour.green() == colour.blue())
                    << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ArrowStrip,
    ::testing::Values(Strip{"arrow1u.bmp", [](int x, int y) { return QPoint(x, y); }},
                      Strip{"arrow1l.bmp", [](int x, int y) { return QPoint(15 - y, x); }},
                      Strip{"arrow1d.bmp", [](int x, int y) { return QPoint(15 - x, 15 - y); }},
                      Strip{"arrow1r.bmp", [](int x, int y) { return QPoint(y, 15 - x); }}),
    [](const ::testing::TestParamInfo<Strip>& info) { return std::string(1, info.param.file[6]); });

} // namespace
} // namespace dorvik
