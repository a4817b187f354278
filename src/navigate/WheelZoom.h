#pragma once
// The mouse wheel on the drawing area: one notch is one zoom step, in or out, about the pointer.

#include <cstdint>

namespace dorvik {

struct Workspace;

enum class WheelTurn { Up, Down };

// One notch over pixel (px, py): up zooms in, down zooms out, by the zoom commands' factor of two
// and within their limits, keeping the board point under the pointer where it is (as closely as
// the whole zoom-1 pixels of the pan allow). Without a board, or at a limit, nothing happens.
void WheelZoomAt(Workspace& ws, std::int32_t px, std::int32_t py, WheelTurn turn);

// The angle deltas of a wheel or a smooth-scrolling touchpad, gathered into whole notches.
class WheelNotches final {
public:
    // Eighths of a degree in one notch of a standard wheel.
    static constexpr int NotchDelta = 120;

    // Adds a delta (positive away from the operator) and returns the whole notches it
    // completes, positive or negative; the rest waits for the next delta. A turn back the
    // other way drops what was gathered.
    int Add(int delta) noexcept;
    void Reset() noexcept { pending_ = 0; }

private:
    int pending_ = 0;
};

} // namespace dorvik
