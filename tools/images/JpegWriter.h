#pragma once
// Compresses a picture to JPEG with the IJG libjpeg API.

#include <QImage>

#include <cstdint>
#include <vector>

namespace dorvik::images {

enum class JpegColours { Rgb, Grey, Cmyk };

struct JpegOptions {
    int quality = 92;
    JpegColours colours = JpegColours::Rgb;
    bool progressive = false;
};

// The complete JPEG file; empty when the picture is empty.
[[nodiscard]] std::vector<std::uint8_t> EncodeJpeg(const QImage& picture,
                                                   const JpegOptions& options);

} // namespace dorvik::images
