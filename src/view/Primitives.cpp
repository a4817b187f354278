#include "view/Primitives.h"

#include "view/Saturating.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <span>
#include <string_view>

namespace dorvik {

void DrawOutline(Workspace& ws, std::int32_t side) {
    const BoardData& board = ws.Board;
    const WindowState& s = ws.State;
    Surface& canvas = ws.Canvas;
    canvas.SetPenColour(colours::Olive);
    const std::span<const OutlinePoint> outline = board.Outline();
    for (std::size_t i = 0; i + 1 < outline.size(); ++i) {
        const PixelPoint from = PixelOf(s, outline[i], ws.Rotation, side);
        const PixelPoint to = PixelOf(s, outline[i + 1], ws.Rotation, side);
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
    }
}

void DrawPinMark(Workspace& ws, std::int32_t x, std::int32_t y, Colour colour) {
    const WindowState& s = ws.State;
    ws.Canvas.SetPenColour(colour);
    if (!(s.ClipLeft < x && x < s.ClipRight && s.ClipTop < y && y < s.ClipBottom)) {
        return;
    }
    if (s.Zoom >= 1.0f) {
        // x and y lie inside the margins and the radius is bounded, so nothing here overflows.
        const std::int32_t r = PinRadius(s);
        ws.Canvas.Ellipse(x - r, y - r, x + r, y + r);
    } else {
        ws.Canvas.SetPixel(x, y, colour);
    }
}

bool BoxInsidePins(std::string_view name) noexcept {
    return name.starts_with('U') || name.starts_with("IC");
}

void DrawPartRectangle(Workspace& ws, std::string_view name, const PartBox& box,
                       std::int32_t radius) {
    // Pins far outside the area give bounds near the int32 limits; widen in 64 bits and clamp.
    const std::int64_t grow =
        BoxInsidePins(name) ? -(std::int64_t{radius} + 1) : std::int64_t{radius} + 1;
    ws.Canvas.Rectangle(ClampToInt32(box.Left - grow), ClampToInt32(box.Top - grow),
                        ClampToInt32(box.Right + grow), ClampToInt32(box.Bottom + grow));
}

void DrawPartBox(Workspace& ws, std::string_view name, const PartBox& box) {
    ws.Canvas.SetPenColour(colours::Grey);
    DrawPartRectangle(ws, name, box, PinRadius(ws.State));
}

LabelPosition PartLabelPosition(const WindowState& s, std::string_view name, const PartBox& box,
                                std::int32_t radius) noexcept {
    const auto n = static_cast<std::int64_t>(name.size());
    const std::int64_t k = s.Zoom == 1.0f ? 1 : 3;
    const std::int64_t width = std::int64_t{box.Right} - box.Left;
    const std::int64_t height = std::int64_t{box.Bottom} - box.Top;
    std::int64_t x = box.Left + width / 2 - k * n;
    std::int64_t y = 0;
    if (6 * n < width && height > 12) {
        y = box.Top + height / 2 - 6;
    } else {
        y = std::int64_t{box.Top} - 12 - radius;
        x += k * n;
    }
    return LabelPosition{ClampToInt32(x), ClampToInt32(y)};
}

void DrawPartLabel(Workspace& ws, std::string_view name, const PartBox& box) {
    const WindowState& s = ws.State;
    if (s.TextFlag != 'Y') {
        return;
    }
    const LabelPosition at = PartLabelPosition(s, name, box, PinRadius(s));
    ws.Canvas.SetFontSize(LabelFontSize(s));
    ws.Canvas.SetFontColour(colours::Olive);
    ws.Canvas.TextOut(at.X, at.Y, name);
}

void DrawPinLabel(Workspace& ws, std::int32_t x, std::int32_t y, std::int32_t number) {
    char digits[16];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), number);
    const std::int64_t top = std::int64_t{y} - PinRadius(ws.State) - 12;
    ws.Canvas.TextOut(ClampToInt32(std::int64_t{x} - 6), ClampToInt32(top),
                      std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

int LabelFontSize(const WindowState& s) noexcept {
    return s.Zoom > 2.0f ? 12 : 8;
}

} // namespace dorvik
