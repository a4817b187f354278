#pragma once
// Placement shared by the Help and About windows.

class QSize;
class QWidget;

namespace dorvik {

// Moves a window so that a frame of the given outer size sits in the middle of its screen's
// available area.
void CentreOnScreen(QWidget& window, const QSize& outerSize);

} // namespace dorvik
