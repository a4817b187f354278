#pragma once
// The program's pictures, drawn with simple shapes so that the generator reproduces them
// without depending on the fonts installed.

#include <QImage>

namespace dorvik::images {

// The tool-bar logo, 132 x 34: the name in blue with a red probe mark for the O.
[[nodiscard]] QImage DrawLogo();

// The About picture, 328 x 138: a board with parts, pins and a probe frame on one pin.
[[nodiscard]] QImage DrawAboutPicture();

// The application icon, 256 x 256: a board with a red/yellow/white probe frame.
[[nodiscard]] QImage DrawIcon();

} // namespace dorvik::images
