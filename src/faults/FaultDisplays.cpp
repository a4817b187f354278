#include "faults/FaultDisplays.h"

#include "faults/DisplayRun.h"
#include "view/Workspace.h"

namespace dorvik {

void InstallFaultDisplays(Workspace& ws) {
    ws.FaultDisplays = {DrawOpenDisplay, DrawShortDisplay, DrawNetDisplay, DrawCompDisplay};
}

void MarkProbes(Workspace& ws, std::int32_t farSide) {
    DisplayRun run(ws, farSide);
    run.MarkProbes();
}

} // namespace dorvik
