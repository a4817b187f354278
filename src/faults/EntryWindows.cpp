#include "faults/EntryWindows.h"

#include "faults/EntryForms.h"

namespace dorvik {

void RunEntryWindow(QWidget* owner, Workspace& ws, EntryKind kind) {
    const std::unique_ptr<EntryForm> form = MakeEntryForm(kind, ws, owner);
    form->exec();
}

} // namespace dorvik
