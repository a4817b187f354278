#include "navigate/Navigation.h"

#include "navigate/ZoomSteps.h"
#include "view/Colour.h"
#include "view/Render.h"
#include "view/Saturating.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace dorvik {

namespace {

// Before the first board the zoom is 0 and the steps below would divide by it. The command
// reports the floating-point error the division raises, before anything has changed: a nonzero
// value divided by zero, or zero divided by zero.
void RequireZoom(float zoom, double dividend) {
    if (zoom == 0.0f) {
        throw CommandError(dividend == 0.0 ? "Invalid floating point operation"
                                           : "Floating point division by zero");
    }
}

// Pixel distances in double, so that even a pointer far outside the area cannot overflow.
double Distance(std::int32_t centre, std::int32_t pixel) noexcept {
    return static_cast<double>(centre) - static_cast<double>(pixel);
}

} // namespace

void ZoomInAt(Workspace& ws, std::int32_t px, std::int32_t py) {
    WindowState& s = ws.State;
    s.Zoom = ZoomedIn(s.Zoom);
    const double dx = Distance(s.CentreX, px);
    const double dy = Distance(s.CentreY, py);
    RequireZoom(s.Zoom, dx); // x is divided first, so its error is the one raised
    const double zoom = s.Zoom;
    s.PanX = TruncateToInt32(s.PanX + dx / zoom * 2.0);
    s.PanY = TruncateToInt32(s.PanY + dy / zoom * 2.0);
    Redraw(ws);
}

void ZoomOutAt(Workspace& ws, std::int32_t px, std::int32_t py) {
    WindowState& s = ws.State;
    s.Zoom = ZoomedOut(s.Zoom);
    const double dx = Distance(s.CentreX, px);
    const double dy = Distance(s.CentreY, py);
    RequireZoom(s.Zoom, dx); // x is divided first, so its error is the one raised
    const double zoom = s.Zoom;
    s.PanX = TruncateToInt32(dx / (2.0 * zoom) + s.PanX);
    s.PanY = TruncateToInt32(dy / (2.0 * zoom) + s.PanY);
    Redraw(ws);
}

void PanStep(Workspace& ws, PanDirection direction) {
    WindowState& s = ws.State;
    const bool horizontal = direction == PanDirection::Left || direction == PanDirection::Right;
    const double quarter = (horizontal ? s.ImageWidth : s.ImageHeight) / 4;
    RequireZoom(s.Zoom, quarter);
    const std::int32_t step = TruncateToInt32(quarter / static_cast<double>(s.Zoom));
    // Left and up move the picture right and down: the view travels over the board that way.
    switch (direction) {
    case PanDirection::Left:
        s.PanX = SaturatingAdd(s.PanX, step);
        break;
    case PanDirection::Right:
        s.PanX = SaturatingAdd(s.PanX, -step);
        break;
    case PanDirection::Up:
        s.PanY = SaturatingAdd(s.PanY, step);
        break;
    case PanDirection::Down:
        s.PanY = SaturatingAdd(s.PanY, -step);
        break;
    }
    Redraw(ws);
}

void HomeView(Workspace& ws) {
    ws.State.Zoom = 1.0f;
    ws.State.PanX = 0;
    ws.State.PanY = 0;
    Redraw(ws);
}

void ResetView(Workspace& ws) {
    WindowState& s = ws.State;
    s.Zoom = 1.0f;
    s.PanX = 0;
    s.PanY = 0;
    SetText(s.NetText, "");
    SetText(s.CompText1, "");
    SetText(s.CompText2, "");
    SetText(s.CompText3, "");
    FitToDrawingArea(ws);
    s.TextFlag = 'N';
    s.ViewSide = 1;
    // The tool bar shows the side and the label switch; keep it in step with the state.
    ws.Controls.SetSideButton("TOP", FromRgb(0x0000FF));
    ws.Controls.SetTextButtonColour(FromRgb(0x000000));
    Redraw(ws);
}

void RotateStep(Workspace& ws, const std::string& glyphDirectory) {
    // The glyph shows where the board's +y points after the turn: left, down, right, up.
    static constexpr std::array<std::string_view, 4> glyphs{"arrow1u.bmp", "arrow1l.bmp",
                                                            "arrow1d.bmp", "arrow1r.bmp"};
    ws.Rotation = ws.Rotation >= 0 && ws.Rotation < 3 ? ws.Rotation + 1 : 0;
    // Rotation is stored before the glyph is read: a missing file ends the command with the
    // new orientation already in force for the next redraw.
    ws.Controls.LoadRotateGlyph(glyphDirectory +
                                std::string(glyphs[static_cast<std::size_t>(ws.Rotation)]));
    Redraw(ws);
}

void ToggleText(Workspace& ws) {
    WindowState& s = ws.State;
    if (s.TextFlag == 'Y') {
        s.TextFlag = 'N';
        ws.Controls.SetTextButtonColour(FromRgb(0x000000));
    } else {
        s.TextFlag = 'Y';
        ws.Controls.SetTextButtonColour(FromRgb(0xFFFF00));
    }
    Redraw(ws);
}

void ChangeSide(Workspace& ws) {
    WindowState& s = ws.State;
    // Negation that wraps instead of overflowing; only +1, -1 and 0 ever occur.
    s.ViewSide = static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(s.ViewSide));
    if (s.ViewSide == 1) {
        ws.Controls.SetSideButton("TOP", FromRgb(0x0000FF));
    } else {
        ws.Controls.SetSideButton("BOT", FromRgb(0x008000));
    }
    Redraw(ws);
}

} // namespace dorvik
