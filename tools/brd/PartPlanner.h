#pragma once
// Chooses the parts of a generated board: blocks of an IC with the passives around it, rows of
// loose passives and connectors, in the mix of a real board.

#include "Footprint.h"
#include "Random.h"

#include <cstdint>
#include <vector>

namespace dorvik::brd {

using Block = std::vector<PartPlan>; // parts placed together; an IC or connector comes first

// Exactly `parts` parts in blocks. With `dense`, fewer ICs, so that a board of the full part
// capacity has about as many pins as the pin table holds.
std::vector<Block> PlanBlocks(int parts, bool dense, SplitMix64& random);

// Grows or shrinks ICs and connectors until the pins add up to `target`, or as close as the
// packages allow. Only shrinks when `growToo` is false.
void FitPinTotal(std::vector<Block>& blocks, std::int64_t target, bool growToo);

std::int64_t PinTotal(const std::vector<Block>& blocks) noexcept;

} // namespace dorvik::brd
