#pragma once
// A small deterministic random source for the board generator: splitmix64, so a seed gives the
// same board on every compiler and standard library.

#include <cstdint>

namespace dorvik::brd {

class SplitMix64 final {
public:
    explicit SplitMix64(std::uint64_t seed) noexcept : state_(seed) {}

    std::uint64_t Next() noexcept {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A value in 0 .. n - 1 (0 when n is 0). The tiny modulo bias does not matter here.
    std::uint32_t Below(std::uint32_t n) noexcept {
        return n == 0 ? 0u : static_cast<std::uint32_t>(Next() % n);
    }

    // A value in lo .. hi, both included.
    int Between(int lo, int hi) noexcept {
        return lo + static_cast<int>(Below(static_cast<std::uint32_t>(hi - lo + 1)));
    }

    bool Percent(std::uint32_t chance) noexcept { return Below(100) < chance; }

private:
    std::uint64_t state_;
};

} // namespace dorvik::brd
