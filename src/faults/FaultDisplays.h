#pragma once
// The four fault displays and the probe marking they share.

#include <cstdint>

namespace dorvik {

struct Workspace;

// Puts the open, short, net and component displays into the workspace's redraw.
void InstallFaultDisplays(Workspace& ws);

void DrawOpenDisplay(Workspace& ws);
void DrawShortDisplay(Workspace& ws);
void DrawNetDisplay(Workspace& ws);
void DrawCompDisplay(Workspace& ws);

// Frames the nails numbered Probe1..Probe3 in white, yellow and red, and once per entry turns
// the board over when everything found lies on farSide.
void MarkProbes(Workspace& ws, std::int32_t farSide);

} // namespace dorvik
