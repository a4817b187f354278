#include "faults/ProbeResolve.h"

#include "faults/EntryMatch.h"
#include "view/Workspace.h"

#include <algorithm>
#include <string>

namespace dorvik {

namespace {

std::size_t Valid(std::int32_t count, std::size_t capacity) noexcept {
    return std::min(static_cast<std::size_t>(std::max(count, 0)), capacity);
}

} // namespace

ProbeResolution ResolveProbe(const BoardData& board, std::int32_t n) noexcept {
    if (n == 0) {
        return {true, 0, std::nullopt};
    }
    const std::size_t pins = Valid(board.PinCount, board.PinTable.size());
    for (std::size_t i = 0; i < pins; ++i) {
        if (board.PinTable[i].Probe == n) {
            return {true, n, NameView(board.PinTable[i].Net)};
        }
    }
    const std::size_t nails = Valid(board.NailCount, board.NailTable.size());
    for (std::size_t i = 0; i < nails; ++i) {
        if (board.NailTable[i].Number != n) {
            continue;
        }
        const std::string_view net = NameView(board.NailTable[i].Net);
        for (std::size_t p = 0; p < pins; ++p) {
            if (NameView(board.PinTable[p].Net) == net) {
                return {true, board.PinTable[p].Probe, net};
            }
        }
        return {true, std::nullopt, net};
    }
    return ProbeResolution::NotFound();
}

std::array<ProbeResolution, 3> ResolveProbes(const Workspace& ws) noexcept {
    return {ResolveProbe(ws.Board, ws.State.Probe1), ResolveProbe(ws.Board, ws.State.Probe2),
            ResolveProbe(ws.Board, ws.State.Probe3)};
}

void ReportNotFound(Workspace& ws, const std::array<ProbeResolution, 3>& resolved) {
    const WindowState& s = ws.State;
    if (s.Zoom != 1.0f) {
        ws.Controls.SetStatusText("Vostrel Dorvik");
        return;
    }
    const std::array<std::int32_t, 3> probes{s.Probe1, s.Probe2, s.Probe3};
    std::string message = "Not found:  ";
    for (std::size_t k = 0; k < 3; ++k) {
        if (probes[k] != 0 && !resolved[k].Found) {
            message += std::to_string(probes[k]);
            if (k < 2) {
                message += "  ";
            }
            ws.Controls.SetStatusText(message);
        }
    }
}

} // namespace dorvik
