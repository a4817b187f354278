#pragma once
// The nails of the board by number, so that marking a probe finds its nails without scanning the
// whole nail table.

#include "board/BoardData.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dorvik {

// The positions [Begin, End) of one number's nails in a NailIndex.
struct NailRange {
    std::size_t Begin = 0;
    std::size_t End = 0;

    bool Empty() const noexcept { return Begin == End; }
    std::size_t Size() const noexcept { return End - Begin; }
};

class NailIndex final {
public:
    // Indexes the nails 0 .. NailCount - 1 as they stand now.
    explicit NailIndex(const BoardData& board);

    // The nails numbered `number`; their table indices ascend along the range.
    NailRange Find(std::int32_t number) const noexcept;
    // The table index of the nail at a position of a range.
    std::int32_t NailAt(std::size_t position) const noexcept { return nails_[position]; }
    // Positions in the index: one per nail indexed.
    std::size_t Size() const noexcept { return nails_.size(); }

private:
    std::vector<std::int32_t> numbers_; // ascending
    std::vector<std::int32_t> nails_;   // table indices, parallel to numbers_
};

} // namespace dorvik
