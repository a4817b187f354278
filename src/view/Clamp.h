#pragma once
// Conversions to int32 that are defined for every input: pixel positions computed far outside the
// drawing area are clamped instead of overflowing.

#include <cstdint>
#include <limits>

namespace dorvik {

constexpr std::int32_t ClampToInt32(std::int64_t v) noexcept {
    if (v < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (v > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(v);
}

// Toward zero; beyond the int32 range clamped, NaN gives 0.
constexpr std::int32_t TruncateToInt32(double v) noexcept {
    if (!(v == v)) {
        return 0;
    }
    if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(v);
}

} // namespace dorvik
