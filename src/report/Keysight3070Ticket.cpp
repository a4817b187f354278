#include "report/Keysight3070Ticket.h"

#include "report/FaultBuilder.h"
#include "report/TextLines.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace dorvik {

namespace {

bool IsDashLine(std::string_view line) noexcept {
    return StartsWith(Trimmed(line), "---"); // the block rules and "------End, …"
}

bool IsNumber(std::string_view word) noexcept {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsHasFailed(const std::vector<std::string_view>& words) {
    return words.size() == 3 && words[1] == "HAS" && words[2] == "FAILED";
}

// "Short #1, Thresh 9, ..." or "Open #1 Thresh 25, ..." of the shorts test.
bool IsShortsHeading(const std::vector<std::string_view>& words) {
    return words.size() >= 2 && (words[0] == "Short" || words[0] == "Open") &&
           StartsWith(words[1], "#") && (words.size() < 3 || words[2] != "Device");
}

// "Open #1  Device jts1" of the TestJet test.
bool IsTestJetHeading(const std::vector<std::string_view>& words) {
    return words.size() >= 4 && words[0] == "Open" && StartsWith(words[1], "#") &&
           words[2] == "Device";
}

bool IsPinsHeading(const std::vector<std::string_view>& words) {
    return words.size() >= 3 && words[0] == "Failed" && words[1] == "Open" &&
           StartsWith(words[2], "#");
}

std::string Joined(const std::vector<std::string_view>& words, std::size_t from) {
    std::string text;
    for (std::size_t k = from; k < words.size(); ++k) {
        text += k == from ? "" : " ";
        text += words[k];
    }
    return text;
}

std::string Number(std::string_view heading) {
    std::string_view n = heading;
    while (!n.empty() && (n.back() == ',' || n.back() == ':')) {
        n.remove_suffix(1);
    }
    return std::string(n);
}

// "Serial #: TEXT": the text, or none when the line is not one.
std::optional<std::string_view> SerialOf(std::string_view line) {
    std::string_view rest = Trimmed(line);
    for (const std::string_view word : {"Serial", "#", ":"}) {
        if (!StartsWith(rest, word)) {
            return std::nullopt;
        }
        rest = Trimmed(rest.substr(word.size()));
    }
    return rest;
}

// The number of an English name among `names` (from 1), 0 when it is none of them.
int NameNumber(std::string_view word, std::initializer_list<std::string_view> names) {
    int number = 1;
    for (const std::string_view name : names) {
        if (EqualsIgnoringCase(word, name)) {
            return number;
        }
        ++number;
    }
    return 0;
}

// A block header's date line "Tue Jan 04 18:13:37 2005": its time as ReportUnit::Tested
// writes it (empty when there is no such date), or none when the line is not one.
std::optional<std::string> DateLineTime(const std::vector<std::string_view>& words) {
    if (words.size() != 5 ||
        NameNumber(words[0], {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}) == 0) {
        return std::nullopt;
    }
    const int month = NameNumber(words[1], {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug",
                                            "Sep", "Oct", "Nov", "Dec"});
    const std::string_view day = words[2];
    const std::string_view time = words[3];
    if (month == 0 || day.empty() || day.size() > 2 || !IsNumber(day) || time.size() != 8 ||
        time[2] != ':' || time[5] != ':' || words[4].size() != 4) {
        return std::nullopt;
    }
    const std::string date = std::string(words[4]) + (month < 10 ? "0" : "") +
                             std::to_string(month) + std::string(2 - day.size(), '0') +
                             std::string(day);
    const std::string clock = std::string(time.substr(0, 2)) + std::string(time.substr(3, 2)) +
                              std::string(time.substr(6, 2));
    return TestedText(date, clock);
}

// The unit of a ticket: the last "Serial #:" line's serial, and from the block headers the
// first title (the line above "Board Version:") and the first date line.
ReportUnit TicketUnit(const std::vector<std::string_view>& lines) {
    ReportUnit unit;
    bool dated = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto serial = SerialOf(lines[i]); serial && !UnitText(*serial).empty()) {
            unit.Serial = UnitText(*serial);
            continue;
        }
        const std::string_view above = i > 0 ? Trimmed(lines[i - 1]) : std::string_view{};
        if (unit.Board.empty() && StartsWith(Trimmed(lines[i]), "Board Version:") &&
            !IsDashLine(above)) {
            unit.Board = UnitText(above);
            continue;
        }
        if (!dated) {
            if (std::optional<std::string> tested = DateLineTime(Words(lines[i]))) {
                unit.Tested = std::move(*tested);
                dated = true;
            }
        }
    }
    return unit;
}

class TicketReader final {
public:
    TicketReader(const std::vector<std::string_view>& lines, const BoardLookup& board,
                 ReportResult& result)
        : lines_(lines), board_(board), result_(result) {}

    void Run() {
        for (i_ = 0; i_ < lines_.size(); ++i_) {
            Take(lines_[i_]);
        }
        Finish();
    }

private:
    enum class Block { None, Analog, Parallel, Shorts, Devices, Pins, TestJet };

    void Take(std::string_view line) {
        const std::vector<std::string_view> words = Words(line);
        if (IsDashLine(line) || (!words.empty() && words[0] == "Serial")) {
            // An analog failure may go on with its devices in parallel after the dashes.
            if (block_ != Block::Analog) {
                Finish();
            } else {
                block_ = Block::None;
                analogOpen_ = true;
            }
            return;
        }
        if (words.empty()) {
            return;
        }
        if (analogOpen_ && block_ == Block::None && words[0] == "DEVICES" && words.size() >= 3 &&
            words[2] == "PARALLEL") {
            block_ = Block::Parallel;
            return;
        }
        if (IsHasFailed(words)) {
            Start(Block::Analog, Joined(words, 0));
            device_ = std::string(words[0]);
            return;
        }
        if (IsTestJetHeading(words)) {
            Start(Block::TestJet, "TestJet Open " + Number(words[1]));
            device_ = std::string(words[3]);
            return;
        }
        if (IsShortsHeading(words)) {
            Start(Block::Shorts, std::string(words[0]) + " " + Number(words[1]));
            shortKind_ = words[0] == "Short" ? LineKind::Short : LineKind::Open;
            return;
        }
        if (IsPinsHeading(words)) {
            Start(Block::Pins, "Pins Failed Open " + Number(words[2]));
            return;
        }
        switch (block_) {
        case Block::None:
            return; // headings, board titles, dates
        case Block::Analog:
            TakeAnalog(words);
            return;
        case Block::Parallel:
            TakeParallel(line);
            return;
        case Block::Shorts:
        case Block::Devices:
            TakeShorts(words);
            return;
        case Block::Pins:
            TakePins(line, words);
            return;
        case Block::TestJet:
            TakeTestJet(words);
            return;
        }
    }

    void Start(Block block, std::string title) {
        Finish();
        block_ = block;
        title_ = std::move(title);
        firstLine_ = i_ + 1;
    }

    void TakeAnalog(const std::vector<std::string_view>& words) {
        if (words.size() >= 3 && words[0] == "REPLACE" && words[1] == "DEVICE:") {
            for (std::size_t k = 2; k < words.size(); ++k) {
                devices_.push_back({std::string(words[k]), {}});
            }
            details_.push_back("replace " + Joined(words, 2));
            return;
        }
        std::string detail = Joined(words, 0);
        if (const std::size_t colon = detail.find(": "); colon != std::string::npos) {
            detail.erase(colon, 1); // "Measured: 6.1u" is shown "Measured 6.1u"
            detail = Joined(Words(detail), 0);
        }
        details_.push_back(detail);
    }

    void TakeParallel(std::string_view line) {
        const std::string_view text = Trimmed(line);
        const std::size_t close = text.find(']');
        if (!StartsWith(text, "[") || close == std::string_view::npos || close < 2) {
            Skip("a device in parallel is not given as [device]");
            return;
        }
        const std::string name(text.substr(1, close - 1));
        parallel_.push_back({name, {}});
        const std::string_view rest = Trimmed(text.substr(close + 1));
        details_.push_back("in parallel " + name +
                           (rest.empty() ? "" : " (" + std::string(rest) + ")"));
    }

    void TakeShorts(const std::vector<std::string_view>& words) {
        if (words[0] == "Common" && words.size() >= 2 && words[1] == "Devices:") {
            block_ = Block::Devices;
            for (std::size_t k = 2; k < words.size(); ++k) {
                devices_.push_back({std::string(words[k]), {}});
            }
            return;
        }
        if (words[0] == "No" || words[0] == "Total" || words[0] == "Message") {
            return; // "No common devices.", "Total of 2 nodes", "Message is: None."
        }
        if (block_ == Block::Devices) {
            for (const std::string_view device : words) {
                devices_.push_back({std::string(device), {}});
            }
            return;
        }
        std::size_t k = 0;
        if (words[0] == "From:" || words[0] == "To:" || words[0] == "&") {
            k = 1;
        }
        if (k >= words.size()) {
            Skip("a node line names no node");
            return;
        }
        std::string name(words[k]);
        if (name == "v" && i_ + 1 < lines_.size() && Words(lines_[i_ + 1]).size() == 1) {
            ++i_; // a name too long for its column is printed on the next line
            name = std::string(Trimmed(lines_[i_]));
        }
        if (k + 1 >= words.size() || !IsNumber(words[k + 1])) {
            Skip("a node line has no channel number after the node name");
            return;
        }
        std::string detail = "BRC " + std::string(words[k + 1]);
        if (k + 2 < words.size()) {
            const bool open = words[k + 2] == "Open";
            detail += ", " + Joined(words, k + 2) + (open ? "" : " ohms");
        }
        nodes_.push_back({std::move(name), std::move(detail)});
    }

    void TakePins(std::string_view line, const std::vector<std::string_view>& words) {
        const std::string_view text = Trimmed(line);
        if (StartsWith(text, "(")) {
            const std::size_t close = text.find(')');
            const std::string_view brc =
                close == std::string_view::npos ? std::string_view{} : text.substr(1, close - 1);
            const std::string_view node = close == std::string_view::npos
                                              ? std::string_view{}
                                              : Trimmed(text.substr(close + 1));
            if (!IsNumber(brc) || node.empty() || Words(node).size() != 1) {
                Skip("a failed pin's node is not given as (channel) NODE");
                return;
            }
            nodes_.push_back({std::string(node), "BRC " + std::string(brc)});
            return;
        }
        for (const std::string_view word : words) {
            const std::size_t dot = word.rfind('.');
            if (dot == std::string_view::npos || dot == 0 || dot + 1 == word.size()) {
                Skip("'" + Printable(word) + "' is not a device.pin");
                continue;
            }
            devices_.push_back(
                {std::string(word.substr(0, dot)), std::string(word.substr(dot + 1))});
        }
    }

    void TakeTestJet(const std::vector<std::string_view>& words) {
        if (words[0] == "Pin" && words.size() >= 4 && words[2] == "Node") {
            pin_ = std::string(words[1]);
            details_.push_back("pin " + pin_ + ", node " + std::string(words[3]));
            return;
        }
        if (words[0] == "Measured") {
            std::string detail = Joined(words, 0);
            detail.erase(std::remove(detail.begin(), detail.end(), '('), detail.end());
            detail.erase(std::remove(detail.begin(), detail.end(), ')'), detail.end());
            details_.push_back(detail);
            return;
        }
        Skip("a TestJet open line is neither Pin ... Node ... nor Measured ...");
    }

    void Title(std::vector<FaultLine>& lines) const {
        if (!lines.empty()) {
            lines.front().Description = title_ + ": " + lines.front().Description;
        }
    }

    void Skip(std::string reason) { result_.Skip(i_ + 1, std::move(reason)); }

    void Finish() {
        std::vector<std::string> notes;
        std::vector<FaultLine> lines;
        std::string kind;
        switch (block_ == Block::None && analogOpen_ ? Block::Analog : block_) {
        case Block::None:
            break;
        case Block::Analog:
        case Block::Parallel: {
            kind = "Analog";
            std::vector<NamedPin> named{{device_, {}}};
            named.insert(named.end(), devices_.begin(), devices_.end());
            named.insert(named.end(), parallel_.begin(), parallel_.end());
            lines = CompLines(CompEntries(named, board_, notes));
            if (!lines.empty()) {
                lines.front().Description =
                    title_ + (details_.empty() ? "" : ": ") + JoinTexts(details_);
            }
            break;
        }
        case Block::Shorts:
        case Block::Devices: {
            kind = shortKind_ == LineKind::Short ? "Short" : "Open";
            lines = NodeLines(shortKind_, nodes_, board_);
            std::vector<FaultLine> common = CompLines(CompEntries(devices_, board_, notes));
            for (FaultLine& line : common) {
                line.Description = "common devices";
            }
            lines.insert(lines.end(), common.begin(), common.end());
            Title(lines);
            if (nodes_.empty()) {
                result_.Skip(firstLine_, "the " + title_ + " names no node");
            }
            break;
        }
        case Block::Pins: {
            kind = "Pins";
            lines = NodeLines(LineKind::Open, nodes_, board_);
            std::vector<FaultLine> onNode = CompLines(CompEntries(devices_, board_, notes));
            for (FaultLine& line : onNode) {
                line.Description = "devices on the node";
            }
            lines.insert(lines.end(), onNode.begin(), onNode.end());
            Title(lines);
            if (nodes_.empty()) {
                result_.Skip(firstLine_, "the " + title_ + " names no node");
            }
            break;
        }
        case Block::TestJet:
            kind = "TestJet";
            lines = CompLines(CompEntries({{device_, pin_}}, board_, notes));
            lines.front().Description =
                title_ + ": " + device_ + (details_.empty() ? "" : ", ") + JoinTexts(details_);
            break;
        }
        if (!lines.empty()) {
            if (!notes.empty()) {
                lines.front().Description += "; pins by name: " + JoinTexts(notes);
            }
            AddFault(result_, firstLine_, std::move(kind), std::move(lines), board_);
        }
        block_ = Block::None;
        analogOpen_ = false;
        title_.clear();
        device_.clear();
        pin_.clear();
        nodes_.clear();
        devices_.clear();
        parallel_.clear();
        details_.clear();
    }

    const std::vector<std::string_view>& lines_;
    const BoardLookup& board_;
    ReportResult& result_;
    std::size_t i_ = 0;

    Block block_ = Block::None;
    bool analogOpen_ = false; // an analog failure whose devices in parallel may still follow
    std::size_t firstLine_ = 0;
    std::string title_;
    std::string device_;
    std::string pin_;
    LineKind shortKind_ = LineKind::Short;
    std::vector<NamedNode> nodes_;
    std::vector<NamedPin> devices_;
    std::vector<NamedPin> parallel_;
    std::vector<std::string> details_;
};

} // namespace

bool LooksLikeKeysight3070Ticket(const std::vector<std::string_view>& lines) {
    for (const std::string_view line : lines) {
        const std::vector<std::string_view> words = Words(line);
        const std::string_view text = Trimmed(line);
        if (IsHasFailed(words) || StartsWith(text, "Shorts Report for ") ||
            StartsWith(text, "CHEK-POINT Report for ") || StartsWith(text, "TestJet Report for ")) {
            return true;
        }
    }
    return false;
}

void TranslateKeysight3070Ticket(const std::vector<std::string_view>& lines,
                                 const BoardLookup& board, ReportResult& result) {
    result.Kind = ReportKind::Keysight3070Ticket;
    result.Unit = TicketUnit(lines);
    TicketReader(lines, board, result).Run();
}

} // namespace dorvik
