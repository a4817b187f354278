#pragma once
// The main window's key table: which command a released key runs.

#include <cstdint>

namespace dorvik {

struct Workspace;

enum class KeyCommand {
    None,
    Exit,       // Esc, E
    ChangeSide, // Space
    Home,       // Home
    PanLeft,    // arrows
    PanUp,
    PanRight,
    PanDown,
    Component,  // C
    Help,       // H, F1
    Net,        // N
    Open,       // O
    TurnBoard,  // R
    Short,      // S
    ToggleText, // V
    ZoomIn,     // keypad + (107), main keyboard + (187)
    ZoomOut,    // keypad - (109), main keyboard - (189)
};

// Virtual-key codes (the classic Windows codes) of the keys in the table.
namespace vk {
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int F1 = 112;
inline constexpr int KeypadPlus = 107;
inline constexpr int KeypadMinus = 109;
inline constexpr int Plus = 187;
inline constexpr int Minus = 189;
} // namespace vk

KeyCommand CommandForKey(int virtualKey) noexcept;

// Runs a key command that only changes the view (zoom, pan, home, turn, side, labels); the
// window runs the others (windows, exit). Returns whether it ran the command.
bool RunViewCommand(Workspace& ws, KeyCommand command);

} // namespace dorvik
