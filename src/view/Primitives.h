#pragma once
// The marks the board drawing and the fault displays are built from.

#include "board/BoardData.h"
#include "view/Colour.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace dorvik {

struct Workspace;
struct WindowState;

// The board outline as an open polyline; side 1 is the top view, anything else the bottom.
void DrawOutline(Workspace& ws, std::int32_t side);

// Whether a pin of a part with this Kind is seen from the viewed side (1 top, else bottom).
constexpr bool PinVisible(std::int8_t kind, std::int32_t side) noexcept {
    return side == 1 ? kind <= 7 : (kind <= 3 || kind >= 8);
}

// Whether the part's body (rectangle and name) is seen from the viewed side.
constexpr bool PartBodyVisible(std::int8_t kind, std::int32_t side) noexcept {
    const int body = kind & 3;
    return side == 1 ? body != 2 : body != 1;
}

// The pin mark at pixel (x, y): a circle of PinRadius at zoom 1 and above, one pixel below,
// drawn only strictly inside the clip margins. Sets the pen colour either way.
void DrawPinMark(Workspace& ws, std::int32_t x, std::int32_t y, Colour colour);

// Pixel bounds gathered over a part's visible pins.
struct PartBox {
    std::int32_t Left = 32000;
    std::int32_t Top = 32000;
    std::int32_t Right = -9999;
    std::int32_t Bottom = -9999;

    void Reset() noexcept { *this = PartBox{}; }
    void Add(std::int32_t x, std::int32_t y) noexcept {
        Left = std::min(Left, x);
        Top = std::min(Top, y);
        Right = std::max(Right, x);
        Bottom = std::max(Bottom, y);
    }
};

// Whether the part rectangle lies inside the pin marks (names beginning "U" or "IC").
bool BoxInsidePins(std::string_view name) noexcept;

// The part rectangle in the current pen colour, inside or around the pin marks by the name.
void DrawPartRectangle(Workspace& ws, std::string_view name, const PartBox& box,
                       std::int32_t radius);
// The part rectangle in grey.
void DrawPartBox(Workspace& ws, std::string_view name, const PartBox& box);

struct LabelPosition {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// Where a part's name goes: inside its box when it fits, else above it.
LabelPosition PartLabelPosition(const WindowState& s, std::string_view name, const PartBox& box,
                                std::int32_t radius) noexcept;
// The part name in olive at LabelFontSize at its label position, when TextFlag is 'Y'.
void DrawPartLabel(Workspace& ws, std::string_view name, const PartBox& box);

// A pin's number next to its mark, in the current font colour.
void DrawPinLabel(Workspace& ws, std::int32_t x, std::int32_t y, std::int32_t number);

// 12 points above zoom 2, else 8.
int LabelFontSize(const WindowState& s) noexcept;

} // namespace dorvik
