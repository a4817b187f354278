#pragma once
// Opening a file as a board: a board file of the fixture, or an IPC-D-356 netlist exported by a
// CAD tool. The kind is told by the file's content, not by its name.

#include "board/BoardData.h"
#include "board/BoardReader.h"
#include "board/Ipc356Reader.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace dorvik {

enum class BoardFileKind : std::uint8_t { BoardFile, Netlist };

// The kind of a file from its first bytes (a few kilobytes are plenty): a netlist's first
// non-blank line starts with one of the format's operation codes (C, P or three digits); a board
// file is stored transformed and never starts so.
BoardFileKind DetectBoardFileKind(std::string_view head) noexcept;

struct BoardOpenResult {
    BoardFileKind Kind = BoardFileKind::BoardFile;
    std::optional<NetlistRead> Netlist; // what the netlist reader found, for a netlist
    ReadSummary Board;                  // what the board-file reader found, for a board file
    // The system's error number when reading the file failed midway, else 0.
    int ReadError() const noexcept { return Netlist ? Netlist->ReadError : Board.ReadError; }
};

// Reads the open file with the reader of its kind into the tables.
BoardOpenResult ReadBoardOrNetlist(std::FILE* file, BoardData& board,
                                   const NetlistOptions& options = {});

// What the operator is told after a netlist was read: one line (empty when there is nothing to
// say), and every finding, one a line, for whoever wants the details.
struct NetlistNotice {
    std::string Summary;
    std::string Details;
};
NetlistNotice DescribeNetlistRead(const NetlistRead& read);

} // namespace dorvik
