#pragma once
// From a typed probe number to the net it belongs to, and the status-bar report of the numbers
// the board does not know. Shared by the open, short and net displays.

#include "board/BoardData.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dorvik {

struct Workspace;

// What a probe number resolves to. "Not found" is a flag of its own, so that a board whose pins
// or nails really carry the number 9999 shows them like any other.
struct ProbeResolution {
    // False when the number is neither the Probe of a pin nor the Number of a nail.
    bool Found = true;
    // The Probe value pins are compared with; nothing when no pin can match (not found, or the
    // nail's net is carried by no pin).
    std::optional<std::int32_t> Value;
    // The net whose nails are marked; nothing for a number not given (0) or not found. Points into
    // the board's tables.
    std::optional<std::string_view> Net;

    static ProbeResolution NotFound() noexcept { return {false, std::nullopt, std::nullopt}; }
};

// 0 is no probe (value 0, no net); else the first pin whose Probe is n gives its net; else the
// first nail numbered n gives its net, and the first pin on that net the value.
ProbeResolution ResolveProbe(const BoardData& board, std::int32_t n) noexcept;

// Probe1..Probe3 as they stand, resolved.
std::array<ProbeResolution, 3> ResolveProbes(const Workspace& ws) noexcept;

// At zoom exactly 1, "Not found:  " with each given number that was not found; at any other zoom
// StatusBanner. Leaves the status bar alone when every given number was found.
void ReportNotFound(Workspace& ws, const std::array<ProbeResolution, 3>& resolved);

} // namespace dorvik
