#pragma once
// The mouse on the drawing area: every release stores its pixel, then acts by button.

#include <cstdint>

namespace dorvik {

struct Workspace;

enum class MouseButton { Left, Right, Middle };

// Image1MouseUp: left runs the point query, right zooms out (with a board loaded), middle goes
// home.
void MouseRelease(Workspace& ws, MouseButton button, std::int32_t x, std::int32_t y);
// Image1DblClick: zoom in about the pixel of the preceding release.
void DoubleClick(Workspace& ws);

} // namespace dorvik
