#pragma once
// The one redraw entry: clear the picture, reset the fault entries the display mode does not
// use, and draw the whole board or the current fault display.

namespace dorvik {

struct Workspace;

// Paints the picture black with a 1-pixel maroon frame; leaves pen width 1, brush hollow.
void ClearDrawing(Workspace& ws);

void Redraw(Workspace& ws);

// The whole board in the current view: outline, then part by part its pins, rectangle and name.
void DrawBoard(Workspace& ws);

} // namespace dorvik
