#pragma once
// Text for the retained picture: each character is rendered once per pixel size with the
// toolkit's default font into a coverage mask, then blended into the pixels wherever it is
// written. Board drawings write tens of thousands of short names per redraw; this keeps that
// to a few memory copies per character.

#include "view/PixelRaster.h"

#include <QFont>

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace dorvik {

class GlyphCache final {
public:
    // Writes text with its top-left corner at (x, y) in the colour 0xRRGGBB, leaving the pixels
    // between the strokes as they were. Needs a running QGuiApplication; without one nothing is
    // written.
    void Draw(const PixelBuffer& buffer, std::int64_t x, std::int64_t y, std::string_view text,
              int pixelSize, std::uint32_t rgb);

    // Pixel size of a font given in points, at 96 pixels per inch.
    static int PixelSizeOfPoints(int points) noexcept;

private:
    struct Glyph {
        bool Ready = false;
        int OffsetX = 0; // of the mask from the pen position
        int OffsetY = 0; // of the mask from the top of the line
        int Width = 0;
        int Height = 0;
        int Advance = 0;
        std::size_t Start = 0; // in Coverage
    };
    struct Face {
        QFont Font;
        int PixelSize = 0;
        int LineHeight = 0;
        int Ascent = 0;
        std::array<Glyph, 256> Glyphs{};
        std::vector<std::uint8_t> Coverage;
    };

    Face& FaceOf(int pixelSize);
    const Glyph& GlyphOf(Face& face, unsigned char c);

    // A handful of sizes are in use at a time (the labels use two); older ones are dropped.
    static constexpr std::size_t MaxFaces = 8;
    std::vector<std::unique_ptr<Face>> faces_;
    Face* last_ = nullptr;
};

} // namespace dorvik
