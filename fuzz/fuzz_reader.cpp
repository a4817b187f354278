// The bytes as a board file, through the reader, with an observer taking every finding the way
// `dorvik-brd check` does.
#include "board/BoardData.h"
#include "board/BoardReader.h"
#include "support/BoardText.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

// One set of tables for the whole run, as in the program; the counts and lengths are reset per
// input so every input reads the same however the run got there.
dorvik::BoardData& Board() {
    static dorvik::BoardData board;
    dorvik::test::ForgetTables(board);
    return board;
}

// Keeps a copy of every finding's text, as the checker does, so that the sanitizers see each
// byte the reader composed; every line number must be a real one.
class Observer final : public dorvik::ReadObserver {
public:
    void Finding(std::int64_t lineNumber, dorvik::ReadFinding, std::string_view detail) override {
        if (lineNumber < 0) {
            __builtin_trap();
        }
        last_.assign(detail);
    }
    void DataLine(std::int64_t lineNumber, dorvik::Section) override {
        if (lineNumber <= 0) {
            __builtin_trap();
        }
    }

private:
    std::string last_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dorvik::BoardData& board = Board();
    std::FILE* file = ::fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    if (file == nullptr) {
        return 0; // an empty input: fmemopen refuses size 0
    }
    Observer observer;
    dorvik::ReadBoardFile(file, board, &observer);
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
