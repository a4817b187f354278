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

// Makes the program font, 11 pixels high, the default of every widget: menus, message boxes and
// the file dialog. The application font itself stays, so the drawing's labels do not change.
void UseProgramFontInWidgets();

} // namespace dorvik
