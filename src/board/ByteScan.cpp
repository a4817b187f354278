#include "board/ByteScan.h"

#include "board/CharCodec.h"

#include <array>
#include <cstdint>

namespace dorvik {

namespace {

// 1 for the bytes that a board stream passes on unchanged within a line.
constexpr std::array<std::uint8_t, 256> OrdinaryBytes = [] {
    std::array<std::uint8_t, 256> table{};
    table.fill(1);
    for (const std::size_t b : {0x0A, 0x0D, 0x1A, 0xFF}) {
        table[b] = 0;
    }
    return table;
}();

// 1 for the characters that separate tokens.
constexpr std::array<std::uint8_t, 256> WhiteBytes = [] {
    std::array<std::uint8_t, 256> table{};
    for (const unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'}) {
        table[c] = 1;
    }
    return table;
}();

bool IsWhite(char c) noexcept {
    return WhiteBytes[static_cast<unsigned char>(c)] != 0;
}

} // namespace

std::size_t OrdinaryRun(const char* first) noexcept {
    const char* last = first;
    while (OrdinaryBytes[static_cast<unsigned char>(*last)] != 0) {
        ++last;
    }
    return static_cast<std::size_t>(last - first);
}

void DecodeBytes(const char* stored, std::size_t n, char* text) noexcept {
    for (std::size_t i = 0; i < n; ++i) {
        text[i] = static_cast<char>(DecodeTable[static_cast<unsigned char>(stored[i])]);
    }
}

std::size_t SkipWhite(std::string_view text, std::size_t i) noexcept {
    while (i < text.size() && IsWhite(text[i])) {
        ++i;
    }
    return i;
}

std::size_t SkipToken(std::string_view text, std::size_t i) noexcept {
    while (i < text.size() && !IsWhite(text[i])) {
        ++i;
    }
    return i;
}

} // namespace dorvik
