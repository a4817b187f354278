#include "ArrowGlyphs.h"

namespace dorvik::images {
namespace {

// The up arrow on a 16 x 16 grid: a head widening by one pixel a side per row, then a shaft.
bool InUpArrow(int x, int y) {
    if (x < 0 || y < 0 || x >= kGlyphSide || y >= kGlyphSide) {
        return false;
    }
    if (y >= 1 && y <= 7) {
        return x >= 8 - y && x <= 7 + y;
    }
    return y >= 8 && y <= 14 && x >= 5 && x <= 10;
}

// The other directions are the up arrow seen through a reflection of the grid; the up arrow is
// symmetric about its vertical axis, so a transpose turns it to point left.
bool InArrow(ArrowDirection direction, int x, int y) {
    const int last = kGlyphSide - 1;
    switch (direction) {
    case ArrowDirection::Up:
        return InUpArrow(x, y);
    case ArrowDirection::Down:
        return InUpArrow(x, last - y);
    case ArrowDirection::Left:
        return InUpArrow(y, x);
    case ArrowDirection::Right:
        return InUpArrow(y, last - x);
    }
    return false;
}

// An arrow pixel with a side neighbour outside the arrow belongs to the outline.
bool OnOutline(ArrowDirection direction, int x, int y) {
    return !InArrow(direction, x - 1, y) || !InArrow(direction, x + 1, y) ||
           !InArrow(direction, x, y - 1) || !InArrow(direction, x, y + 1);
}

} // namespace

IndexedImage MakeArrowStrip(ArrowDirection direction) {
    IndexedImage strip{2 * kGlyphSide, kGlyphSide,
                       std::vector<std::uint8_t>(2 * kGlyphSide * kGlyphSide, kOlive)};
    for (int y = 0; y < kGlyphSide; ++y) {
        for (int x = 0; x < kGlyphSide; ++x) {
            const int greyX = x + kGlyphSide;
            if (InArrow(direction, x, y)) {
                const bool outline = OnOutline(direction, x, y);
                strip.Set(x, y, outline ? kBlack : kRed);
                strip.Set(greyX, y, outline ? kGrey : kSilver);
            } else if (InArrow(direction, x - 1, y - 1)) {
                // The greyed arrow looks pressed into the face: a white edge below and right.
                strip.Set(greyX, y, kWhite);
            }
        }
    }
    return strip;
}

} // namespace dorvik::images
