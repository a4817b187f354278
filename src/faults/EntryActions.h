#pragma once
// What the OK buttons of the entry windows do, apart from the windows: converting the typed probe
// numbers, building the stored entry texts, and writing the fault-entry state.

#include "view/WindowState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dorvik {

// The most characters a Nets box and a Component box take: their stored texts keep the two
// commas and the terminating zero inside their fields.
inline constexpr int NetEntryMaxLength = NetTextSize - 3;   // 77
inline constexpr int CompEntryMaxLength = CompTextSize - 3; // 47

// A whole number as typed: leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$" or "0x". Nothing else may follow, not even a blank, and the value must fit in
// 32 signed bits. Nothing when the text is not such a number.
std::optional<std::int32_t> ConvertInteger(std::string_view typed) noexcept;

// A probe box: 0 when only characters 0 to 32 were typed, else the typed text converted.
std::optional<std::int32_t> ProbeNumberOf(std::string_view typed) noexcept;

// The message shown when a probe box does not hold a whole number.
std::string InvalidIntegerMessage(std::string_view typed);

// Upper case of Latin-1 text, one byte for one byte (letters without an upper case in Latin-1,
// such as the sharp s, stay as they are).
std::string UpperCaseLatin1(std::string_view text);

// "," + the typed text in upper case + ",", unstripped; the typed text is cut at a zero byte, and
// where the result would not fit a field of fieldSize bytes with its terminating zero.
std::string EntryTextOf(std::string_view typedLatin1, std::size_t fieldSize);

// OK of the Open (mode 1) and Short (mode 2) windows. Stores the boxes' numbers in Probe1..Probe3
// in order and stops at the first box that is not a whole number, returning its position (0..2);
// the mode, zoom, pan and NewEntry change only when all boxes converted and a number was given.
std::optional<std::size_t> AcceptProbeEntry(WindowState& s,
                                            const std::array<std::string_view, 3>& boxes,
                                            std::int32_t displayMode);

// OK of the Nets window.
void AcceptNetEntry(WindowState& s, std::string_view typedLatin1);

// OK of the Component window.
void AcceptCompEntry(WindowState& s, const std::array<std::string_view, 3>& typedLatin1);

} // namespace dorvik
