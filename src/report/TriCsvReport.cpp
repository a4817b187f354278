#include "report/TriCsvReport.h"

#include "faults/EntryActions.h"
#include "report/FaultBuilder.h"
#include "report/TextLines.h"

#include <algorithm>
#include <optional>

namespace dorvik {

namespace {

constexpr std::size_t ComponentFields = 13;
constexpr std::size_t HeaderFieldsAtLeast = 20;

bool IsLetter(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) noexcept {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// "Open <" or "Short <" (the keyword, maybe blanks, then a group).
std::optional<LineKind> ProbeLineKind(std::string_view line) {
    const std::string_view text = Trimmed(line);
    for (const auto& [word, kind] : {std::pair{std::string_view("Open"), LineKind::Open},
                                     std::pair{std::string_view("Short"), LineKind::Short}}) {
        if (StartsWith(text, word) && Trimmed(text.substr(word.size())).substr(0, 1) == "<") {
            return kind;
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> CsvFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ',') {
            fields.push_back(Trimmed(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    return fields;
}

// Where the header record keeps the unit: by default the record starts at ICT_ID
// ("1,837,BOARD,SERIAL,YYYYMMDD,HHMMSS,F,…").
struct UnitColumns {
    std::size_t Board = 2;
    std::size_t Serial = 3;
    std::size_t Date = 4;
    std::size_t Time = 5;
};

constexpr std::size_t NoColumn = std::string_view::npos;

// A column's name as it is matched: without blanks, in lower case.
std::string ColumnKey(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (!IsBlankChar(c)) {
            key += c;
        }
    }
    return LowerAscii(key);
}

// The columns a comment "// PASS/FAIL, ICT_ID, SeriesNo, BoardName, BarCode, Date, Time, …"
// names; none when it names none of the unit's.
std::optional<UnitColumns> NamedColumns(std::string_view comment) {
    UnitColumns columns{NoColumn, NoColumn, NoColumn, NoColumn};
    const std::vector<std::string_view> names = CsvFields(comment.substr(2));
    bool named = false;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string key = ColumnKey(names[k]);
        for (const auto& [name, column] :
             {std::pair{"boardname", &columns.Board}, std::pair{"barcode", &columns.Serial},
              std::pair{"date", &columns.Date}, std::pair{"time", &columns.Time}}) {
            if (key == name && *column == NoColumn) {
                *column = k;
                named = true;
            }
        }
    }
    return named ? std::optional(columns) : std::nullopt;
}

ReportUnit HeaderUnit(const std::vector<std::string_view>& fields, const UnitColumns& columns) {
    const auto field = [&](std::size_t k) {
        return k < fields.size() ? fields[k] : std::string_view{};
    };
    return ReportUnit{UnitText(field(columns.Serial)), UnitText(field(columns.Board)),
                      TestedText(field(columns.Date), field(columns.Time))};
}

struct ProbeGroups {
    std::vector<std::int32_t> Probes;
    std::vector<std::string> Nodes; // "CPU_EDP_AUX_P (18 probes)"
    std::vector<std::string> Parts;
    std::string Error;
};

// The groups of an open or short line. A group followed by "-NET" is one node on that net,
// named by its first probe; a group without a net of its own gives all its probes.
ProbeGroups ReadGroups(std::string_view line) {
    ProbeGroups groups;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == '<') {
            const std::size_t close = line.find('>', i);
            if (close == std::string_view::npos) {
                groups.Error = "a probe group has no closing '>'";
                return groups;
            }
            std::vector<std::int32_t> numbers;
            for (const std::string_view word : Words(line.substr(i + 1, close - i - 1))) {
                const std::optional<std::int32_t> n =
                    AllDigits(word) ? ConvertInteger(word) : std::nullopt;
                if (!n) {
                    groups.Error = "'" + Printable(word) + "' is not a probe number";
                    return groups;
                }
                numbers.push_back(*n);
            }
            i = close + 1;
            std::string net;
            if (i < line.size() && line[i] == '-' && (i + 1 >= line.size() || line[i + 1] != '>')) {
                const std::size_t start = i + 1;
                while (i < line.size() && !IsBlankChar(line[i]) && line[i] != ';') {
                    ++i;
                }
                net = std::string(line.substr(start, i - start));
            }
            if (numbers.empty()) {
                continue;
            }
            if (net.empty()) {
                groups.Probes.insert(groups.Probes.end(), numbers.begin(), numbers.end());
            } else {
                groups.Probes.push_back(numbers.front());
                const std::string count = numbers.size() == 1
                                              ? "probe " + std::to_string(numbers.front())
                                              : std::to_string(numbers.size()) + " probes";
                groups.Nodes.push_back(net + " (" + count + ")");
            }
            continue;
        }
        if (line.substr(i, 6) == "Parts:") {
            const std::size_t start = i + 6;
            while (i < line.size() && !IsBlankChar(line[i]) && line[i] != ';') {
                ++i;
            }
            if (i > start) {
                groups.Parts.emplace_back(line.substr(start, i - start));
            }
            continue;
        }
        ++i;
    }
    return groups;
}

void TranslateProbeLine(std::string_view line, LineKind kind, std::size_t number,
                        const BoardLookup& board, ReportResult& result) {
    const ProbeGroups groups = ReadGroups(line);
    if (!groups.Error.empty()) {
        result.Skip(number, groups.Error);
        return;
    }
    std::vector<FaultLine> lines = ProbeLines(kind, groups.Probes);
    if (lines.empty()) {
        result.Skip(number, "the line names no probe");
        return;
    }
    const std::string name = kind == LineKind::Open ? "Open" : "Short";
    std::string description = name;
    if (!groups.Nodes.empty()) {
        description += ": " + JoinTexts(groups.Nodes, kind == LineKind::Open ? " to " : " with ");
    }
    if (!groups.Parts.empty()) {
        description += "; parts " + JoinTexts(groups.Parts);
    }
    lines.front().Description = description;
    AddFault(result, number, name, std::move(lines), board);
}

// The board's part a tester's test name stands for: the whole name when the board has it, else
// the name before a "/" ("LUS9/2_1"); a name "PART_PIN_PIN" with such a part gives its pins.
std::string ComponentEntry(std::string_view testName, const BoardLookup& board) {
    if (const auto whole = board.PartOfDevice(testName)) {
        return *whole;
    }
    const std::string_view first = testName.substr(0, testName.find('/'));
    if (const auto part = board.PartOfDevice(first)) {
        return *part;
    }
    const std::size_t underscore = first.find('_');
    if (underscore != std::string_view::npos) {
        const auto base = board.PartOfDevice(first.substr(0, underscore));
        std::string entry = base.value_or("");
        std::string_view rest = first.substr(underscore + 1);
        bool pins = base.has_value();
        while (pins && !rest.empty()) {
            const std::string_view pin = rest.substr(0, rest.find('_'));
            pins = AllDigits(pin);
            entry += "," + std::string(pin);
            rest = pin.size() < rest.size() ? rest.substr(pin.size() + 1) : std::string_view{};
        }
        if (pins && entry.size() <= static_cast<std::size_t>(CompEntryMaxLength)) {
            return entry;
        }
    }
    return std::string(first.substr(0, CompEntryMaxLength));
}

void TranslateComponentRow(const std::vector<std::string_view>& f, std::size_t number,
                           const BoardLookup& board, ReportResult& result) {
    if (f[1].empty()) {
        result.Skip(number, "a component row names no part");
        return;
    }
    if (!AllDigits(f[8]) || !AllDigits(f[9])) {
        result.Skip(number, "a component row's HPin and LPin are not probe numbers");
        return;
    }
    std::vector<std::string> entries{ComponentEntry(f[1], board)};
    // "CTC15/CTC16": further devices after the first, each a letter and a number at least.
    std::string_view rest = f[1];
    for (std::size_t slash = rest.find('/'); slash != std::string_view::npos;
         slash = rest.find('/')) {
        rest = rest.substr(slash + 1);
        const std::string_view segment = rest.substr(0, rest.find('/'));
        if (!segment.empty() && IsLetter(segment.front()) &&
            std::any_of(segment.begin(), segment.end(), IsDigit)) {
            const std::string name = board.PartOfDevice(segment).value_or(std::string(segment));
            if (std::find(entries.begin(), entries.end(), name) == entries.end()) {
                entries.push_back(name.substr(0, CompEntryMaxLength));
            }
        }
    }
    std::vector<FaultLine> lines = CompLines(entries);
    lines.front().Description = "Step " + std::string(f[0]) + " " + std::string(f[1]) + " (" +
                                std::string(f[7]) + "): measured " + std::string(f[11]) +
                                ", value " + std::string(f[2]) + ", standard " + std::string(f[3]) +
                                ", high limit " + std::string(f[4]) + ", low limit " +
                                std::string(f[5]) + ", HPin " + std::string(f[8]) + ", LPin " +
                                std::string(f[9]) + ", Loc " + std::string(f[10]);
    AddFault(result, number, "Component", std::move(lines), board);
}

} // namespace

bool LooksLikeTriCsv(const std::vector<std::string_view>& lines) {
    bool first = true;
    for (const std::string_view line : lines) {
        const std::string_view text = Trimmed(line);
        if (text.empty()) {
            continue;
        }
        if (ProbeLineKind(text) || StartsWith(text, "// Component_Data") ||
            StartsWith(text, "// Header_Data")) {
            return true;
        }
        if (first && !StartsWith(text, "//") && CsvFields(text).size() >= HeaderFieldsAtLeast) {
            return true; // the header record every file starts with
        }
        first = first && StartsWith(text, "//");
    }
    return false;
}

void TranslateTriCsv(const std::vector<std::string_view>& lines, const BoardLookup& board,
                     ReportResult& result) {
    result.Kind = ReportKind::TriCsv;
    UnitColumns columns;
    bool headerRead = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = Trimmed(lines[i]);
        if (text.empty()) {
            continue;
        }
        if (StartsWith(text, "//")) {
            if (!headerRead) {
                columns = NamedColumns(text).value_or(columns);
            }
            continue;
        }
        if (const std::optional<LineKind> kind = ProbeLineKind(text)) {
            TranslateProbeLine(text, *kind, i + 1, board, result);
            continue;
        }
        const std::vector<std::string_view> fields = CsvFields(text);
        if (fields.size() >= HeaderFieldsAtLeast) {
            if (!headerRead) {
                result.Unit = HeaderUnit(fields, columns); // the header record; results follow
                headerRead = true;
            }
            continue;
        }
        if (fields.size() >= ComponentFields && AllDigits(fields[0])) {
            TranslateComponentRow(fields, i + 1, board, result);
            continue;
        }
        result.Skip(i + 1, "neither an open or short line nor a component row of " +
                               std::to_string(ComponentFields) + " fields");
    }
}

} // namespace dorvik
