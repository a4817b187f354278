#pragma once
// The four fault entry windows (Open, Short, Nets, Component), shown modally from the main window.

class QWidget;

namespace dorvik {

struct Workspace;

enum class EntryKind { Open, Short, Net, Comp };

// Creates the window afresh, owned by `owner`, shows it modally and destroys it. The caller
// repaints and redraws afterwards, whether or not OK was pressed.
void RunEntryWindow(QWidget* owner, Workspace& ws, EntryKind kind);

} // namespace dorvik
