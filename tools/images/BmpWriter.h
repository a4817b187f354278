#pragma once
// Writes a 4-bit (16-colour) Windows bitmap: the format the tool-bar glyph strips are kept in.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dorvik::images {

// The classic 16 colours of a VGA/Windows palette, as 0xRRGGBB, in palette order.
inline constexpr std::array<std::uint32_t, 16> kVgaPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Palette indices of the colours the glyphs use.
enum VgaIndex : std::uint8_t {
    kBlack = 0,
    kOlive = 3,
    kSilver = 7,
    kGrey = 8,
    kRed = 9,
    kWhite = 15,
};

// Pixels as palette indices, row by row from the top.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    [[nodiscard]] std::uint8_t At(int x, int y) const { return pixels[y * width + x]; }
    void Set(int x, int y, std::uint8_t index) { pixels[y * width + x] = index; }
};

// The complete file: BITMAPFILEHEADER, BITMAPINFOHEADER, the palette and the bottom-up rows
// padded to 4 bytes.
[[nodiscard]] std::vector<std::uint8_t> EncodeBmp4(const IndexedImage& image);

// Returns false when the file cannot be written.
[[nodiscard]] bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace dorvik::images
