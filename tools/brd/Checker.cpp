#include "Checker.h"

#include "board/BoardData.h"
#include "board/BoardReader.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace dorvik::brd {

namespace {

// Own kinds of findings, after the reader's.
enum class Own : int {
    NoKeyword = 100,
    PlainText,
    NoVarData,
    CountMismatch,
    CountOutOfRange,
    PinsWithoutPart,
    DuplicatePart,
    DuplicateNail,
    ProbeWithoutNail,
    ProbeOnOtherNet,
    NailNetWithoutPin,
    NailSide,
    KindBits,
    AfterEndOfInput,
    StrayCarriageReturn,
};

constexpr int Category(ReadFinding f) noexcept {
    return static_cast<int>(f);
}
constexpr int Category(Own f) noexcept {
    return static_cast<int>(f);
}

// Text from the file as a terminal can show it: bytes outside printable ASCII as \xNN.
std::string Printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
            out += escaped;
        }
    }
    return out;
}

std::string Quoted(std::string_view text) {
    return "\"" + Printable(text) + "\"";
}

std::string Lines(std::int64_t n) {
    return std::to_string(n) + (n == 1 ? " line" : " lines");
}

std::string ReaderMessage(ReadFinding finding, std::string_view detail) {
    const std::string raw(detail);
    const std::string d = Printable(detail);
    switch (finding) {
    case ReadFinding::LineCut:
        return "line longer than 399 bytes; the rest of it is not read";
    case ReadFinding::TooManyTokens:
        return "more than 10 tokens; the rest are not read";
    case ReadFinding::TokenCut:
        return "a token longer than 79 characters is cut";
    case ReadFinding::TooFewTokens:
        return "too few tokens (" + d + "); a missing number reads as 0, a missing name as empty";
    case ReadFinding::ExtraTokens:
        return "too many tokens (" + d + ")";
    case ReadFinding::NotANumber:
        return Quoted(raw) + " is not a whole number; it reads as " +
               std::to_string(ParseInt(raw.c_str()));
    case ReadFinding::NumberOutOfRange:
        return Quoted(raw) + " does not fit in 32 bits; it reads as " +
               std::to_string(ParseInt(raw.c_str()));
    case ReadFinding::NameCut:
        return "name " + d + "; it is cut";
    case ReadFinding::NameBeforeLength:
        return "name before \"str_length:\"";
    case ReadFinding::BadNameLength:
        return d + " is not a usable buffer size (1 to 80)";
    case ReadFinding::TableFull:
        return d + "; the line is not stored";
    case ReadFinding::DataBeforeHeader:
        return "data before the first section keyword is ignored";
    case ReadFinding::PinEndDecreasing:
        return "PinEnd decreases: " + d;
    case ReadFinding::PinEndPastCount:
        return "PinEnd " + d;
    }
    return d;
}

class Reporter {
public:
    void Add(int kind, std::int64_t line, std::string message) {
        std::size_t& seen = counts_[kind];
        if (++seen <= FindingsPerKind) {
            report_.Findings.push_back({line, std::move(message)});
            if (seen == 1) {
                firstMessage_[kind] = report_.Findings.back().Message;
            }
        }
    }

    // Forgets everything found so far, for when one finding explains all the others.
    void Clear() {
        report_ = {};
        counts_.clear();
        firstMessage_.clear();
    }

    CheckReport Finish() {
        std::stable_sort(
            report_.Findings.begin(), report_.Findings.end(),
            [](const CheckFinding& a, const CheckFinding& b) { return a.Line < b.Line; });
        for (const auto& [kind, count] : counts_) {
            if (count > FindingsPerKind) {
                report_.Findings.push_back({0, std::to_string(count - FindingsPerKind) +
                                                   " more like: " + firstMessage_[kind]});
            }
        }
        return std::move(report_);
    }

private:
    CheckReport report_;
    std::map<int, std::size_t> counts_;
    std::map<int, std::string> firstMessage_;
};

// Collects the reader's findings and the line of every data line of each section.
class Observer final : public ReadObserver {
public:
    explicit Observer(Reporter& reporter) : reporter_(reporter) {}

    void Finding(std::int64_t lineNumber, ReadFinding finding, std::string_view detail) override {
        reporter_.Add(Category(finding), lineNumber, ReaderMessage(finding, detail));
    }
    void DataLine(std::int64_t lineNumber, Section section) override {
        lines_[static_cast<std::size_t>(section)].push_back(lineNumber);
    }

    // The line of entry `index` of a section's table, or 0 when unknown.
    std::int64_t LineOf(Section section, std::int64_t index) const noexcept {
        const auto& lines = lines_[static_cast<std::size_t>(section)];
        return index >= 0 && static_cast<std::size_t>(index) < lines.size()
                   ? lines[static_cast<std::size_t>(index)]
                   : 0;
    }
    std::int64_t LastLineOf(Section section) const noexcept {
        const auto& lines = lines_[static_cast<std::size_t>(section)];
        return lines.empty() ? 0 : lines.back();
    }

private:
    Reporter& reporter_;
    std::array<std::vector<std::int64_t>, 7> lines_;
};

constexpr std::array<std::string_view, 6> Keywords{
    "str_length:", "var_data:", "Format:", "Parts:", "Pins:", "Nails:"};

bool ContainsKeyword(std::string_view bytes) {
    return std::any_of(Keywords.begin(), Keywords.end(),
                       [&](std::string_view k) { return bytes.find(k) != std::string_view::npos; });
}

// What the reader's text-mode stream does to the raw bytes: a byte 0x1A or 0xFF ends the input,
// so anything after it but line ends is never read, and a carriage return that does not end a
// line is dropped.
void CheckRawBytes(std::string_view stored, Reporter& reporter) {
    int line = 1;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto b = static_cast<unsigned char>(stored[i]);
        if (b == '\n') {
            ++line;
        } else if (b == '\r' && (i + 1 == stored.size() || stored[i + 1] != '\n')) {
            reporter.Add(Category(Own::StrayCarriageReturn), line,
                         "byte 0x0D inside the line is dropped when the file is read");
        } else if (b == 0x1A || b == 0xFF) {
            const std::string_view rest = stored.substr(i + 1);
            if (rest.find_first_not_of(std::string_view("\r\n\x1A", 3)) != std::string_view::npos) {
                char text[8];
                std::snprintf(text, sizeof text, "0x%02X", b);
                reporter.Add(Category(Own::AfterEndOfInput), line,
                             std::string("byte ") + text + " ends the input; the " +
                                 std::to_string(rest.size()) + " bytes after it are never read");
            }
            return;
        }
    }
}

struct TableCount {
    const char* Count;
    const char* Keyword;
    std::int32_t Declared;
    std::int64_t Lines;
    std::int32_t Capacity;
};

void CheckCounts(const BoardData& board, const ReadSummary& summary, const Observer& observer,
                 Reporter& reporter) {
    const std::int64_t line = observer.LastLineOf(Section::VarData);
    const std::array<TableCount, 4> tables{{
        {"OutlineCount", "Format:", board.Declared.Outline, summary.OutlineLines, OutlineCapacity},
        {"PartCount", "Parts:", board.Declared.Parts, summary.PartLines, PartCapacity},
        {"PinCount", "Pins:", board.Declared.Pins, summary.PinLines, PinCapacity},
        {"NailCount", "Nails:", board.Declared.Nails, summary.NailLines, NailCapacity},
    }};
    for (const TableCount& t : tables) {
        const std::string declared = std::string(t.Count) + " " + std::to_string(t.Declared);
        if (t.Declared < 0 || t.Declared > t.Capacity) {
            reporter.Add(Category(Own::CountOutOfRange), line,
                         declared + " is outside 0 to the capacity " + std::to_string(t.Capacity));
        }
        if (t.Declared != t.Lines) {
            reporter.Add(Category(Own::CountMismatch), line,
                         declared + ", but " + Lines(t.Lines) + " under " + Quoted(t.Keyword));
        }
    }
}

// Part name and pin number of every pin the parts own, for messages.
std::string PinLabel(const BoardData& board, const std::vector<std::int32_t>& owner,
                     std::int32_t pin) {
    const std::int32_t part = owner[static_cast<std::size_t>(pin)];
    if (part < 0) {
        return "pin entry " + std::to_string(pin + 1) + " (no part)";
    }
    return "pin " + std::to_string(pin - FirstPinOf(board, part) + 1) + " of " +
           Printable(PartName(board.PartTable[static_cast<std::size_t>(part)]));
}

void CheckParts(const BoardData& board, const Observer& observer, Reporter& reporter) {
    std::unordered_map<std::string_view, std::int32_t> byName;
    for (std::int32_t j = 0; j < board.PartCount; ++j) {
        const PartEntry& part = board.PartTable[static_cast<std::size_t>(j)];
        const std::int64_t line = observer.LineOf(Section::Parts, j);
        const auto [it, added] = byName.try_emplace(PartName(part), j);
        if (!added) {
            reporter.Add(Category(Own::DuplicatePart), line,
                         "part name " + Quoted(PartName(part)) + " is also on line " +
                             std::to_string(observer.LineOf(Section::Parts, it->second)));
        }
        if ((part.Kind & ~15) != 0) {
            reporter.Add(Category(Own::KindBits), line,
                         "kind " + std::to_string(part.Kind) + " (as stored) of part " +
                             Quoted(PartName(part)) + " sets bits beyond the low four");
        }
    }
    if (board.PinCount > 0) {
        const std::int32_t owned =
            board.PartCount > 0
                ? board.PartTable[static_cast<std::size_t>(board.PartCount - 1)].PinEnd
                : 0;
        if (owned < board.PinCount) {
            reporter.Add(Category(Own::PinsWithoutPart), observer.LineOf(Section::Pins, owned),
                         "pin entries " + std::to_string(owned + 1) + " to " +
                             std::to_string(board.PinCount) +
                             " belong to no part (the last PinEnd is " + std::to_string(owned) +
                             ")");
        }
    }
}

void CheckProbesAndNails(const BoardData& board, const Observer& observer, Reporter& reporter) {
    std::vector<std::int32_t> owner(static_cast<std::size_t>(board.PinCount), -1);
    std::int32_t pin = 0;
    for (std::int32_t j = 0; j < board.PartCount; ++j) {
        for (; pin < board.PartTable[static_cast<std::size_t>(j)].PinEnd; ++pin) {
            owner[static_cast<std::size_t>(pin)] = j;
        }
    }

    std::unordered_map<std::int32_t, std::int32_t> nailByNumber;
    for (std::int32_t n = 0; n < board.NailCount; ++n) {
        const NailEntry& nail = board.NailTable[static_cast<std::size_t>(n)];
        const std::int64_t line = observer.LineOf(Section::Nails, n);
        const auto [it, added] = nailByNumber.try_emplace(nail.Number, n);
        if (!added) {
            reporter.Add(Category(Own::DuplicateNail), line,
                         "nail number " + std::to_string(nail.Number) + " is also on line " +
                             std::to_string(observer.LineOf(Section::Nails, it->second)));
        }
        if (nail.Side != TopSide && nail.Side != BottomSide) {
            reporter.Add(Category(Own::NailSide), line,
                         "nail " + std::to_string(nail.Number) + " has side " +
                             std::to_string(nail.Side) + ", neither 1 (top) nor 2 (bottom)");
        }
    }

    std::unordered_set<std::string_view> pinNets;
    for (std::int32_t i = 0; i < board.PinCount; ++i) {
        const PinEntry& p = board.PinTable[static_cast<std::size_t>(i)];
        pinNets.insert(PinNet(p));
        if (p.Probe == NoProbe) {
            continue;
        }
        const std::int64_t line = observer.LineOf(Section::Pins, i);
        const auto it = nailByNumber.find(p.Probe);
        if (it == nailByNumber.end()) {
            reporter.Add(Category(Own::ProbeWithoutNail), line,
                         PinLabel(board, owner, i) + ": probe " + std::to_string(p.Probe) +
                             " matches no nail");
            continue;
        }
        const NailEntry& nail = board.NailTable[static_cast<std::size_t>(it->second)];
        if (std::string_view(NailNet(nail)) != PinNet(p)) {
            reporter.Add(Category(Own::ProbeOnOtherNet), line,
                         PinLabel(board, owner, i) + " is on net " + Quoted(PinNet(p)) +
                             ", but its probe " + std::to_string(p.Probe) + " touches net " +
                             Quoted(NailNet(nail)));
        }
    }
    for (std::int32_t n = 0; n < board.NailCount; ++n) {
        const NailEntry& nail = board.NailTable[static_cast<std::size_t>(n)];
        if (pinNets.count(NailNet(nail)) == 0) {
            reporter.Add(Category(Own::NailNetWithoutPin), observer.LineOf(Section::Nails, n),
                         "nail " + std::to_string(nail.Number) + ": no pin carries its net " +
                             Quoted(NailNet(nail)));
        }
    }
}

} // namespace

CheckReport CheckBoardBytes(std::string_view stored) {
    Reporter reporter;
    Observer observer(reporter);
    auto board = std::make_unique<BoardData>();

    // The reader takes a stream; the bytes are read in place. An empty file needs no stream.
    std::FILE* file = nullptr;
    if (!stored.empty()) {
        file = ::fmemopen(const_cast<char*>(stored.data()), stored.size(), "rb");
        if (file == nullptr) {
            CheckReport failed;
            failed.Error = "cannot read the board from memory";
            return failed;
        }
    }
    ReadSummary summary;
    {
        BoardStream stream(file);
        summary = ReadBoardFile(stream, *board, &observer);
    }
    if (file != nullptr) {
        std::fclose(file);
    }

    if (!summary.AnyKeyword) {
        reporter.Clear(); // every line is data before a keyword; one finding says it all
        if (ContainsKeyword(stored)) {
            reporter.Add(Category(Own::PlainText), 0,
                         "the file is plain text, not the stored form; store it with "
                         "\"dorvik-brd encode\"");
        } else {
            reporter.Add(Category(Own::NoKeyword), 0,
                         "no section keyword anywhere: nothing in the file is read");
        }
        return reporter.Finish();
    }
    CheckRawBytes(stored, reporter);
    if (!summary.VarDataSeen) {
        reporter.Add(Category(Own::NoVarData), 0,
                     "no \"var_data:\" line, so the program sees no entries");
    } else {
        CheckCounts(*board, summary, observer, reporter);
    }
    CheckParts(*board, observer, reporter);
    CheckProbesAndNails(*board, observer, reporter);
    return reporter.Finish();
}

} // namespace dorvik::brd
