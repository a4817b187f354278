#pragma once
// The drawing surface the board view draws on: the retained picture of the drawing area in the
// program, an image or a recording in tests.
//
// Shapes take their bounding box as (left, top) included and (right, bottom) excluded, the way
// the classic GDI calls do: Rectangle(0, 0, W, H) frames a W x H picture exactly.

#include "view/Colour.h"

#include <optional>
#include <string_view>

namespace dorvik {

class Surface {
public:
    virtual ~Surface() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    virtual void SetPenColour(Colour c) = 0;
    virtual void SetPenWidth(int width) = 0;
    virtual void SetBrushSolid(Colour c) = 0;
    virtual void SetBrushHollow() = 0;
    virtual void SetFontColour(Colour c) = 0;
    virtual void SetFontSize(int points) = 0;

    // Outline in the pen (width w grows inward), filled with the brush when it is solid.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    // The ellipse inscribed in the box, outline in the pen, filled when the brush is solid.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current position to (x, y), the end pixel excluded; (x, y) becomes current.
    virtual void LineTo(int x, int y) = 0;
    virtual void SetPixel(int x, int y, Colour c) = 0;
    // The colour of a pixel, or nothing outside the picture.
    virtual std::optional<Colour> Pixel(int x, int y) const = 0;
    // Text with its top-left corner at (x, y), in the font colour, on a transparent background.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
};

} // namespace dorvik
