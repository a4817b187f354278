#include "repairlog/FaultFacts.h"

#include "faults/EntryActions.h"
#include "faults/ProbeResolve.h"
#include "report/TextLines.h"

#include <algorithm>
#include <charconv>

namespace dorvik {
namespace {

void AddOnce(std::vector<std::string>& words, std::string word) {
    if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end()) {
        words.push_back(std::move(word));
    }
}

void AddProbe(FaultFacts& facts, std::int32_t probe) {
    if (probe != 0) {
        AddOnce(facts.Probes, std::to_string(probe));
    }
}

std::optional<std::int32_t> PartNamed(const BoardData& board, std::string_view name) {
    const std::span<const PartEntry> parts = board.Parts();
    for (std::size_t j = 0; j < parts.size(); ++j) {
        if (NameView(parts[j].Name) == name) {
            return static_cast<std::int32_t>(j);
        }
    }
    return std::nullopt;
}

// "U5,3,7": each listed pin's net and probe.
void AddCompEntry(FaultFacts& facts, std::string_view entry, const BoardData& board) {
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
        const std::size_t comma = entry.find(',', from);
        fields.push_back(Trimmed(entry.substr(from, comma - from)));
        if (comma == std::string_view::npos) {
            break;
        }
        from = comma + 1;
    }
    const std::optional<std::int32_t> part = PartNamed(board, fields.front());
    if (!part) {
        return;
    }
    const std::int32_t first = std::max(FirstPinOf(board, *part), std::int32_t{0});
    const std::span<const PinEntry> pins = board.Pins();
    const std::int32_t end = std::min(board.Parts()[static_cast<std::size_t>(*part)].PinEnd,
                                      static_cast<std::int32_t>(pins.size()));
    for (std::size_t k = 1; k < fields.size(); ++k) {
        std::int32_t number = 0;
        const std::string_view field = fields[k];
        const auto read = std::from_chars(field.data(), field.data() + field.size(), number);
        if (read.ec != std::errc{} || read.ptr != field.data() + field.size() || number < 1 ||
            number > end - first) {
            continue;
        }
        const PinEntry& pin = pins[static_cast<std::size_t>(first + number - 1)];
        AddOnce(facts.Nets, Utf8FromLatin1(NameView(pin.Net)));
        AddProbe(facts, pin.Probe);
    }
}

void AddLine(FaultFacts& facts, const FaultLine& line, const BoardData& board) {
    for (const std::string& item : line.Items) {
        switch (line.Kind) {
        case LineKind::Open:
        case LineKind::Short: {
            const std::optional<std::int32_t> probe = ProbeNumberOf(item);
            if (!probe || *probe == 0) {
                break;
            }
            AddProbe(facts, *probe);
            if (const ProbeResolution resolved = ResolveProbe(board, *probe); resolved.Net) {
                AddOnce(facts.Nets, Utf8FromLatin1(*resolved.Net));
            }
            break;
        }
        case LineKind::Net:
            AddOnce(facts.Nets, Utf8FromLatin1(item));
            break;
        case LineKind::Comp:
            AddCompEntry(facts, item, board);
            break;
        }
    }
}

} // namespace

std::string LinesOf(const Fault& fault) {
    std::string lines;
    for (const FaultLine& line : fault.Lines) {
        lines += lines.empty() ? "" : " | ";
        lines += FormatFaultLine(line, {});
    }
    return lines;
}

std::vector<std::string> PartsOf(const Fault& fault) {
    std::vector<std::string> parts;
    for (const FaultLine& line : fault.Lines) {
        if (line.Kind != LineKind::Comp) {
            continue;
        }
        for (const std::string& entry : line.Items) {
            AddOnce(parts,
                    Utf8FromLatin1(Trimmed(std::string_view(entry).substr(0, entry.find(',')))));
        }
    }
    return parts;
}

FaultFacts FactsOf(const Fault& fault, const BoardData& board) {
    FaultFacts facts;
    facts.Kind = fault.Kind;
    facts.Lines = LinesOf(fault);
    facts.Parts = PartsOf(fault);
    for (const FaultLine& line : fault.Lines) {
        if (!line.Description.empty()) {
            facts.Description += facts.Description.empty() ? "" : " | ";
            facts.Description += line.Description;
        }
        AddLine(facts, line, board);
    }
    return facts;
}

std::string JoinedByBlanks(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += text.empty() ? "" : " ";
        text += word;
    }
    return text;
}

std::vector<std::string> SplitAtBlanks(std::string_view text) {
    std::vector<std::string> words;
    for (const std::string_view word : Words(text)) {
        words.emplace_back(word);
    }
    return words;
}

} // namespace dorvik
