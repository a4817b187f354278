#include "widgets/KeyPresses.h"

#include <QKeyEvent>

#include <algorithm>

namespace dorvik {
namespace {

// A bounded memory: a window that never sees releases (its keyboard taken by a popup) must not
// collect presses without end.
constexpr std::size_t MaxHeld = 16;

} // namespace

void KeyPresses::Press(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return;
    }
    if (held_.size() == MaxHeld) {
        held_.erase(held_.begin());
    }
    held_.push_back({event.key(), event.nativeScanCode()});
}

bool KeyPresses::Release(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return false;
    }
    // A physical key is known by its scan code, whatever the modifiers make of its key code in
    // between; a key without one (sent by a program) by its key code.
    const quint32 scanCode = event.nativeScanCode();
    const auto match = std::find_if(held_.begin(), held_.end(), [&](const Held& held) {
        return scanCode != 0 && held.ScanCode != 0 ? held.ScanCode == scanCode
                                                   : held.Key == event.key();
    });
    if (match == held_.end()) {
        return false;
    }
    held_.erase(match);
    return true;
}

} // namespace dorvik
