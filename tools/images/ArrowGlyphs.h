#pragma once
// The arrow glyph strips of the tool bar and the Help window: two 16 x 16 images side by side,
// the arrow as it is normally seen, then the same arrow greyed for a disabled button.

#include "BmpWriter.h"

namespace dorvik::images {

enum class ArrowDirection { Up, Left, Down, Right };

inline constexpr int kGlyphSide = 16;

// A 32 x 16 strip: a red arrow outlined in black on an olive square, then its greyed copy.
[[nodiscard]] IndexedImage MakeArrowStrip(ArrowDirection direction);

} // namespace dorvik::images
