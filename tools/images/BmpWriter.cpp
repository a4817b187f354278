#include "BmpWriter.h"

#include <fstream>

namespace dorvik::images {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }
}

} // namespace

std::vector<std::uint8_t> EncodeBmp4(const IndexedImage& image) {
    // Two pixels per byte, each row padded to a multiple of 4 bytes.
    const auto rowBytes = static_cast<std::uint32_t>(((image.width + 1) / 2 + 3) / 4 * 4);
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height);
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;

    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + pixelBytes);

    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + pixelBytes);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, pixelOffset);

    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height)); // positive: rows stored bottom-up
    Put16(out, 1);                                        // planes
    Put16(out, 4);                                        // bits per pixel
    Put32(out, 0);                                        // BI_RGB, no compression
    Put32(out, pixelBytes);
    Put32(out, 3780); // 96 dpi in pixels per metre
    Put32(out, 3780);
    Put32(out, 16); // colours used
    Put32(out, 0);  // all colours important

    for (const std::uint32_t rgb : kVgaPalette) {
        out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
        out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
        out.push_back(0);
    }

    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; x += 2) {
            const std::uint8_t high = image.At(x, y) & 0x0F;
            const std::uint8_t low = x + 1 < image.width ? image.At(x + 1, y) & 0x0F : 0;
            out.push_back(static_cast<std::uint8_t>(high << 4 | low));
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace dorvik::images
