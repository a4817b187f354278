#include "faults/NailIndex.h"

#include <algorithm>
#include <span>
#include <utility>

namespace dorvik {

NailIndex::NailIndex(const BoardData& board) {
    const std::span<const NailEntry> nails = board.Nails();
    const std::size_t count = nails.size();
    std::vector<std::pair<std::int32_t, std::int32_t>> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries.emplace_back(nails[i].Number, static_cast<std::int32_t>(i));
    }
    std::sort(entries.begin(), entries.end());
    numbers_.reserve(count);
    nails_.reserve(count);
    for (const auto& [number, nail] : entries) {
        numbers_.push_back(number);
        nails_.push_back(nail);
    }
}

NailRange NailIndex::Find(std::int32_t number) const noexcept {
    const auto [first, last] = std::equal_range(numbers_.begin(), numbers_.end(), number);
    return {static_cast<std::size_t>(first - numbers_.begin()),
            static_cast<std::size_t>(last - numbers_.begin())};
}

} // namespace dorvik
