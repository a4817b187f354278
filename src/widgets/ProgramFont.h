#pragma once
// The font of every window. The window layouts were made for a narrow Windows system font, which
// Debian does not have; Liberation Sans (package fonts-liberation2) has the advances of the common
// Windows sans, and with full hinting every glyph advance is a whole pixel as on that system, so
// every caption fits the control it was laid out in.

#include <QFont>

namespace dorvik {

inline constexpr const char* ProgramFontFamily = "Liberation Sans";

// The program font at a character height in pixels.
QFont ProgramFont(int pixelHeight, bool bold = false);

// Each window sets the program font on itself; a child window (a menu, a dialog) does not take
// its parent's font and sets it too. The application font stays the toolkit's, so the labels
// of the drawing, which use it, do not change.

} // namespace dorvik
