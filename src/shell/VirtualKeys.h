#pragma once
// The toolkit's keys as the virtual-key codes of the key tables: the classic Windows codes, so
// that 187 and 189 are the main keyboard's + and - keys and 107 and 109 the numeric keypad's.

#include <Qt>

namespace dorvik {

// The virtual-key code of a released key, or 0 for a key the program has no code for.
int VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) noexcept;

} // namespace dorvik
