#include "shell/VirtualKeys.h"

#include <gtest/gtest.h>

namespace dorvik {
namespace {

struct KeyCase {
    int QtKey;
    Qt::KeyboardModifiers Modifiers;
    int Expected;
};

TEST(VirtualKeys, MapsTheKeysOfTheKeyTables) {
    const Qt::KeyboardModifiers none;
    const KeyCase cases[] = {
        {Qt::Key_Escape, none, 27},
        {Qt::Key_Return, none, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Space, none, 32},
        {Qt::Key_Home, none, 36},
        {Qt::Key_Home, Qt::KeypadModifier, 36}, // keypad 7 with Num Lock off
        {Qt::Key_Left, none, 37},
        {Qt::Key_Up, none, 38},
        {Qt::Key_Right, none, 39},
        {Qt::Key_Down, Qt::KeypadModifier, 40},
        {Qt::Key_A, none, 65},
        {Qt::Key_O, Qt::ShiftModifier, 79},
        {Qt::Key_O, Qt::ControlModifier, 79},
        {Qt::Key_Z, none, 90},
        {Qt::Key_0, none, 48},
        {Qt::Key_9, none, 57},
        {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_9, Qt::KeypadModifier, 105},
        {Qt::Key_F1, none, 112},
        {Qt::Key_F12, none, 123},
        // The main keyboard's + and - keys, shifted or not, and the keypad's.
        {Qt::Key_Plus, none, 187},
        {Qt::Key_Equal, none, 187},
        {Qt::Key_Plus, Qt::ShiftModifier, 187},
        {Qt::Key_Minus, none, 189},
        {Qt::Key_Underscore, Qt::ShiftModifier, 189},
        {Qt::Key_Plus, Qt::KeypadModifier, 107},
        {Qt::Key_Minus, Qt::KeypadModifier, 109},
        // Keys without a code.
        {Qt::Key_unknown, none, 0},
        {Qt::Key_Launch0, none, 0},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(VirtualKeyCode(c.QtKey, c.Modifiers), c.Expected)
            << "Qt key 0x" << std::hex << c.QtKey << " modifiers 0x" << c.Modifiers.toInt();
    }
}

} // namespace
} // namespace dorvik
