#pragma once
// Pixel offsets that cannot overflow: the mappings may put a far-away item at the ends of the
// int32 range, and a mark drawn around it must not wrap to the other side of the picture.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace dorvik {

constexpr int Shifted(std::int32_t pixel, std::int64_t offset) noexcept {
    return static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(pixel) + offset,
                                                     std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max()));
}

static_assert(Shifted(std::numeric_limits<std::int32_t>::max(), 9) ==
              std::numeric_limits<std::int32_t>::max());

} // namespace dorvik
