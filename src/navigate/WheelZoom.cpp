#include "navigate/WheelZoom.h"

#include "navigate/ZoomSteps.h"
#include "view/Render.h"
#include "view/Saturating.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <cmath>

namespace dorvik {

namespace {

// The pan that keeps the zoom-1 value under pixel u at u when the zoom goes from `before` to
// `after`: a pixel is v * zoom + ZoomCentreOffset(zoom), and the pan is added to v.
std::int32_t PanKeeping(std::int32_t pan, std::int32_t u, float before, float after,
                        std::int32_t limit) noexcept {
    const double underBefore = (u - ZoomCentreOffset(before, limit)) / static_cast<double>(before);
    const double underAfter = (u - ZoomCentreOffset(after, limit)) / static_cast<double>(after);
    return TruncateToInt32(static_cast<double>(pan) + std::round(underAfter - underBefore));
}

} // namespace

void WheelZoomAt(Workspace& ws, std::int32_t px, std::int32_t py, WheelTurn turn) {
    WindowState& s = ws.State;
    if (s.BoardLoaded != 1 || !(s.Zoom > 0.0f)) {
        return;
    }
    const float before = s.Zoom;
    const float after = turn == WheelTurn::Up ? ZoomedIn(before) : ZoomedOut(before);
    if (after == before) {
        return; // at a limit the picture stays as it is, pointer and all
    }
    s.PanX = PanKeeping(s.PanX, px, before, after, s.ClipRight);
    s.PanY = PanKeeping(s.PanY, py, before, after, s.ClipBottom);
    s.Zoom = after;
    Redraw(ws);
}

int WheelNotches::Add(int delta) noexcept {
    if ((delta > 0 && pending_ < 0) || (delta < 0 && pending_ > 0)) {
        pending_ = 0;
    }
    // A delta beyond a million notches is no real wheel; the bound keeps the sum in range.
    constexpr int bound = NotchDelta * 1000000;
    pending_ += delta > bound ? bound : delta < -bound ? -bound : delta;
    const int notches = pending_ / NotchDelta;
    pending_ -= notches * NotchDelta;
    return notches;
}

} // namespace dorvik
