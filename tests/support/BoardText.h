#pragma once
// Test helpers: board files written as readable plain text, stored and read like real files.

#include "board/BoardData.h"
#include "board/BoardReader.h"
#include "board/CharCodec.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace dorvik::test {

// The stored form of plain text: every byte but the line feed transformed.
inline std::string Encode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c == '\n' ? '\n' : static_cast<char>(EncodeByte(static_cast<std::uint8_t>(c)));
    }
    return out;
}

// Reads stored bytes through the reader, as Open File does with a file.
inline ReadSummary ReadStored(BoardData& board, const std::string& stored,
                              ReadObserver* observer = nullptr) {
    std::FILE* f = std::tmpfile();
    std::fwrite(stored.data(), 1, stored.size(), f);
    std::rewind(f);
    const ReadSummary summary = ReadBoardFile(f, board, observer);
    std::fclose(f);
    return summary;
}

inline ReadSummary ReadText(BoardData& board, std::string_view text,
                            ReadObserver* observer = nullptr) {
    return ReadStored(board, Encode(text), observer);
}

// Forgets the board, as a fresh start of the program would, but keeps the tables' contents
// (a real program reads over them too).
inline void ForgetTables(BoardData& b) {
    b.OutlineCount = b.PartCount = b.PinCount = b.NailCount = 0;
    b.Declared = {};
    b.PartNameLength = b.NetNameLength = 0;
}

// The small board of the file format's worked example.
inline constexpr std::string_view WorkedExample = "str_length:\n"
                                                  "12 16\n"
                                                  "var_data:\n"
                                                  "5 2 5 2 0 0\n"
                                                  "Format:\n"
                                                  "0 0\n"
                                                  "3000 0\n"
                                                  "3000 2000\n"
                                                  "0 2000\n"
                                                  "0 0\n"
                                                  "Parts:\n"
                                                  "U1 5 4\n"
                                                  "R7 1 5\n"
                                                  "Pins:\n"
                                                  "1000 1000 12 0 VCC\n"
                                                  "1100 1000 -99 0 N0001\n"
                                                  "1100 1100 13 0 GND\n"
                                                  "1000 1100 -99 0 N0002\n"
                                                  "2000 1500 12 0 VCC\n"
                                                  "Nails:\n"
                                                  "12 1000 1000 1 VCC\n"
                                                  "13 1100 1100 1 GND\n";

} // namespace dorvik::test
