// The component display: over the board, each part the entries name with its name in yellow, a
// green rectangle, purple pins, and the listed pins in their entry's colour with their nails
// framed.

#include "faults/DisplayRun.h"
#include "faults/EntryMatch.h"
#include "faults/FaultDisplays.h"
#include "faults/HighlightPinPass.h"
#include "view/Primitives.h"
#include "view/Render.h"
#include "view/Saturating.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string>

namespace dorvik {

namespace {

EntryText<CompTextSize>& CompEntry(WindowState& s, std::size_t k) noexcept {
    return k == 0 ? s.CompText1 : k == 1 ? s.CompText2 : s.CompText3;
}

// The entry (0..2) that names the part, the earliest when several do. The texts are read afresh
// each time: a turn of the board inside the run may have emptied one.
std::optional<std::size_t> EntryNaming(WindowState& s, std::string_view name) noexcept {
    for (std::size_t k = 0; k < 3; ++k) {
        if (ContainsDelimited(Text(CompEntry(s, k)), name)) {
            return k;
        }
    }
    return std::nullopt;
}

void ReportUnknownEntries(Workspace& ws, const std::array<bool, 3>& found) {
    WindowState& s = ws.State;
    if (found[0]) {
        ws.Controls.SetStatusText(StatusBanner);
        return;
    }
    std::string message = "Not found: ";
    for (std::size_t k = 0; k < 3; ++k) {
        EntryText<CompTextSize>& entry = CompEntry(s, k);
        if (found[k] || NamesNothing(Text(entry))) {
            continue;
        }
        message += Text(entry).substr(1); // the typed text and its closing comma
        ws.Controls.SetStatusText(message);
        SetText(entry, EmptyList); // reported once: later redraws no longer name it
    }
}

} // namespace

void DrawCompDisplay(Workspace& ws) {
    DisplayRun run(ws);
    WindowState& s = ws.State;
    const BoardData& board = ws.Board;
    Surface& canvas = ws.Canvas;
    const std::int32_t radius = PinRadius(s);
    const PinPassStyle style{colours::Purple, PinMarkRule::Everywhere, radius, true};

    DrawBoard(ws);
    if (Text(s.CompText1).empty() && Text(s.CompText2).empty() && Text(s.CompText3).empty()) {
        return; // a board loaded while this display was chosen: no entries yet
    }

    std::array<bool, 3> found{};
    std::array<std::int32_t, 3> sides{};
    const std::span<const PartEntry> parts = board.Parts();
    const std::span<const PinEntry> pins = board.Pins();
    const auto pinCount = static_cast<std::int32_t>(pins.size());
    for (std::int32_t j = 0; j < static_cast<std::int32_t>(parts.size()); ++j) {
        const PartEntry& part = parts[static_cast<std::size_t>(j)];
        const std::string_view name = NameView(part.Name);
        if (name.empty()) {
            continue; // a nameless part would match the comma pair of an empty entry
        }
        const std::optional<std::size_t> entry = EntryNaming(s, name);
        if (!entry) {
            continue;
        }
        const std::size_t w = *entry;
        found[w] = true;
        sides[w] = part.Kind & 3;

        PartBox box;
        const std::int32_t first = std::max(FirstPinOf(board, j), std::int32_t{0});
        const std::int32_t end = std::min(part.PinEnd, pinCount);
        for (std::int32_t p = first; p < end; ++p) {
            const PinEntry& pin = pins[static_cast<std::size_t>(p)];
            const std::int32_t number = p - first + 1;
            char digits[12];
            const auto written = std::to_chars(std::begin(digits), std::end(digits), number);
            const bool listed =
                ContainsDelimited(Text(CompEntry(s, w)), std::string_view(digits, written.ptr));
            if (listed) {
                ProbeSlot(s, w) = pin.Probe;
                run.MarkProbes(); // may turn the board over: the pin is drawn on the side after
            }
            DrawHighlightPin(ws, style, part.Kind, pin, number,
                             listed ? std::optional<Colour>(ProbeColours[w]) : std::nullopt,
                             run.Drawing(), box);
        }

        if (!run.Drawing()) {
            continue;
        }
        const LabelPosition label = PartLabelPosition(s, name, box, radius);
        canvas.SetFontColour(colours::Yellow);
        canvas.TextOut(label.X, label.Y, name);
        if ((part.Kind & 3) != run.FarSide()) {
            canvas.SetPenColour(colours::Lime);
            DrawPartRectangle(ws, name, box, radius);
        }
    }

    ReportUnknownEntries(ws, found);

    if (s.NewEntry == 'T') {
        s.NewEntry = 'N';
        if (AllFoundOnFarSide(sides, run.FarSide())) {
            run.TurnBoard("Auto Chane Side");
        }
    }
}

} // namespace dorvik
