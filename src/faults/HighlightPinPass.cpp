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

void DrawHighlightPin(Workspace& ws, const PinPassStyle& style, std::int8_t kind,
                      const PinEntry& pin, std::int32_t number, std::optional<Colour> ink,
                      bool drawing, PartBox& box) {
    const WindowState& s = ws.State;
    Surface& canvas = ws.Canvas;
    if (ink) {
        canvas.SetPenColour(*ink);
        canvas.SetFontColour(*ink);
    } else {
        canvas.SetPenColour(style.Plain);
    }
    if (!PinVisible(kind, s.ViewSide)) {
        return;
    }
    if (drawing && (ink || style.MarksEveryPin)) {
        ws.FaultMarks.push_back({RotatedX(pin, ws.Rotation), RotatedY(pin, ws.Rotation)});
    }
    const auto [x, y] = PixelOf(s, pin, ws.Rotation, s.ViewSide);
    const bool clipped = style.Rule == PinMarkRule::InsideClip;
    if (drawing && (!clipped || InsideClip(s, x, y))) {
        if (clipped && s.Zoom < 1.0f) {
            canvas.SetPixel(x, y, colours::Blue); // below zoom 1 every pin is a blue dot
        } else {
            const std::int32_t r = style.Radius;
            canvas.Ellipse(SaturatingAdd(x, -r), SaturatingAdd(y, -r), SaturatingAdd(x, r),
                           SaturatingAdd(y, r));
        }
        if (ink) {
            DrawPinLabel(ws, x, y, number);
        }
    }
    box.Add(x, y);
}

void HighlightPinPass(Workspace& ws, std::span<const HighlightPair> pairs) {
    const BoardData& board = ws.Board;
    const WindowState& s = ws.State;
    Surface& canvas = ws.Canvas;
    const PinPassStyle style{colours::Blue, PinMarkRule::InsideClip, PinRadius(s)};
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
            highlighted = highlighted || pair != nullptr;
            DrawHighlightPin(ws, style, part.Kind, pin, p - first + 1,
                             pair != nullptr ? std::optional<Colour>(pair->Ink) : std::nullopt,
                             true, box);
        }

        const LabelPosition label = PartLabelPosition(s, name, box, style.Radius);
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
