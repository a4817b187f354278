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

    // Whether the display of the line finds everything it names: every probe number given (not 0)
    // is a pin's probe or a nail's number; the net is a nail's net; each component entry names a
    // part, and its pin numbers lie within that part's pins. Names are compared as the entry
    // windows store them, in upper case.
    bool OnBoard(const FaultLine& line) const;

private:
    struct PartInfo {
        std::string Name;
        std::int32_t Pins = 0;
    };

    std::unordered_map<std::string, std::int32_t> nailByNet_;      // first nail of each net
    std::unordered_map<std::string, std::int32_t> nailByLowerNet_; // the same, net lower case
    std::unordered_map<std::string, PartInfo> parts_;              // first part of each name
    std::unordered_map<std::string, std::string> partByLower_;
    std::unordered_set<std::int32_t> probes_; // pins' probes and nails' numbers
};

} // namespace dorvik
