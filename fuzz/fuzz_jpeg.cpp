// The bytes as the About picture, through the libjpeg decoder.
#include "help/JpegDecoder.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = dorvik::DecodeJpeg(std::span<const unsigned char>(data, size));
    if (image && (image->width() <= 0 || image->height() <= 0)) {
        __builtin_trap(); // a decoded picture always has pixels
    }
    return 0;
}
