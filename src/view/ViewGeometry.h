#pragma once
// The view geometry: quarter turns, the fit of a board to the drawing area, the mappings from
// rotated board coordinates to pixels (top view and mirrored bottom view) and back.

#include "board/BoardData.h"
#include "view/WindowState.h"

#include <cstdint>

namespace dorvik {

struct Workspace;

// The largest zoom: a zoom step in doubles the zoom only below it.
inline constexpr float MaxZoom = 512.0f;

// Rotated coordinates of an outline point, pin or nail under `rotation` quarter turns
// (0: x, y; 1: -y, x; 2: -x, -y; 3 and any other value: y, -x). Negation wraps, so the
// most negative coordinate maps to itself instead of overflowing.
std::int32_t RotatedX(std::int32_t x, std::int32_t y, std::int32_t rotation) noexcept;
std::int32_t RotatedY(std::int32_t x, std::int32_t y, std::int32_t rotation) noexcept;

template <class Item> std::int32_t RotatedX(const Item& item, std::int32_t rotation) noexcept {
    return RotatedX(item.X, item.Y, rotation);
}
template <class Item> std::int32_t RotatedY(const Item& item, std::int32_t rotation) noexcept {
    return RotatedY(item.X, item.Y, rotation);
}

struct FitResult {
    float Scale = 0.0f;
    std::int32_t MinX = 0;
    std::int32_t MinY = 0;
};

// Pixels per board unit at zoom 1 that fit the outline into the available area, and the
// smallest rotated outline x and y (never above 0). A board without a usable outline is fitted
// by its pins and nails instead, so the scale is always positive and finite.
FitResult ComputeFitScale(const BoardData& board, std::int32_t rotation,
                          std::int32_t availableWidth, std::int32_t availableHeight) noexcept;

// Nearest integer, halves away from zero; values beyond the int32 range are clamped, NaN is 0.
std::int32_t RoundToInt(float v) noexcept;
std::int32_t RoundToInt(double v) noexcept = delete;

std::int32_t ToPixelX(const WindowState& s, std::int32_t x) noexcept;
std::int32_t ToPixelXMirrored(const WindowState& s, std::int32_t x) noexcept;
std::int32_t ToPixelY(const WindowState& s, std::int32_t y) noexcept;

// ToPixelX on the top side (ViewSide 1), ToPixelXMirrored otherwise.
inline std::int32_t ToPixelXForSide(const WindowState& s, std::int32_t x) noexcept {
    return s.ViewSide == 1 ? ToPixelX(s, x) : ToPixelXMirrored(s, x);
}

struct PixelPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// The pixel of rotated board coordinates seen from `side`: 1 the top, anything else the mirrored
// bottom.
inline PixelPoint RotatedToPixel(const WindowState& s, std::int32_t x, std::int32_t y,
                                 std::int32_t side) noexcept {
    return {side == 1 ? ToPixelX(s, x) : ToPixelXMirrored(s, x), ToPixelY(s, y)};
}

// The pixel of an outline point, pin or nail under `rotation` quarter turns, seen from `side`.
template <class Item>
PixelPoint PixelOf(const WindowState& s, const Item& item, std::int32_t rotation,
                   std::int32_t side) noexcept {
    return RotatedToPixel(s, RotatedX(item, rotation), RotatedY(item, rotation), side);
}

// Rotated board coordinates under a pixel, for the point query (2 pixels left, 1 pixel up).
std::int32_t ToBoardX(const WindowState& s, std::int32_t px) noexcept;
std::int32_t ToBoardY(const WindowState& s, std::int32_t py) noexcept;

// The constant the zoom about the centre adds to a zoomed value: the pixel of a zoom-1 value v is
// RoundToInt(v * Zoom + ZoomCentreOffset(Zoom, L)) up to float rounding, with L = ClipRight for
// columns and ClipBottom for rows. Zoom and pan arithmetic beyond the fixed steps uses it.
double ZoomCentreOffset(float zoom, std::int32_t limit) noexcept;

// Radius of a pin mark: trunc(FitScale * 10 * Zoom) + 1, clamped to a sane range.
std::int32_t PinRadius(const WindowState& s) noexcept;

// Takes the drawing area's present size and fits the board into it: size, centre, margins, fit
// scale and board origin. Zoom, pan, side, labels and entries are left alone; nothing is drawn.
void FitToDrawingArea(Workspace& ws);

} // namespace dorvik
