#pragma once
// The character transformation of board files: every stored byte of a line stands for one
// character. Reading rotates the byte left by two bits and inverts it; writing does the reverse.

#include <array>
#include <cstdint>

namespace dorvik {

constexpr std::uint8_t DecodeByte(std::uint8_t stored) noexcept {
    return static_cast<std::uint8_t>(~((stored << 2) | (stored >> 6)));
}

constexpr std::uint8_t EncodeByte(std::uint8_t character) noexcept {
    const auto inverted = static_cast<std::uint8_t>(~character);
    return static_cast<std::uint8_t>((inverted >> 2) | (inverted << 6));
}

// Table form of DecodeByte for the reader's inner loop.
inline constexpr std::array<std::uint8_t, 256> DecodeTable = [] {
    std::array<std::uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        table[static_cast<std::size_t>(b)] = DecodeByte(static_cast<std::uint8_t>(b));
    }
    return table;
}();

static_assert(DecodeByte(0xA7) == 'a' && DecodeByte(0x67) == 'b' && DecodeByte(0x27) == 'c');
static_assert(EncodeByte('a') == 0xA7);

} // namespace dorvik
