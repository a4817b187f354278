#include "navigate/Mouse.h"

#include "navigate/Navigation.h"
#include "navigate/PointQuery.h"
#include "view/Workspace.h"

namespace dorvik {

void MouseRelease(Workspace& ws, MouseButton button, std::int32_t x, std::int32_t y) {
    WindowState& s = ws.State;
    // Stored for every button, board or not: the double click that may follow reads it.
    s.ClickX = x;
    s.ClickY = y;
    switch (button) {
    case MouseButton::Left:
        PointQuery(ws, x, y, s.ViewSide == 1 ? 1 : 2);
        break;
    case MouseButton::Right:
        if (s.BoardLoaded == 1) {
            ZoomOutAt(ws, x, y);
        }
        break;
    case MouseButton::Middle:
        HomeView(ws);
        break;
    }
}

void DoubleClick(Workspace& ws) {
    ZoomInAt(ws, ws.State.ClickX, ws.State.ClickY);
}

} // namespace dorvik
