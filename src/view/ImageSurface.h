#pragma once
// The drawing surface of the program: a retained 32-bit image that the drawing area shows and
// that tests read pixels from. Shapes are written straight into the pixels; a box given
// backwards (right of left, or above top) is taken with its corners in order, as GDI does.
// Ellipses and lines are one pixel wide; the pen width applies to rectangles.

#include "view/GlyphCache.h"
#include "view/Surface.h"

#include <QImage>

namespace dorvik {

class ImageSurface final : public Surface {
public:
    explicit ImageSurface(int width = 0, int height = 0);

    // A new black picture of this size (negative sizes count as 0).
    void Resize(int width, int height);
    const QImage& Image() const noexcept { return image_; }

    int Width() const override;
    int Height() const override;

    void SetPenColour(Colour c) override;
    void SetPenWidth(int width) override;
    void SetBrushSolid(Colour c) override;
    void SetBrushHollow() override;
    void SetFontColour(Colour c) override;
    void SetFontSize(int points) override;

    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetPixel(int x, int y, Colour c) override;
    std::optional<Colour> Pixel(int x, int y) const override;
    void TextOut(int x, int y, std::string_view text) override;

private:
    PixelBuffer Buffer();

    QImage image_;
    GlyphCache glyphs_;
    EllipseOutlineShape circle_;      // the last ellipse size drawn
    std::uint32_t pen_ = 0xFF000000u; // pixel values, 0xAARRGGBB
    std::uint32_t brush_ = 0xFF000000u;
    std::uint32_t font_ = 0xFF000000u;
    int penWidth_ = 1;
    bool brushSolid_ = false;
    int fontPixels_ = GlyphCache::PixelSizeOfPoints(8);
    int currentX_ = 0;
    int currentY_ = 0;
};

} // namespace dorvik
