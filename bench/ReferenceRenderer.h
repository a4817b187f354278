#pragma once
// The board drawn the plain way: one QPainter call per pin circle, rectangle and name, no
// antialiasing, into the same image. The yardstick for the redraw's speed.

#include <QImage>

namespace dorvik {
struct Workspace;
}

namespace dorvik::bench {

void DrawBoardWithQPainter(const Workspace& ws, QImage& image);

} // namespace dorvik::bench
