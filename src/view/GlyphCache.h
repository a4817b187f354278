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
    // A stretch of one mask row whose pixels are at least partly covered.
    struct Run {
        int OffsetX = 0; // from the pen position
        int OffsetY = 0; // from the top of the line
        int Length = 0;
        std::size_t Start = 0; // in Coverage
    };
    struct Glyph {
        bool Ready = false;
        int Advance = 0;
        int Top = 0;    // rows the runs span, from the top of the line
        int Bottom = 0; // (excluded)
        std::size_t FirstRun = 0;
        std::size_t RunCount = 0;
    };
    struct Face {
        QFont Font;
        int PixelSize = 0;
        int Ascent = 0;
        std::array<Glyph, 256> Glyphs{};
        std::vector<Run> Runs;
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
