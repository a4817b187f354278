#pragma once
// Integer arithmetic that is defined for every input: the pixel mappings may put a far-away item
// at the ends of the int32 range, and a mark drawn around it, or a pan step added to it, must
// clamp there instead of overflowing or wrapping to the other side of the picture.

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

// a + b, clamped to the int32 range.
constexpr std::int32_t SaturatingAdd(std::int32_t a, std::int64_t b) noexcept {
    return ClampToInt32(std::int64_t{a} + b);
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

static_assert(SaturatingAdd(std::numeric_limits<std::int32_t>::max(), 9) ==
              std::numeric_limits<std::int32_t>::max());
static_assert(TruncateToInt32(-2.9) == -2);

} // namespace dorvik
