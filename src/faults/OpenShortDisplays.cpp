// The open-link display (the board with every nail of each probe's net framed) and the short-link
// display (every pin of those nets highlighted, then the same frames).

#include "faults/DisplayRun.h"
#include "faults/FaultDisplays.h"
#include "faults/HighlightPinPass.h"
#include "faults/ProbeResolve.h"
#include "view/Primitives.h"
#include "view/Render.h"
#include "view/Workspace.h"

namespace dorvik {

namespace {

// For each nail in table order and each probe whose net it lies on: the probe takes the nail's
// number and the probes are marked, so every nail of each net ends up framed in its colour.
void MarkProbeNets(DisplayRun& run, const std::array<ProbeResolution, 3>& resolved) {
    Workspace& ws = run.Ws();
    for (const NailEntry& nail : ws.Board.Nails()) {
        const std::string_view net = NameView(nail.Net);
        for (std::size_t k = 0; k < 3; ++k) {
            if (resolved[k].Found && resolved[k].Net == net) {
                ProbeSlot(ws.State, k) = nail.Number;
                run.MarkProbes();
            }
        }
    }
}

} // namespace

void DrawOpenDisplay(Workspace& ws) {
    DisplayRun run(ws);
    const std::array<ProbeResolution, 3> resolved = ResolveProbes(ws);
    DrawBoard(ws);
    ReportNotFound(ws, resolved);
    MarkProbeNets(run, resolved);
}

void DrawShortDisplay(Workspace& ws) {
    DisplayRun run(ws);
    DrawOutline(ws, ws.State.ViewSide);
    const std::array<ProbeResolution, 3> resolved = ResolveProbes(ws);
    ws.Canvas.SetFontSize(LabelFontSize(ws.State));
    const std::array<HighlightPair, 3> pairs{
        HighlightPair{resolved[0].Value, ProbeColours[0]},
        HighlightPair{resolved[1].Value, ProbeColours[1]},
        HighlightPair{resolved[2].Value, ProbeColours[2]},
    };
    HighlightPinPass(ws, pairs);
    ReportNotFound(ws, resolved);
    MarkProbeNets(run, resolved);
}

} // namespace dorvik
