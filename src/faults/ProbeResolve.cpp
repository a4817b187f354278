#include "faults/ProbeResolve.h"

#include "view/Workspace.h"

#include <span>
#include <string>

namespace dorvik {

ProbeResolution ResolveProbe(const BoardData& board, std::int32_t n) noexcept {
    if (n == 0) {
        return {true, 0, std::nullopt};
    }
    const std::span<const PinEntry> pins = board.Pins();
    for (const PinEntry& pin : pins) {
        if (pin.Probe == n) {
            return {true, n, NameView(pin.Net)};
        }
    }
    for (const NailEntry& nail : board.Nails()) {
        if (nail.Number != n) {
            continue;
        }
        const std::string_view net = NameView(nail.Net);
        for (const PinEntry& pin : pins) {
            if (NameView(pin.Net) == net) {
                return {true, pin.Probe, net};
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
        ws.Controls.SetStatusText(StatusBanner);
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
