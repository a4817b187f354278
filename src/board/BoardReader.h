#pragma once
// The board file reader: lines of transformed characters, six section keywords, and data lines
// of white-space separated tokens that fill the board tables.

#include "board/BoardData.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace dorvik {

// Stored bytes of one line; the rest of a longer line is cut.
inline constexpr int LineCapacity = 399;
inline constexpr int MaxTokens = 10;
inline constexpr int TokenCapacity = 79;

using LineBuffer = std::array<char, LineCapacity + 1>;
using TextBuffer = std::array<char, LineCapacity + 1>;
using TokenSlots = std::array<std::array<char, TokenCapacity + 1>, MaxTokens>;

// A file opened for the reader, read with the rules of a text-mode stream: carriage returns are
// dropped, and a Ctrl-Z byte ends the input. Reads the file in large blocks.
class BoardStream final {
public:
    explicit BoardStream(std::FILE* file) noexcept : file_(file) {}
    BoardStream(const BoardStream&) = delete;
    BoardStream& operator=(const BoardStream&) = delete;

    // The next byte, or -1 once the input has ended.
    int Next() noexcept {
        for (;;) {
            if (pos_ == len_ && !Refill()) {
                return -1;
            }
            const auto b = static_cast<unsigned char>(block_[pos_++]);
            if (b == 0x0D) {
                continue;
            }
            if (b == 0x1A) {
                Stop();
                return -1;
            }
            return b;
        }
    }

    // The system's error number when a read failed (the input then ended there), else 0.
    int Error() const noexcept { return error_; }
    // Takes the bytes from here up to the next byte that Next() drops or that may end a line
    // (carriage return, Ctrl-Z, line feed, 0xFF) or to the end of the block read so far; possibly
    // none. A line is taken in a few such runs instead of byte by byte.
    std::string_view TakeOrdinary() noexcept;

    // Ends the input here: every later Next() answers -1.
    void Stop() noexcept {
        ended_ = true;
        pos_ = len_ = 0;
    }

private:
    static constexpr std::size_t BlockSize = std::size_t{1} << 16;

    bool Refill() noexcept;

    std::FILE* file_;
    std::array<char, BlockSize + 1> block_; // one more byte: a line feed after the bytes read
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool ended_ = false;
    int error_ = 0;
};

struct LineRead {
    int Length = 0;          // stored bytes in the buffer (at most LineCapacity)
    bool EndOfInput = false; // the line ended at the end of the input or at a byte 0xFF
    bool Cut = false;        // the line was longer than LineCapacity; the rest was skipped
};

// Reads one line (up to a line feed, which is not stored) into the buffer, zero-terminated.
LineRead ReadLine(BoardStream& stream, LineBuffer& line) noexcept;

// Applies the character transformation to the first `length` stored bytes; returns the text.
std::string_view DecodeLine(const LineBuffer& line, int length, TextBuffer& text) noexcept;

struct SplitResult {
    int Count = 0;         // tokens stored, the empty one after trailing white space included
    bool TooMany = false;  // the line had more tokens than MaxTokens; the rest were dropped
    bool TokenCut = false; // some token was longer than TokenCapacity and was cut
};

// Splits text into zero-terminated tokens at white space. Unused slots are left empty.
SplitResult SplitTokens(std::string_view text, TokenSlots& tokens) noexcept;

// A number token read in one pass.
struct NumberToken {
    // Decimal 32-bit number with an optional sign; stops at the first non-digit and wraps
    // around on overflow, as 32-bit arithmetic does. A token that does not start with a digit
    // reads as 0.
    std::int32_t Value = 0;
    bool WellFormed = false; // the whole token is an optional sign and at least one digit
    bool Fits = true;        // its digits give a number within 32 bits, so Value did not wrap
};

NumberToken ScanNumber(const char* token) noexcept;

inline std::int32_t ParseInt(const char* token) noexcept {
    return ScanNumber(token).Value;
}

enum class Section : std::uint8_t { None, StrLength, VarData, Format, Parts, Pins, Nails };

// Out-of-format findings the reader tolerates silently; reported to an observer when one is
// given (the board-file checker uses this).
enum class ReadFinding : std::uint8_t {
    LineCut,          // a line over LineCapacity stored bytes
    TooManyTokens,    // more than MaxTokens tokens
    TokenCut,         // a token over TokenCapacity characters
    TooFewTokens,     // fewer tokens than the section reads
    ExtraTokens,      // more tokens than the section reads
    NotANumber,       // a number token that is not a plain decimal integer
    NameCut,          // a name longer than its declared length allows
    NameBeforeLength, // a name read before this file's "str_length:" line
    BadNameLength,    // a declared name length below 1 or above the token size
    TableFull,        // a data line beyond a table's capacity
    DataBeforeHeader, // a data line before the first section keyword
    PinEndDecreasing, // a part's pin end below the previous part's
    PinEndPastCount,  // a part's pin end beyond the pins the program sees (found at the end)
    NumberOutOfRange, // a decimal number beyond 32 bits, which wraps
};

class ReadObserver {
public:
    virtual ~ReadObserver() = default;
    virtual void Finding(std::int64_t lineNumber, ReadFinding finding, std::string_view detail) = 0;
    // Every data line of a section, before it is applied; the n-th call for a table's section is
    // the line of that table's entry n (counted from 0, stored or not).
    virtual void DataLine(std::int64_t /*lineNumber*/, Section /*section*/) {}
};

struct ReadSummary {
    // Data lines that each table's section gave in this file (stored or not).
    std::int64_t OutlineLines = 0;
    std::int64_t PartLines = 0;
    std::int64_t PinLines = 0;
    std::int64_t NailLines = 0;
    bool AnyKeyword = false;
    bool VarDataSeen = false;
    std::int64_t Lines = 0;
    int ReadError = 0; // the system's error number when reading the file failed midway, else 0
};

// Reads the whole stream into the tables. Nothing is cleared first: entries beyond the new
// counts keep what an earlier file put there and stay hidden by the counts.
ReadSummary ReadBoardFile(BoardStream& stream, BoardData& board, ReadObserver* observer = nullptr);
ReadSummary ReadBoardFile(std::FILE* file, BoardData& board, ReadObserver* observer = nullptr);

} // namespace dorvik
