#include "faults/EntryActions.h"

#include <limits>

namespace dorvik {

namespace {

int DigitValue(char c, int base) noexcept {
    int value = 99;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

bool IsBlank(char c) noexcept {
    return static_cast<unsigned char>(c) <= 32;
}

// Zoom 1, no pan, the display chosen, and the automatic side check armed for the new entry.
void SelectDisplay(WindowState& s, std::int32_t displayMode) noexcept {
    s.Zoom = 1.0f;
    s.PanX = 0;
    s.PanY = 0;
    s.DisplayMode = displayMode;
    s.NewEntry = 'T';
}

} // namespace

std::optional<std::int32_t> ConvertInteger(std::string_view typed) noexcept {
    std::size_t i = 0;
    while (i < typed.size() && typed[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < typed.size() && (typed[i] == '+' || typed[i] == '-')) {
        negative = typed[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < typed.size() && typed[i] == '$') {
        base = 16;
        ++i;
    } else if (typed.substr(i, 2) == "0x") {
        base = 16;
        i += 2;
    }
    if (i == typed.size()) {
        return std::nullopt; // no digits
    }
    // The magnitude may reach 2^31 for the most negative number.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < typed.size(); ++i) {
        const int digit = DigitValue(typed[i], base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    if (!negative && magnitude == limit) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::optional<std::int32_t> ProbeNumberOf(std::string_view typed) noexcept {
    std::size_t first = 0;
    while (first < typed.size() && IsBlank(typed[first])) {
        ++first;
    }
    if (first == typed.size()) {
        return 0;
    }
    return ConvertInteger(typed); // as typed: a blank after the number makes it fail
}

std::string InvalidIntegerMessage(std::string_view typed) {
    return "'" + std::string(typed) + "' is not a valid integer value";
}

std::string UpperCaseLatin1(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        const auto b = static_cast<unsigned char>(c);
        const bool ascii = b >= 'a' && b <= 'z';
        const bool accented = b >= 0xE0 && b <= 0xFE && b != 0xF7; // not the division sign
        if (ascii || accented) {
            c = static_cast<char>(b - 0x20);
        }
    }
    return upper;
}

std::string EntryTextOf(std::string_view typedLatin1, std::size_t fieldSize) {
    // The field is a zero-terminated text: a zero byte typed into the box would end it before
    // its closing comma.
    const std::string_view typed = typedLatin1.substr(0, typedLatin1.find('\0'));
    const std::size_t room = fieldSize >= 3 ? fieldSize - 3 : 0;
    return "," + UpperCaseLatin1(typed.substr(0, room)) + ",";
}

std::optional<std::size_t> AcceptProbeEntry(WindowState& s,
                                            const std::array<std::string_view, 3>& boxes,
                                            std::int32_t displayMode) {
    std::int32_t* const probes[3] = {&s.Probe1, &s.Probe2, &s.Probe3};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<std::int32_t> number = ProbeNumberOf(boxes[k]);
        if (!number) {
            return k;
        }
        *probes[k] = *number;
    }
    if (s.Probe1 != 0 || s.Probe2 != 0 || s.Probe3 != 0) {
        SelectDisplay(s, displayMode);
    }
    return std::nullopt;
}

void AcceptNetEntry(WindowState& s, std::string_view typedLatin1) {
    SetText(s.NetText, EntryTextOf(typedLatin1, NetTextSize));
    if (!IsEmptyList(s.NetText)) {
        SelectDisplay(s, NetDisplay);
    }
}

void AcceptCompEntry(WindowState& s, const std::array<std::string_view, 3>& typedLatin1) {
    EntryText<CompTextSize>* const texts[3] = {&s.CompText1, &s.CompText2, &s.CompText3};
    bool any = false;
    for (std::size_t k = 0; k < 3; ++k) {
        SetText(*texts[k], EntryTextOf(typedLatin1[k], CompTextSize));
        any = any || !IsEmptyList(*texts[k]);
    }
    if (any) {
        SelectDisplay(s, CompDisplay);
    }
}

} // namespace dorvik
