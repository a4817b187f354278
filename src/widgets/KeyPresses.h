#pragma once
// The keys pressed in one window and not yet released. A window acts on a key's release only
// when the press came to it too: the release of a key pressed in another window (the Esc that
// closed a menu or a message box, the Enter that answered a box) must not act a second time.

#include <QtGlobal>

#include <vector>

class QKeyEvent;

namespace dorvik {

class KeyPresses final {
public:
    // Remembers a press; the repeats of a held key add nothing.
    void Press(const QKeyEvent& event);
    // True when the release matches a remembered press, which is then forgotten. An auto-repeat
    // release never matches.
    bool Release(const QKeyEvent& event);
    // Forgets every press, e.g. when the window loses the keyboard.
    void Clear() noexcept { held_.clear(); }

private:
    struct Held {
        int Key;
        quint32 ScanCode; // 0 when the event did not come from a keyboard
    };
    std::vector<Held> held_;
};

} // namespace dorvik
