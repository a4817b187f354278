#pragma once
// Truncation of the navigation arithmetic's floating-point results to int32, safe for every input.

#include <cstdint>
#include <limits>

namespace dorvik {

// Toward zero; values beyond the int32 range are clamped and NaN gives 0, so that no conversion
// is ever undefined.
constexpr std::int32_t TruncToInt(double v) noexcept {
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (!(v == v)) {
        return 0;
    }
    if (v <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (v >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(v);
}

// a + b, clamped to the int32 range instead of overflowing.
constexpr std::int32_t SaturatingAdd(std::int32_t a, std::int32_t b) noexcept {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    if (sum < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (sum > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(sum);
}

} // namespace dorvik
