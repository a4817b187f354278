#include "navigate/PointQuery.h"

#include "view/Colour.h"
#include "view/Primitives.h"
#include "view/Saturating.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dorvik {

namespace {

// The hit window around a pin, in rotated board units; rotated y points up the screen, and the
// window reaches less far down than up.
inline constexpr std::int64_t HalfWidth = 20;
inline constexpr std::int64_t ReachUp = 20;
inline constexpr std::int64_t ReachDown = 15;

struct Hit {
    std::int32_t Part = 0;
    std::int32_t Pin = 0;
    std::int32_t Number = 0; // within its part, from 1
};

bool InWindow(std::int64_t px, std::int64_t py, std::int64_t qx, std::int64_t qy) noexcept {
    return px - HalfWidth < qx && qx < px + HalfWidth && py - ReachDown < qy && qy < py + ReachUp;
}

// The ring around a pin's pixel in the current pen colour. A ring whose box lies wholly outside
// the picture would change no pixel, so the surface is not asked to draw it.
void DrawRing(Surface& canvas, PixelPoint centre, std::int32_t radius) {
    const std::int32_t left = SaturatingAdd(centre.X, -radius);
    const std::int32_t top = SaturatingAdd(centre.Y, -radius);
    const std::int32_t right = SaturatingAdd(centre.X, radius);
    const std::int32_t bottom = SaturatingAdd(centre.Y, radius);
    if (right < 0 || bottom < 0 || left >= canvas.Width() || top >= canvas.Height()) {
        return;
    }
    canvas.Ellipse(left, top, right, bottom);
}

// The first pin in table order that the viewed side shows and whose window holds (qx, qy).
std::optional<Hit> FindPin(const Workspace& ws, std::int32_t side, std::int32_t qx,
                           std::int32_t qy) {
    const std::span<const PartEntry> parts = ws.Board.Parts();
    const std::span<const PinEntry> pins = ws.Board.Pins();
    const auto pinLimit = static_cast<std::int32_t>(pins.size());
    std::int32_t i = 0; // runs on over all parts, also over the pins of hidden ones
    for (std::int32_t j = 0; j < static_cast<std::int32_t>(parts.size()); ++j) {
        const PartEntry& part = parts[static_cast<std::size_t>(j)];
        const std::int32_t first = i;
        const std::int32_t end = std::min(part.PinEnd, pinLimit);
        if (!PinVisible(part.Kind, side)) {
            i = std::max(i, end);
            continue;
        }
        for (; i < end; ++i) {
            const PinEntry& pin = pins[static_cast<std::size_t>(i)];
            if (InWindow(RotatedX(pin, ws.Rotation), RotatedY(pin, ws.Rotation), qx, qy)) {
                return Hit{j, i, i - first + 1};
            }
        }
    }
    return std::nullopt;
}

std::string Report(const PartEntry& part, const PinEntry& pin, std::int32_t number) {
    std::string text = "Part:  ";
    text += NameView(part.Name);
    text += "      Pin:  ";
    text += std::to_string(number);
    text += "      Net:  ";
    text += NameView(pin.Net);
    text += "      Probe:  ";
    text += pin.Probe == NoProbe ? std::string("No Probe") : std::to_string(pin.Probe);
    text += IsSmd(part.Kind) ? "    (SMD.)" : "    (DIP.)";
    return text;
}

} // namespace

void PointQuery(Workspace& ws, std::int32_t x, std::int32_t y, std::int32_t side) {
    const WindowState& s = ws.State;
    QueryMark& mark = ws.Mark;
    const std::int32_t radius = PinRadius(s);

    // Take the last ring away by drawing it again in the colour that lay under it; after a side
    // change its pixel means something else, so nothing is drawn then.
    if (mark.MarkedPinX != NoMark && mark.MarkedPinY != NoMark) {
        if (mark.MarkBackground) {
            ws.Canvas.SetPenColour(*mark.MarkBackground);
            if (mark.MarkedView == side) {
                DrawRing(ws.Canvas, RotatedToPixel(s, mark.MarkedPinX, mark.MarkedPinY, side),
                         radius);
            }
        }
        mark.MarkedPinX = NoMark;
        mark.MarkedPinY = NoMark;
    }

    const std::optional<Hit> hit = FindPin(ws, side, ToBoardX(s, x), ToBoardY(s, y));
    if (!hit) {
        ws.Controls.SetStatusText(StatusBanner);
        return;
    }
    const PartEntry& part = ws.Board.PartTable[static_cast<std::size_t>(hit->Part)];
    const PinEntry& pin = ws.Board.PinTable[static_cast<std::size_t>(hit->Pin)];
    ws.Controls.SetStatusText(Report(part, pin, hit->Number));

    mark.MarkedView = side;
    mark.MarkedPinX = RotatedX(pin, ws.Rotation);
    mark.MarkedPinY = RotatedY(pin, ws.Rotation);

    const PixelPoint centre = RotatedToPixel(s, mark.MarkedPinX, mark.MarkedPinY, side);
    // Sampled before the ring is drawn: the next query's erase restores this colour.
    mark.MarkBackground = ws.Canvas.Pixel(SaturatingAdd(centre.X, -radius), centre.Y);
    ws.Canvas.SetPenColour(colours::Lime);
    ws.Canvas.SetPenWidth(1);
    ws.Canvas.SetBrushHollow();
    DrawRing(ws.Canvas, centre, radius);
}

} // namespace dorvik
