// The bytes as a board file, through the reader.
#include "board/BoardData.h"
#include "board/BoardReader.h"

#include <cstdint>
#include <cstdio>

namespace {

// One set of tables for the whole run, as in the program; the counts and lengths are reset per
// input so every input reads the same however the run got there.
dorvik::BoardData& Board() {
    static dorvik::BoardData board;
    board.OutlineCount = board.PartCount = board.PinCount = board.NailCount = 0;
    board.Declared = {};
    board.PartNameLength = board.NetNameLength = 0;
    return board;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dorvik::BoardData& board = Board();
    std::FILE* file = ::fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    if (file == nullptr) {
        return 0; // an empty input: fmemopen refuses size 0
    }
    dorvik::ReadBoardFile(file, board);
    std::fclose(file);
    // Every entry within the counts must be readable, and every part's pins within the pins.
    std::int32_t end = 0;
    for (std::int32_t j = 0; j < board.PartCount; ++j) {
        end = board.PartTable[static_cast<std::size_t>(j)].PinEnd;
        if (end < 0 || end > board.PinCount) {
            __builtin_trap();
        }
    }
    return 0;
}
