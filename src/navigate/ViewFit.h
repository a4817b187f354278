#pragma once
// Bringing the board or the marks back into view: Fit Board and Zoom to Marks.

namespace dorvik {

struct Workspace;

// Fits the board to the drawing area at its present size, as loading does, at zoom 1 without
// pan, then redraws; the side, the part names, the rotation, the display mode and the entries
// stay as they are. Nothing happens without a board.
void FitBoard(Workspace& ws);

// The largest zoom step at which every nail and pin that the current fault display marks lies
// in the drawing area with its ring, the marks centred; then redraws. When they fit at no step
// the smallest is taken. Nothing happens when nothing is marked.
void ZoomToMarks(Workspace& ws);

} // namespace dorvik
