#pragma once
// "Ask Point": the first visible pin near a clicked pixel, reported in the status bar and ringed.

#include <cstdint>

namespace dorvik {

struct Workspace;

// side: 1 when the top is viewed, 2 otherwise.
void PointQuery(Workspace& ws, std::int32_t x, std::int32_t y, std::int32_t side);

} // namespace dorvik
