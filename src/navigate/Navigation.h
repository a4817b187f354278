#pragma once
// The view commands of the keys, the mouse and the tool bar: zoom about a point, pan, home,
// quarter turns, the part-name switch and the side change. Each ends in a redraw.

#include <cstdint>
#include <string>

namespace dorvik {

struct Workspace;

enum class PanDirection { Left, Right, Up, Down };

// One zoom step that brings the board point under (px, py) to the centre. Before any board the
// zoom is 0 and these throw CommandError with the floating-point error's text, changing nothing.
void ZoomInAt(Workspace& ws, std::int32_t px, std::int32_t py);
void ZoomOutAt(Workspace& ws, std::int32_t px, std::int32_t py);
// Moves the picture a quarter of the drawing area.
void PanStep(Workspace& ws, PanDirection direction);
// Zoom 1, no pan.
void HomeView(Workspace& ws);
// Fits a freshly loaded board to the drawing area, resets zoom, pan, side and labels, then
// redraws.
void ResetView(Workspace& ws);
// The next quarter turn; loads the matching glyph file ("arrow1l.bmp", ...) into the rotate
// button. The directory is put in front of the name as given, so it ends in a separator; empty
// gives the bare name, looked up in the current directory. A glyph that cannot be read throws
// CommandError after Rotation has advanced, and nothing is redrawn.
void RotateStep(Workspace& ws, const std::string& glyphDirectory);
// Part names on or off, with the "V" caption's colour.
void ToggleText(Workspace& ws);
// Views the other side of the board, with the side button's caption and colour.
void ChangeSide(Workspace& ws);

} // namespace dorvik
