#include "board/BoardReader.h"

#include "board/ByteScan.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace dorvik {

bool BoardStream::Refill() noexcept {
    if (ended_ || file_ == nullptr) {
        return false;
    }
    len_ = std::fread(block_.data(), 1, BlockSize, file_);
    pos_ = 0;
    if (len_ == 0) {
        if (std::ferror(file_) != 0) {
            error_ = errno != 0 ? errno : EIO;
        }
        ended_ = true;
        return false;
    }
    block_[len_] = '\n'; // stops TakeOrdinary's scan without a bounds test per byte
    return true;
}

std::string_view BoardStream::TakeOrdinary() noexcept {
    if (pos_ >= len_) {
        return {};
    }
    const char* first = block_.data() + pos_;
    const std::size_t n = OrdinaryRun(first);
    pos_ += n;
    return {first, n};
}

LineRead ReadLine(BoardStream& stream, LineBuffer& line) noexcept {
    LineRead result;
    for (;;) {
        const std::string_view run = stream.TakeOrdinary();
        const auto room = static_cast<std::size_t>(LineCapacity - result.Length);
        const std::size_t kept = std::min(run.size(), room);
        if (kept > 0) {
            std::memcpy(line.data() + result.Length, run.data(), kept);
            result.Length += static_cast<int>(kept);
        }
        result.Cut = result.Cut || kept < run.size();

        const int b = stream.Next();
        if (b < 0 || b == 0xFF) {
            if (b == 0xFF) {
                stream.Stop();
            }
            result.EndOfInput = true;
            break;
        }
        if (b == '\n') {
            break;
        }
        if (result.Length < LineCapacity) {
            line[static_cast<std::size_t>(result.Length++)] = static_cast<char>(b);
        } else {
            result.Cut = true;
        }
    }
    line[static_cast<std::size_t>(result.Length)] = '\0';
    return result;
}

std::string_view DecodeLine(const LineBuffer& line, int length, TextBuffer& text) noexcept {
    const auto n = static_cast<std::size_t>(std::clamp(length, 0, LineCapacity));
    DecodeBytes(line.data(), n, text.data());
    text[n] = '\0';
    return {text.data(), n};
}

SplitResult SplitTokens(std::string_view text, TokenSlots& tokens) noexcept {
    for (auto& slot : tokens) {
        slot[0] = '\0';
    }
    SplitResult result;
    const std::size_t n = text.size();
    std::size_t i = SkipWhite(text, 0);
    while (i < n) {
        if (result.Count == MaxTokens) {
            result.TooMany = true;
            break;
        }
        auto& slot = tokens[static_cast<std::size_t>(result.Count++)];
        const std::size_t start = i;
        i = SkipToken(text, i);
        const std::size_t len = std::min<std::size_t>(i - start, TokenCapacity);
        std::memcpy(slot.data(), text.data() + start, len);
        slot[len] = '\0';
        result.TokenCut = result.TokenCut || len < i - start;
        if (i == n) {
            break;
        }
        i = SkipWhite(text, i);
        if (i == n) {
            // White space at the end of a line yields one further, empty token.
            if (result.Count < MaxTokens) {
                tokens[static_cast<std::size_t>(result.Count++)][0] = '\0';
            }
            break;
        }
    }
    return result;
}

NumberToken ScanNumber(const char* token) noexcept {
    const char* p = token;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') {
        ++p;
    }
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    std::uint32_t value = 0;     // unsigned, so overflow wraps without undefined behaviour
    std::uint64_t magnitude = 0; // stops growing once past the limit
    const char* digits = p;
    for (unsigned digit = 0; (digit = static_cast<unsigned char>(*p) - unsigned{'0'}) <= 9; ++p) {
        value = value * 10u + digit;
        if (magnitude <= limit) {
            magnitude = magnitude * 10u + digit;
        }
    }
    NumberToken number;
    number.Value = static_cast<std::int32_t>(negative ? 0u - value : value);
    number.WellFormed = p != digits && *p == '\0';
    number.Fits = magnitude <= limit;
    return number;
}

namespace {

struct Keyword {
    std::string_view text;
    Section section;
};

// Tested in this order; the first keyword found anywhere in the line decides.
constexpr std::array<Keyword, 6> Keywords{{
    {"str_length:", Section::StrLength},
    {"var_data:", Section::VarData},
    {"Format:", Section::Format},
    {"Parts:", Section::Parts},
    {"Pins:", Section::Pins},
    {"Nails:", Section::Nails},
}};

Section FindKeyword(std::string_view text) noexcept {
    if (text.find(':') == std::string_view::npos) {
        return Section::None; // every keyword ends in a colon; most lines have none
    }
    for (const auto& k : Keywords) {
        if (text.find(k.text) != std::string_view::npos) {
            return k.section;
        }
    }
    return Section::None;
}

constexpr int TokensOf(Section s) noexcept {
    switch (s) {
    case Section::StrLength:
    case Section::Format:
        return 2;
    case Section::VarData:
        return 6;
    case Section::Parts:
        return 3;
    case Section::Pins:
    case Section::Nails:
        return 5;
    case Section::None:
        break;
    }
    return 0;
}

// Size of the name buffer for a declared length: the declared size when it is usable, else the
// token size (a name is never longer than a token anyway).
int NameSlotFor(std::int32_t declared) noexcept {
    return (declared >= 1 && declared <= NameSlotSize) ? declared : NameSlotSize;
}

class LineReader {
public:
    LineReader(BoardData& board, ReadObserver* observer) : board_(board), observer_(observer) {}

    void Data(std::int64_t lineNumber, std::string_view text) {
        line_ = lineNumber;
        const SplitResult split = SplitTokens(text, tokens_);
        // The empty token after trailing white space is no token of the line's own.
        int given = split.Count;
        if (given > 0 && tokens_[static_cast<std::size_t>(given - 1)][0] == '\0') {
            --given;
        }
        if (observer_ != nullptr) {
            if (split.TooMany) {
                Note(ReadFinding::TooManyTokens, "more than 10 tokens");
            }
            if (split.TokenCut) {
                Note(ReadFinding::TokenCut, "a token over 79 characters");
            }
            const int wanted = TokensOf(section_);
            if (given < wanted) {
                Note(ReadFinding::TooFewTokens,
                     std::to_string(given) + " of " + std::to_string(wanted) + " tokens");
            } else if (given > wanted) {
                Note(ReadFinding::ExtraTokens,
                     std::to_string(given) + " tokens, " + std::to_string(wanted) + " read");
            }
        }
        given_ = given;
        if (observer_ != nullptr) {
            observer_->DataLine(lineNumber, section_);
        }
        switch (section_) {
        case Section::StrLength:
            board_.PartNameLength = Number(0);
            board_.NetNameLength = Number(1);
            lengthSeen_ = true;
            CheckLength(board_.PartNameLength, "part");
            CheckLength(board_.NetNameLength, "net");
            break;
        case Section::VarData:
            board_.Declared = {Number(0), Number(1), Number(2), Number(3)};
            board_.VarData5 = Number(4);
            board_.VarData6 = Number(5);
            break;
        case Section::Format:
            if (Room(summary.OutlineLines++, OutlineCapacity, "outline")) {
                auto& p = board_.OutlineTable[Index(summary.OutlineLines)];
                p.X = Number(0);
                p.Y = Number(1);
            }
            break;
        case Section::Parts:
            if (Room(summary.PartLines++, PartCapacity, "part")) {
                auto& part = board_.PartTable[Index(summary.PartLines)];
                Name(0, board_.PartNameLength, part.Name);
                part.Kind = static_cast<std::int8_t>(static_cast<std::uint8_t>(Number(1)));
                part.PinEnd = Number(2);
                if (observer_ != nullptr && part.PinEnd < lastPinEnd_) {
                    Note(ReadFinding::PinEndDecreasing,
                         std::to_string(part.PinEnd) + " after " + std::to_string(lastPinEnd_));
                }
                lastPinEnd_ = part.PinEnd;
                if (observer_ != nullptr) {
                    partLines.push_back(lineNumber);
                }
            }
            break;
        case Section::Pins:
            if (Room(summary.PinLines++, PinCapacity, "pin")) {
                auto& pin = board_.PinTable[Index(summary.PinLines)];
                pin.X = Number(0);
                pin.Y = Number(1);
                pin.Probe = Number(2);
                pin.Extra = Number(3);
                Name(4, board_.NetNameLength, pin.Net);
            }
            break;
        case Section::Nails:
            if (Room(summary.NailLines++, NailCapacity, "nail")) {
                auto& nail = board_.NailTable[Index(summary.NailLines)];
                nail.Number = Number(0);
                nail.X = Number(1);
                nail.Y = Number(2);
                nail.Side = static_cast<std::int8_t>(static_cast<std::uint8_t>(Number(3)));
                Name(4, board_.NetNameLength, nail.Net);
            }
            break;
        case Section::None:
            break;
        }
    }

    void Enter(Section s) noexcept {
        section_ = s;
        if (s == Section::Parts) {
            lastPinEnd_ = 0;
        }
    }
    Section Current() const noexcept { return section_; }
    void Note(ReadFinding finding, std::string_view detail) {
        if (observer_ != nullptr) {
            observer_->Finding(line_, finding, detail);
        }
    }
    void SetLine(std::int64_t lineNumber) noexcept { line_ = lineNumber; }

    ReadSummary summary;
    std::vector<std::int64_t> partLines; // line of each stored part, kept only for an observer

private:
    static std::size_t Index(std::int64_t linesAfter) noexcept {
        return static_cast<std::size_t>(linesAfter - 1);
    }

    // Whether the table still has room for the data line just counted.
    bool Room(std::int64_t linesBefore, std::int32_t capacity, const char* what) {
        if (linesBefore < capacity) {
            return true;
        }
        if (observer_ != nullptr) {
            Note(ReadFinding::TableFull,
                 std::string(what) + " table full (" + std::to_string(capacity) + " entries)");
        }
        return false;
    }

    std::int32_t Number(int index) {
        if (index >= given_) {
            return 0;
        }
        const char* token = tokens_[static_cast<std::size_t>(index)].data();
        const NumberToken number = ScanNumber(token);
        if (observer_ != nullptr) {
            if (!number.WellFormed) {
                Note(ReadFinding::NotANumber, token);
            } else if (!number.Fits) {
                Note(ReadFinding::NumberOutOfRange, token);
            }
        }
        return number.Value;
    }

    void Name(int index, std::int32_t declared, NameSlot& slot) {
        if (observer_ != nullptr && !lengthSeen_) {
            Note(ReadFinding::NameBeforeLength, "name before \"str_length:\"");
            lengthSeen_ = true; // once per file is enough
        }
        const auto limit = static_cast<std::size_t>(NameSlotFor(declared) - 1);
        const char* token = index < given_ ? tokens_[static_cast<std::size_t>(index)].data() : "";
        const std::size_t len = std::strlen(token);
        const std::size_t kept = std::min(len, limit);
        std::memcpy(slot.data(), token, kept);
        slot[kept] = '\0';
        if (observer_ != nullptr && kept < len) {
            Note(ReadFinding::NameCut, std::string(token) + " is longer than " +
                                           std::to_string(declared) + " - 1 characters");
        }
    }

    void CheckLength(std::int32_t declared, const char* what) {
        if (observer_ != nullptr && (declared < 1 || declared > NameSlotSize)) {
            Note(ReadFinding::BadNameLength,
                 std::string(what) + " name length " + std::to_string(declared));
        }
    }

    BoardData& board_;
    ReadObserver* observer_;
    TokenSlots tokens_{};
    Section section_ = Section::None;
    int given_ = 0;
    std::int64_t line_ = 0;
    bool lengthSeen_ = false;
    std::int32_t lastPinEnd_ = 0;
};

std::int32_t SafeCount(std::int32_t declared, std::int64_t given, std::int32_t capacity) noexcept {
    const std::int64_t stored = std::min<std::int64_t>(given, capacity);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(declared, 0, stored));
}

} // namespace

ReadSummary ReadBoardFile(BoardStream& stream, BoardData& board, ReadObserver* observer) {
    LineReader reader(board, observer);
    LineBuffer line{};
    TextBuffer text{};
    bool seen[7] = {};
    std::int64_t lineNumber = 0;
    for (;;) {
        const LineRead read = ReadLine(stream, line);
        ++lineNumber;
        reader.SetLine(lineNumber);
        if (read.Cut) {
            reader.Note(ReadFinding::LineCut, "line longer than 399 bytes");
        }
        if (read.Length > 0) {
            const std::string_view decoded = DecodeLine(line, read.Length, text);
            const Section keyword = FindKeyword(decoded);
            if (keyword != Section::None) {
                reader.Enter(keyword);
                seen[static_cast<int>(keyword)] = true;
            } else if (reader.Current() != Section::None) {
                reader.Data(lineNumber, decoded);
            } else {
                reader.Note(ReadFinding::DataBeforeHeader, "data before the first keyword");
            }
        }
        if (read.EndOfInput) {
            break;
        }
    }

    ReadSummary summary = reader.summary;
    summary.Lines = lineNumber;
    summary.ReadError = stream.Error();
    summary.VarDataSeen = seen[static_cast<int>(Section::VarData)];
    for (bool s : seen) {
        summary.AnyKeyword = summary.AnyKeyword || s;
    }
    // The counts a reader of the tables sees: what the file declared, but never negative, never
    // beyond the capacity and never beyond the entries this file gave. A table that this file
    // says nothing about keeps its count.
    const bool var = summary.VarDataSeen;
    if (var || seen[static_cast<int>(Section::Format)]) {
        board.OutlineCount =
            SafeCount(board.Declared.Outline, summary.OutlineLines, OutlineCapacity);
    }
    if (var || seen[static_cast<int>(Section::Parts)]) {
        board.PartCount = SafeCount(board.Declared.Parts, summary.PartLines, PartCapacity);
    }
    if (var || seen[static_cast<int>(Section::Pins)]) {
        board.PinCount = SafeCount(board.Declared.Pins, summary.PinLines, PinCapacity);
    }
    if (var || seen[static_cast<int>(Section::Nails)]) {
        board.NailCount = SafeCount(board.Declared.Nails, summary.NailLines, NailCapacity);
    }
    // Every walk over a part's pins stops at its PinEnd, so no PinEnd may point past the pins.
    for (std::int32_t j = 0; j < board.PartCount; ++j) {
        auto& part = board.PartTable[static_cast<std::size_t>(j)];
        if (observer != nullptr && part.PinEnd > board.PinCount &&
            static_cast<std::size_t>(j) < reader.partLines.size()) {
            observer->Finding(
                reader.partLines[static_cast<std::size_t>(j)], ReadFinding::PinEndPastCount,
                std::to_string(part.PinEnd) + " past PinCount " + std::to_string(board.PinCount));
        }
        part.PinEnd = std::clamp(part.PinEnd, 0, board.PinCount);
    }
    return summary;
}

ReadSummary ReadBoardFile(std::FILE* file, BoardData& board, ReadObserver* observer) {
    BoardStream stream(file);
    return ReadBoardFile(stream, board, observer);
}

} // namespace dorvik
