#pragma once
// Places the planned blocks on the board, each as low and as far left as it fits, in a board
// shape that suits a wide window, and says where each pin lands.

#include "GeneratedBoard.h"
#include "PartPlanner.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dorvik::brd {

// A free top-right corner the outline may step round: nothing lies right of X and above Y.
struct OutlineStep {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

struct Placement {
    std::vector<std::vector<Point>> Pins; // per part in board order, the absolute pin centres
    std::int32_t Width = 0;               // board extent, the free margin included
    std::int32_t Height = 0;
    std::optional<OutlineStep> Step;
};

// Free board edge around all parts, beyond each part's own clearance.
inline constexpr std::int32_t EdgeMargin = 150;

Placement PlaceBlocks(const std::vector<Block>& blocks);

} // namespace dorvik::brd
