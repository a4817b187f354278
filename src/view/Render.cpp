#include "view/Render.h"

#include "view/Primitives.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace dorvik {

namespace {

void ResetProbes(WindowState& s) noexcept {
    s.Probe1 = 0;
    s.Probe2 = 0;
    s.Probe3 = 0;
}

void ResetCompTexts(WindowState& s) noexcept {
    SetText(s.CompText1, EmptyList);
    SetText(s.CompText2, EmptyList);
    SetText(s.CompText3, EmptyList);
}

// Each display keeps the entry it works from; the others are reset.
void ResetUnusedEntries(WindowState& s) noexcept {
    switch (s.DisplayMode) {
    case OpenDisplay:
    case ShortDisplay:
        SetText(s.NetText, EmptyList);
        ResetCompTexts(s);
        break;
    case NetDisplay:
        ResetProbes(s);
        ResetCompTexts(s);
        break;
    case CompDisplay:
        ResetProbes(s);
        SetText(s.NetText, EmptyList);
        break;
    default:
        ResetProbes(s);
        SetText(s.NetText, EmptyList);
        ResetCompTexts(s);
        break;
    }
}

} // namespace

void ClearDrawing(Workspace& ws) {
    Surface& canvas = ws.Canvas;
    const int width = canvas.Width();
    const int height = canvas.Height();
    canvas.SetBrushSolid(colours::Black);
    canvas.SetPenWidth(1);
    canvas.SetPenColour(colours::Maroon);
    canvas.Rectangle(0, 0, width, height);
    canvas.SetBrushHollow();
}

void Redraw(Workspace& ws) {
    ws.FaultMarks.clear();
    ClearDrawing(ws);
    ResetUnusedEntries(ws.State);
    const std::int32_t mode = ws.State.DisplayMode;
    if (mode >= OpenDisplay && mode <= CompDisplay) {
        // The fault displays are installed by the fault location; an empty slot draws nothing.
        if (const DisplayFunction display = ws.FaultDisplays[static_cast<std::size_t>(mode - 1)]) {
            display(ws);
        }
        return;
    }
    DrawBoard(ws);
}

void DrawBoard(Workspace& ws) {
    const WindowState& s = ws.State;
    const BoardData& board = ws.Board;
    Surface& canvas = ws.Canvas;
    const std::int32_t side = s.ViewSide;
    const std::int32_t radius = PinRadius(s);
    const bool names = s.TextFlag == 'Y';

    DrawOutline(ws, side);
    canvas.SetFontSize(LabelFontSize(s));

    const std::span<const PinEntry> pins = board.Pins();
    std::size_t j = 0; // runs over all parts, never reset
    PartBox box;
    for (const PartEntry& part : board.Parts()) {
        const std::int8_t kind = part.Kind;
        const std::size_t pinEnd =
            std::min(pins.size(), static_cast<std::size_t>(std::max(part.PinEnd, std::int32_t{0})));
        box.Reset();
        if (!PinVisible(kind, side)) {
            j = std::max(j, pinEnd); // hidden pins are passed over all the same
        }
        for (; j < pinEnd; ++j) {
            const PixelPoint at = PixelOf(s, pins[j], ws.Rotation, side);
            DrawPinMark(ws, at.X, at.Y, colours::Blue);
            box.Add(at.X, at.Y);
        }
        if (!PartBodyVisible(kind, side)) {
            continue;
        }
        const std::string_view name = NameView(part.Name);
        canvas.SetPenColour(colours::Grey);
        DrawPartRectangle(ws, name, box, radius);
        if (names) {
            const LabelPosition at = PartLabelPosition(s, name, box, radius);
            canvas.SetFontColour(colours::Olive);
            canvas.TextOut(at.X, at.Y, name);
        }
    }
}

} // namespace dorvik
