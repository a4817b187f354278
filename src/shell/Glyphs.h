#pragma once
// Button glyphs from strips of two images side by side: the normal look, then the disabled look.

#include <QIcon>
#include <QImage>

namespace dorvik {

// The icon of a glyph strip. A strip narrower than two pixels serves both looks.
QIcon GlyphIcon(const QImage& strip);

} // namespace dorvik
