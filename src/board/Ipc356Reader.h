#pragma once
// Reads an IPC-D-356 / 356A test netlist into the board tables: the parts are the reference
// designators, their pins the pads, and the nails those a tester's fixture would have, one on
// each net that can be probed from the probing side. See docs/ipc-d-356.md for the mapping.

#include "board/BoardData.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvik {

// The side of the board the fixture's nails touch.
enum class ProbeSide : std::uint8_t { Bottom, Top, Both };

struct NetlistOptions {
    ProbeSide Probing = ProbeSide::Bottom;
};

// A message about the netlist; Line is counted from 1, 0 for the whole file.
struct NetlistMessage {
    int Line = 0;
    std::string Text;
};

struct NetlistCounts {
    std::int32_t Parts = 0;         // parts stored
    std::int32_t Pins = 0;          // pins stored, one per pad record of a part
    std::int32_t Nets = 0;          // distinct nets on pads, holes and vias (N/C excluded)
    std::int32_t Vias = 0;          // records of reference designator VIA
    std::int32_t TestPoints = 0;    // pads of parts whose name starts with TP
    std::int32_t Nails = 0;         // nails stored
    std::int32_t Continuations = 0; // 017 / 027 records: more layers of a feature already read
    bool BoardEdge = false;         // the outline came from a BOARD_EDGE record
};

// At most this many findings are kept; the rest are only counted.
inline constexpr std::size_t NetlistFindingsKept = 50;

struct NetlistRead {
    // Set when nothing could be stored; the tables are then as they were.
    std::optional<NetlistMessage> Error;
    // Records skipped, names cut, tables full: the board was stored all the same.
    std::vector<NetlistMessage> Findings;
    std::int64_t FindingsLeftOut = 0;
    NetlistCounts Counts;
    int ReadError = 0; // the system's error number when reading the file failed midway, else 0
};

// Reads the netlist to its end (or to its 999 record) and, unless it holds no pad of a part,
// replaces the board in the tables.
NetlistRead ReadNetlist(std::FILE* file, BoardData& board, const NetlistOptions& options = {});
NetlistRead ReadNetlist(std::string_view text, BoardData& board,
                        const NetlistOptions& options = {});

} // namespace dorvik
