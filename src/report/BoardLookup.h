#pragma once
// The board's names as the report translation and the on-board check look them up: built once
// per report, so that a report of thousands of faults does not scan the tables per name.

#include "board/BoardData.h"
#include "report/FaultLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace dorvik {

class BoardLookup final {
public:
    explicit BoardLookup(const BoardData& board);

    // The Number of the first nail in table order on net `node`: an exact match first, else the
    // first matching it ignoring case.
    std::optional<std::int32_t> NailOfNode(std::string_view node) const;
    // The name of the part called `device`, exactly, else ignoring case.
    std::optional<std::string> PartOfDevice(std::string_view device) const;

    // Whether the display of the line shows everything the line names, matching names as the
    // displays do: the entry windows store the typed text in upper case, and a board name is
    // found when the stored text holds it between commas, exactly as the board writes it (so a
    // board name in lower case is never found). Open and short: every probe number given (not 0)
    // is a pin's probe or a nail's number. Net: the text holds one net's name and nothing else.
    // Comp: each entry holds a part's name, and every other field is the number of a pin that
    // entry marks (a pin of a part it is the first entry to name).
    bool OnBoard(const FaultLine& line) const;

private:
    bool NetShown(std::string_view item) const;
    bool CompShown(const FaultLine& line) const;

    std::unordered_map<std::string, std::int32_t> nailByNet_;      // first nail of each net
    std::unordered_map<std::string, std::int32_t> nailByLowerNet_; // the same, net lower case
    std::unordered_map<std::string, std::int32_t> partPins_; // most pins of a part of each name
    std::unordered_map<std::string, std::string> partByLower_;
    std::unordered_set<std::int32_t> probes_; // pins' probes and nails' numbers
    bool namesWithCommas_ = false;            // a name may then span fields of an entry
};

} // namespace dorvik
