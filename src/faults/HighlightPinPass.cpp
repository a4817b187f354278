#include "faults/HighlightPinPass.h"

#include "view/Primitives.h"
#include "view/Saturating.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace dorvik {

namespace {

const HighlightPair* PairFor(std::span<const HighlightPair> pairs, std::int32_t probe) noexcept {
    for (const HighlightPair& pair : pairs) {
        if (pair.Value == probe) {
            return &pair;
        }
    }
    return nullptr;
}

bool InsideClip(const WindowState& s, std::int32_t x, std::int32_t y) noexcept {
    return s.ClipLeft < x && x < s.ClipRight && s.ClipTop < y && y < s.ClipBottom;
}

} // namespace

void HighlightPinPass(Workspace& ws, std::span<const HighlightPair> pairs) {
    const BoardData& board = ws.Board;
    const WindowState& s = ws.State;
    Surface& canvas = ws.Canvas;
    const std::int32_t radius = PinRadius(s);
    const std::span<const PinEntry> pins = board.Pins();
    const auto pinCount = static_cast<std::int32_t>(pins.size());

    std::int32_t p = 0; // one running pin index over all parts
    for (const PartEntry& part : board.Parts()) {
        const std::string_view name = NameView(part.Name);
        PartBox box;
        bool highlighted = false;
        const std::int32_t first = p;
        const std::int32_t end = std::min(part.PinEnd, pinCount);
        for (; p < end; ++p) {
            const PinEntry& pin = pins[static_cast<std::size_t>(p)];
            const HighlightPair* pair = PairFor(pairs, pin.Probe);
            if (pair != nullptr) {
                canvas.SetPenColour(pair->Ink);
                canvas.SetFontColour(pair->Ink);
                highlighted = true;
            } else {
                canvas.SetPenColour(colours::Blue);
            }
            if (!PinVisible(part.Kind, s.ViewSide)) {
                continue;
            }
            const auto [x, y] = PixelOf(s, pin, ws.Rotation, s.ViewSide);
            if (InsideClip(s, x, y)) {
                if (s.Zoom >= 1.0f) {
                    canvas.Ellipse(SaturatingAdd(x, -radius), SaturatingAdd(y, -radius),
                                   SaturatingAdd(x, radius), SaturatingAdd(y, radius));
                } else {
                    canvas.SetPixel(x, y, colours::Blue); // below zoom 1 every pin is a blue dot
                }
                if (pair != nullptr) {
                    DrawPinLabel(ws, x, y, p - first + 1);
                }
            }
            box.Add(x, y);
        }

        const LabelPosition label = PartLabelPosition(s, name, box, radius);
        if (!PartBodyVisible(part.Kind, s.ViewSide)) {
            continue;
        }
        DrawPartBox(ws, name, box);
        DrawPartLabel(ws, name, box);
        if (highlighted) {
            canvas.SetFontColour(colours::Teal);
            canvas.TextOut(label.X, label.Y, name);
        }
    }
}

} // namespace dorvik
