#pragma once
// Showing a fault line: exactly what OK in the matching entry window does with the same texts,
// followed by the redraw that comes after every entry window.

#include "report/FaultLine.h"

namespace dorvik {

struct Workspace;
struct WindowState;

// The state change of OK in the Open, Short, Nets or Component window given the line's items.
// False when a probe number does not convert (the window would stay open; nothing changes).
bool ApplyFaultLine(WindowState& s, const FaultLine& line);

// ApplyFaultLine, then the redraw.
void SelectFaultLine(Workspace& ws, const FaultLine& line);

} // namespace dorvik
