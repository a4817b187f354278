#pragma once
// The synthetic board generator: realistic boards of any size up to the full capacity of every
// table, the same board for the same options on every platform.

#include "GeneratedBoard.h"

#include <cstdint>
#include <string>

namespace dorvik::brd {

struct GenerateOptions {
    std::int32_t Parts = 100;
    std::uint64_t Seed = 1;
    bool Full = false; // every table filled to its capacity; Parts is then the part capacity
};

// The options the bundled demo board is made with.
inline constexpr GenerateOptions DemoOptions{100, 20, false};

GeneratedBoard GenerateBoard(const GenerateOptions& options);

// The board in the stored form, ready to be written to a file.
std::string GenerateStored(const GenerateOptions& options);

} // namespace dorvik::brd
