#include "help/JpegDecoder.h"

#include "HelpTestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace dorvik {
namespace {

using test::JpegSeed;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

std::optional<QImage> Decode(const QByteArray& bytes, qsizetype length) {
    return DecodeJpeg(std::span(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                static_cast<std::size_t>(length)));
}

bool Near(QRgb actual, QRgb expected, int tolerance) {
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// The seeds are drawings of our own (the About picture and the logo) in each colour kind the
// decoder handles; one pixel of known colour each shows the channels come out in order.
struct GoodSeed {
    const char* name;
    int width;
    int height;
    QPoint probe;
    QRgb colour;
};

const GoodSeed kGoodSeeds[] = {
    {"good_about.jpg", 328, 138, {20, 70}, qRgb(0x1E, 0x6E, 0x3A)},         // board green
    {"good_cmyk.jpg", 132, 34, {40, 15}, qRgb(0xFF, 0x00, 0x00)},           // the red dot of the O
    {"good_progressive_grey.jpg", 132, 34, {2, 2}, qRgb(0xEF, 0xEF, 0xEF)}, // button face
};

TEST(JpegDecoder, DecodesEveryColourKindToRgb32) {
    for (const GoodSeed& seed : kGoodSeeds) {
        SCOPED_TRACE(seed.name);
        const auto image = DecodeJpegFile(JpegSeed(seed.name));
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->format(), QImage::Format_RGB32);
        EXPECT_EQ(image->size(), QSize(seed.width, seed.height));
        const QRgb pixel = image->pixel(seed.probe);
        EXPECT_TRUE(Near(pixel, seed.colour, 24)) << std::hex << pixel;
    }
}

TEST(JpegDecoder, ShippedAboutPictureDecodesAtItsSize) {
    const auto image = DecodeJpegFile(test::DataDirectory() + "/about.jpg");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->size(), QSize(328, 138));
}

TEST(JpegDecoder, RejectsBadInputCleanly) {
    const char* const badSeeds[] = {
        "bad_truncated.jpg",    // cut in the middle of the picture data
        "bad_not_jpeg.bmp",     // a bitmap
        "bad_sides_65535.jpg",  // header claims sides beyond the limit
        "bad_pixels_16000.jpg", // sides allowed, pixel buffer beyond the limit
        "bad_empty",
    };
    for (const char* name : badSeeds) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(DecodeJpegFile(JpegSeed(name)).has_value());
    }
    EXPECT_FALSE(DecodeJpegFile(JpegSeed("no_such_file.jpg")).has_value());
    EXPECT_FALSE(DecodeJpeg({}).has_value());
}

TEST(JpegDecoder, RejectsEveryShortenedCopyOfAGoodPicture) {
    // Wherever the data ends early - in the header, the tables or the scan - the decoder gives
    // nothing rather than a partly grey picture.
    for (const char* name : {"good_about.jpg", "good_progressive_grey.jpg"}) {
        SCOPED_TRACE(name);
        const QByteArray bytes = ReadAll(JpegSeed(name));
        ASSERT_TRUE(Decode(bytes, bytes.size()).has_value());
        for (qsizetype length = 0; length < bytes.size(); length += 1 + length / 16) {
            EXPECT_FALSE(Decode(bytes, length).has_value()) << "length " << length;
        }
        // The end-of-image marker is the last thing cut.
        EXPECT_FALSE(Decode(bytes, bytes.size() - 2).has_value());
    }
}

TEST(JpegDecoder, DecodesFromAFileAndRejectsADirectory) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString copy = directory.filePath("picture.jpg");
    ASSERT_TRUE(QFile::copy(JpegSeed("good_about.jpg"), copy));
    EXPECT_TRUE(DecodeJpegFile(copy).has_value());
    EXPECT_FALSE(DecodeJpegFile(directory.path()).has_value());
}

} // namespace
} // namespace dorvik
