// The net display: the pins of the typed net highlighted white, its nails framed white.

#include "faults/DisplayRun.h"
#include "faults/EntryMatch.h"
#include "faults/FaultDisplays.h"
#include "faults/HighlightPinPass.h"
#include "faults/ProbeResolve.h"
#include "view/Primitives.h"
#include "view/Workspace.h"

#include <span>
#include <string>

namespace dorvik {

void DrawNetDisplay(Workspace& ws) {
    DisplayRun run(ws);
    WindowState& s = ws.State;
    const BoardData& board = ws.Board;
    const std::span<const NailEntry> nails = board.Nails();

    DrawOutline(ws, s.ViewSide);
    ws.Canvas.SetFontSize(LabelFontSize(s));

    // The net is found through the first nail that lies on a name of the entry. The name must
    // stand between commas there: the entry GND does not name the net ND.
    const std::string entry(Text(s.NetText));
    std::optional<std::int32_t> firstNail;
    for (std::size_t i = 0; i < nails.size() && !firstNail; ++i) {
        const NailEntry& nail = nails[i];
        const std::string_view net = NameView(nail.Net);
        if (!net.empty() && ContainsDelimited(entry, net)) {
            firstNail = nail.Number;
        }
    }
    const ProbeResolution resolved =
        firstNail ? ResolveProbe(board, *firstNail) : ProbeResolution::NotFound();

    const std::array<HighlightPair, 1> pair{HighlightPair{resolved.Value, colours::White}};
    HighlightPinPass(ws, pair);

    if (!firstNail) {
        ws.Controls.SetStatusText("Not found: " + std::string(TypedPart(entry)));
    } else {
        ws.Controls.SetStatusText(StatusBanner);
    }

    if (!resolved.Found) {
        return;
    }
    for (const NailEntry& nail : nails) {
        if (resolved.Net == NameView(nail.Net)) {
            s.Probe1 = nail.Number;
            run.MarkProbes();
        }
    }
}

} // namespace dorvik
