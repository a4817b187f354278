#pragma once
// Turning an IPC-D-356 netlist into a board file of this program's own format, so that a line
// can make its fixture file once and open it like any other.

#include "board/BoardData.h"
#include "board/Ipc356Reader.h"

#include <string>
#include <string_view>

namespace dorvik::brd {

struct ImportResult {
    NetlistRead Read;         // findings and counts of the netlist reader
    std::string Stored;       // the board file's bytes; empty when Read.Error is set
    bool NotANetlist = false; // the bytes do not read as a netlist at all
};

ImportResult ImportNetlist(std::string_view netlist, const NetlistOptions& options);
// The same, reading into the given tables instead of tables of its own.
ImportResult ImportNetlist(std::string_view netlist, const NetlistOptions& options,
                           BoardData& tables);

} // namespace dorvik::brd
