#include "navigate/PanDrag.h"

#include "view/Render.h"
#include "view/Saturating.h"
#include "view/Workspace.h"

#include <cmath>
#include <cstdlib>

namespace dorvik {

namespace {

// The pan moves the picture by Zoom pixels per unit; measured from the press, so that rounding
// never gathers over the steps of a drag.
std::int32_t PanFollowing(std::int32_t startPan, std::int32_t start, std::int32_t now,
                          float zoom) noexcept {
    const double moved = static_cast<double>(now) - static_cast<double>(start);
    return TruncateToInt32(static_cast<double>(startPan) + std::round(moved / zoom));
}

} // namespace

void PanDrag::Press(const WindowState& s, std::int32_t x, std::int32_t y) noexcept {
    dragging_ = false;
    pressed_ = s.BoardLoaded == 1 && s.Zoom > 0.0f;
    startX_ = x;
    startY_ = y;
    startPanX_ = s.PanX;
    startPanY_ = s.PanY;
    startZoom_ = s.Zoom;
}

bool PanDrag::Move(Workspace& ws, std::int32_t x, std::int32_t y) {
    if (!pressed_) {
        return false;
    }
    WindowState& s = ws.State;
    if (!dragging_) {
        const std::int64_t dx = std::llabs(static_cast<std::int64_t>(x) - startX_);
        const std::int64_t dy = std::llabs(static_cast<std::int64_t>(y) - startY_);
        if (dx <= Threshold && dy <= Threshold) {
            return false;
        }
        dragging_ = true;
    }
    if (s.Zoom != startZoom_ || !(s.Zoom > 0.0f)) {
        // The zoom changed under the drag (the wheel): follow on from here at the new zoom.
        Press(s, x, y);
        dragging_ = pressed_;
        return dragging_;
    }
    const std::int32_t panX = PanFollowing(startPanX_, startX_, x, s.Zoom);
    const std::int32_t panY = PanFollowing(startPanY_, startY_, y, s.Zoom);
    if (panX != s.PanX || panY != s.PanY) {
        s.PanX = panX;
        s.PanY = panY;
        Redraw(ws);
    }
    return true;
}

bool PanDrag::Release(Workspace& ws, std::int32_t x, std::int32_t y) {
    const bool ended = Move(ws, x, y);
    pressed_ = false;
    dragging_ = false;
    return ended;
}

} // namespace dorvik
