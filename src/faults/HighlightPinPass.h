#pragma once
// The pass over all parts and pins that the short and net displays draw instead of the plain
// board: pins of the asked-for probe values in their colours with their numbers, their parts'
// names in teal, every other pin blue.

#include "view/Colour.h"

#include <cstdint>
#include <optional>
#include <span>

namespace dorvik {

struct Workspace;

struct HighlightPair {
    std::optional<std::int32_t> Value; // pins whose Probe equals it take Ink; nothing matches none
    Colour Ink;
};

// Pairs are tested in order; the first whose value a pin's Probe equals colours it.
void HighlightPinPass(Workspace& ws, std::span<const HighlightPair> pairs);

} // namespace dorvik
