#include "navigate/ViewFit.h"

#include "navigate/ZoomSteps.h"
#include "view/Render.h"
#include "view/Saturating.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace dorvik {

namespace {

struct Bounds {
    std::int32_t MinX = 0;
    std::int32_t MaxX = 0;
    std::int32_t MinY = 0;
    std::int32_t MaxY = 0;
};

Bounds BoundsOf(const std::vector<MarkedPoint>& marks) noexcept {
    Bounds b{marks.front().X, marks.front().X, marks.front().Y, marks.front().Y};
    for (const MarkedPoint& m : marks) {
        b.MinX = std::min(b.MinX, m.X);
        b.MaxX = std::max(b.MaxX, m.X);
        b.MinY = std::min(b.MinY, m.Y);
        b.MaxY = std::max(b.MaxY, m.Y);
    }
    return b;
}

struct Span {
    std::int64_t Low = 0;
    std::int64_t High = 0;
};

// The pixel columns (or rows) of the two extremes; the mappings are monotonic, so every mark
// lies between them.
template <class Map> Span PixelSpan(const WindowState& s, std::int32_t a, std::int32_t b, Map map) {
    const std::int64_t pa = map(s, a);
    const std::int64_t pb = map(s, b);
    return {std::min(pa, pb), std::max(pa, pb)};
}

// The pan that puts the middle of a span, drawn without pan, on `middle`: a pan unit moves the
// picture by Zoom pixels.
std::int32_t CentringPan(Span unpanned, double middle, float zoom) noexcept {
    const double now = (static_cast<double>(unpanned.Low) + static_cast<double>(unpanned.High)) / 2;
    return TruncateToInt32(std::round((middle - now) / static_cast<double>(zoom)));
}

// The view state at `zoom` with the marks centred, and whether they all fit with their rings
// (a nail's frame reaches one pixel beyond the radius).
bool CentreAt(WindowState& t, const Bounds& b, float zoom) {
    const auto column = [](const WindowState& s, std::int32_t x) { return ToPixelXForSide(s, x); };
    const auto row = [](const WindowState& s, std::int32_t y) { return ToPixelY(s, y); };
    t.Zoom = zoom;
    t.PanX = 0;
    t.PanY = 0;
    const double middleX = (static_cast<double>(t.ClipLeft) + t.ClipRight) / 2;
    const double middleY = (static_cast<double>(t.ClipTop) + t.ClipBottom) / 2;
    t.PanX = CentringPan(PixelSpan(t, b.MinX, b.MaxX, column), middleX, zoom);
    t.PanY = CentringPan(PixelSpan(t, b.MinY, b.MaxY, row), middleY, zoom);

    const std::int64_t reach = static_cast<std::int64_t>(PinRadius(t)) + 1;
    const Span x = PixelSpan(t, b.MinX, b.MaxX, column);
    const Span y = PixelSpan(t, b.MinY, b.MaxY, row);
    return x.Low - reach >= t.ClipLeft && x.High + reach <= t.ClipRight &&
           y.Low - reach >= t.ClipTop && y.High + reach <= t.ClipBottom;
}

} // namespace

void FitBoard(Workspace& ws) {
    WindowState& s = ws.State;
    if (s.BoardLoaded != 1) {
        return;
    }
    s.Zoom = 1.0f;
    s.PanX = 0;
    s.PanY = 0;
    FitToDrawingArea(ws);
    Redraw(ws);
}

void ZoomToMarks(Workspace& ws) {
    WindowState& s = ws.State;
    if (ws.FaultMarks.empty() || !(s.FitScale > 0.0f)) {
        return;
    }
    const Bounds bounds = BoundsOf(ws.FaultMarks);
    WindowState trial = s;
    float zoom = static_cast<float>(ZoomInLimit);
    while (!CentreAt(trial, bounds, zoom)) {
        const float smaller = ZoomedOut(zoom);
        if (smaller == zoom) {
            break; // the smallest step: centred, as near as it gets
        }
        zoom = smaller;
    }
    s.Zoom = trial.Zoom;
    s.PanX = trial.PanX;
    s.PanY = trial.PanY;
    Redraw(ws);
}

} // namespace dorvik
