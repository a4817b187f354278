#pragma once
// How the displays match board names against the entry texts, which hold their names between
// commas (",U321,22,123,").

#include "board/BoardData.h"

#include <string_view>

namespace dorvik {

// Whether `list` holds `name` with a comma right before and right after it, that is whether
// "," + name + "," occurs inside it.
constexpr bool ContainsDelimited(std::string_view list, std::string_view name) noexcept {
    if (list.size() < name.size() + 2) {
        return false;
    }
    const std::size_t last = list.size() - name.size() - 2;
    for (std::size_t i = 0; i <= last; ++i) {
        if (list[i] == ',' && list[i + 1 + name.size()] == ',' &&
            list.substr(i + 1, name.size()) == name) {
            return true;
        }
    }
    return false;
}

// An entry text without its opening comma and closing comma: the text as it was typed.
constexpr std::string_view TypedPart(std::string_view entry) noexcept {
    return entry.size() < 2 ? std::string_view{} : entry.substr(1, entry.size() - 2);
}

// Whether an entry text names nothing: the comma pair, or empty before the first redraw.
constexpr bool NamesNothing(std::string_view entry) noexcept {
    return entry.empty() || entry == ",,";
}

static_assert(ContainsDelimited(",GND,VCC,", "VCC") && !ContainsDelimited(",GND,", "ND"));
static_assert(ContainsDelimited(",,", "") && !ContainsDelimited(",", ""));

} // namespace dorvik
