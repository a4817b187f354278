#pragma once
// The zoom levels the view commands step through: powers of two from 1/512 to 512, one step
// doubling or halving the zoom.

namespace dorvik {

// A step in stops at 512 or more; a step out only while the zoom is above 0.002, so 1/512 is
// the last level.
inline constexpr double ZoomInLimit = 512.0;
inline constexpr double ZoomOutLimit = 0.002;

// The zoom after one step in or out; the same zoom at a limit.
inline float ZoomedIn(float zoom) noexcept {
    return zoom >= ZoomInLimit ? zoom : static_cast<float>(static_cast<double>(zoom) * 2.0);
}
inline float ZoomedOut(float zoom) noexcept {
    return zoom > ZoomOutLimit ? static_cast<float>(static_cast<double>(zoom) * 0.5) : zoom;
}

} // namespace dorvik
