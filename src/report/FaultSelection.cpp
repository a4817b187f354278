#include "report/FaultSelection.h"

#include "faults/EntryActions.h"
#include "view/Render.h"
#include "view/Workspace.h"

#include <array>

namespace dorvik {

namespace {

// The boxes of a window as the line fills them; boxes it does not fill stay empty.
std::array<std::string_view, 3> Boxes(const FaultLine& line) noexcept {
    std::array<std::string_view, 3> boxes{};
    for (std::size_t k = 0; k < boxes.size() && k < line.Items.size(); ++k) {
        boxes[k] = line.Items[k];
    }
    return boxes;
}

} // namespace

bool ApplyFaultLine(WindowState& s, const FaultLine& line) {
    switch (line.Kind) {
    case LineKind::Open:
        return !AcceptProbeEntry(s, Boxes(line), OpenDisplay).has_value();
    case LineKind::Short:
        return !AcceptProbeEntry(s, Boxes(line), ShortDisplay).has_value();
    case LineKind::Net:
        AcceptNetEntry(s, line.Items.empty() ? std::string_view{} : line.Items.front());
        return true;
    case LineKind::Comp:
        AcceptCompEntry(s, Boxes(line));
        return true;
    }
    return false;
}

void SelectFaultLine(Workspace& ws, const FaultLine& line) {
    ApplyFaultLine(ws.State, line);
    Redraw(ws);
}

} // namespace dorvik
