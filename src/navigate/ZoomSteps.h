#pragma once
// The zoom levels the view commands step through: powers of two from 1/512 to 512, one step
// doubling or halving the zoom.

#include "view/ViewGeometry.h"

namespace dorvik {

// A step in stops at MaxZoom or more; a step out only while the zoom is above 0.002, so 1/512 is
// the last level.
inline constexpr double ZoomInLimit = MaxZoom;
inline constexpr double ZoomOutLimit = 0.002;

// The zoom after one step in or out; the same zoom at a limit.
inline float ZoomedIn(float zoom) noexcept {
    return zoom >= ZoomInLimit ? zoom : static_cast<float>(static_cast<double>(zoom) * 2.0);
}
inline float ZoomedOut(float zoom) noexcept {
    return zoom > ZoomOutLimit ? static_cast<float>(static_cast<double>(zoom) * 0.5) : zoom;
}

} // namespace dorvik
