#pragma once
// Nets and nails of a generated board: ground on about a third of the pins, a few supplies, many
// small signal nets, and nails on the pins of most nets, each pin probed by a nail of its net.

#include "Footprint.h"
#include "GeneratedBoard.h"
#include "Random.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dorvik::brd {

inline constexpr const char* GroundNet = "GND";
inline constexpr const char* SupplyNets[] = {"VCC", "+3V3", "+1V8", "+12V"};

struct WiringTarget {
    std::int32_t Nails = -1;       // exact nail count, or -1 for what the nets suggest
    std::int32_t GroundNails = -1; // exact nails on the ground net, or -1
    std::int32_t MaxNails = 30000;
};

// Sets the Net of every pin in `board.Pins` (parts and pins already in place) from the pin roles
// of `plans` (one per part, in board order), then adds the nails and sets every Probe.
void Wire(GeneratedBoard& board, const std::vector<PartPlan>& plans, const WiringTarget& target,
          SplitMix64& random);

} // namespace dorvik::brd
