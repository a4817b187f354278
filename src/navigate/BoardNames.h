#pragma once
// The board's part names and net names, sorted for finding one as it is typed: completion of a
// beginning, and the lookup of a whole name.

#include "board/BoardData.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dorvik {

class BoardNames final {
public:
    enum class Kind { None, Part, Net };

    struct Found {
        Kind What = Kind::None;
        std::string Name; // as the board writes it
    };

    BoardNames() = default;
    // Every part name, and every net name of the pins and nails, as the tables stand now.
    explicit BoardNames(const BoardData& board);

    // Up to `limit` distinct names beginning with `prefix`, case ignored, in alphabetical order
    // (case ignored). An empty prefix gives none.
    std::vector<std::string_view> Complete(std::string_view prefix, std::size_t limit) const;

    // The name typed: written exactly so first, else the first that differs only in case; a
    // part before a net of the same name.
    Found Lookup(std::string_view typed) const;

    std::size_t Size() const noexcept { return entries_.size(); }

private:
    struct Entry {
        std::string Key;  // lower case, the sort key
        std::string Name; // as written
        bool Part = false;
        bool Net = false;
    };
    // The first entry whose key is not below `key`.
    std::vector<Entry>::const_iterator LowerBound(std::string_view key) const;

    std::vector<Entry> entries_; // by Key, then Name; each Name once
};

// Lower case of Latin-1 text, byte for byte, as the names are compared.
std::string LowerCaseLatin1(std::string_view text);

} // namespace dorvik
