#pragma once
// The board outline round the placed parts: a closed polygon with a chamfered corner, two rounded
// corners and, where the last shelf of parts ends early, a step.

#include "GeneratedBoard.h"
#include "Placement.h"

#include <cstdint>
#include <vector>

namespace dorvik::brd {

// The outline as a closed polyline (the first point repeated at the end). With a `points`
// above the shape's own count, the straight edges get evenly spaced extra points until the
// polyline has exactly that many; 0 keeps the shape's own points.
std::vector<Point> MakeOutline(const Placement& placement, std::int32_t points);

} // namespace dorvik::brd
