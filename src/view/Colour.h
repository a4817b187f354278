#pragma once
// Colours as the drawing surface takes them, 0x00BBGGRR, and the one place where they meet the
// RGB values (0xRRGGBB) that the toolkit and the script interface use.

#include <cstdint>

namespace dorvik {

struct Colour {
    std::uint32_t Value = 0; // 0x00BBGGRR

    friend constexpr bool operator==(Colour, Colour) = default;
};

constexpr Colour FromRgb(std::uint32_t rgb) noexcept {
    return Colour{((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)};
}

constexpr std::uint32_t ToRgb(Colour c) noexcept {
    return ((c.Value & 0xFF) << 16) | (c.Value & 0xFF00) | ((c.Value >> 16) & 0xFF);
}

// The program's colours, by their surface values.
namespace colours {
inline constexpr Colour Black{0x000000};
inline constexpr Colour Maroon{0x000080};
inline constexpr Colour Olive{0x008080};
inline constexpr Colour Blue{0xFF0000};
inline constexpr Colour Grey{0x808080};
inline constexpr Colour White{0xFFFFFF};
inline constexpr Colour Yellow{0x00FFFF};
inline constexpr Colour Red{0x0000FF};
inline constexpr Colour Lime{0x00FF00};  // the point query's ring and the named parts' rectangles
inline constexpr Colour Green{0x008000}; // the "BOT" caption
inline constexpr Colour Teal{0x808000};
inline constexpr Colour Purple{0x800080};
} // namespace colours

static_assert(ToRgb(colours::Blue) == 0x0000FF && FromRgb(0x800000) == colours::Maroon);

} // namespace dorvik
