#include "JpegSeeds.h"

#include "ArrowGlyphs.h"
#include "BmpWriter.h"
#include "JpegWriter.h"
#include "Pictures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dorvik::images {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A copy of a baseline JPEG whose frame header claims the given size.
Bytes WithFrameSize(Bytes jpeg, std::uint16_t width, std::uint16_t height) {
    // SOF0: FF C0, length (2), precision (1), height (2), width (2).
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
            jpeg[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
            jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
            jpeg[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

} // namespace

bool WriteJpegSeeds(const QDir& directory) {
    const Bytes about = EncodeJpeg(DrawAboutPicture(), JpegOptions{});
    const QImage logo = DrawLogo();
    struct Seed {
        const char* name;
        Bytes bytes;
    };
    const Seed seeds[] = {
        {"good_about.jpg", about},
        {"good_progressive_grey.jpg", EncodeJpeg(logo, JpegOptions{80, JpegColours::Grey, true})},
        {"good_cmyk.jpg", EncodeJpeg(logo, JpegOptions{80, JpegColours::Cmyk, false})},
        {"bad_truncated.jpg", Bytes(about.begin(), about.begin() + about.size() / 2)},
        {"bad_not_jpeg.bmp", EncodeBmp4(MakeArrowStrip(ArrowDirection::Up))},
        {"bad_sides_65535.jpg", WithFrameSize(about, 65535, 65535)},
        {"bad_pixels_16000.jpg", WithFrameSize(about, 16000, 16000)},
        {"bad_empty", Bytes{}},
    };
    bool ok = true;
    for (const Seed& seed : seeds) {
        ok = WriteFile(directory.filePath(seed.name).toStdString(), seed.bytes) && ok;
    }
    return ok;
}

} // namespace dorvik::images
