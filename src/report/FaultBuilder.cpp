#include "report/FaultBuilder.h"

#include "faults/EntryActions.h"
#include "report/TextLines.h"

#include <algorithm>

namespace dorvik {

namespace {

bool AllDigits(std::string_view text) noexcept {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string DeviceOf(std::string_view testerName) {
    const std::size_t percent = testerName.find('%');
    if (percent == std::string_view::npos) {
        return std::string(testerName);
    }
    const std::string_view before = testerName.substr(0, percent);
    if (AllDigits(before)) {
        return DeviceOf(testerName.substr(percent + 1));
    }
    return std::string(before);
}

std::vector<FaultLine> ProbeLines(LineKind kind, const std::vector<std::int32_t>& probes) {
    std::vector<std::int32_t> unique;
    for (const std::int32_t p : probes) {
        if (std::find(unique.begin(), unique.end(), p) == unique.end()) {
            unique.push_back(p);
        }
    }
    std::vector<FaultLine> lines;
    if (unique.empty()) {
        return lines;
    }
    const std::string first = std::to_string(unique.front());
    if (unique.size() == 1) {
        lines.push_back(FaultLine{kind, {first}, {}, false});
    }
    for (std::size_t k = 1; k < unique.size(); k += 2) {
        FaultLine line{kind, {first, std::to_string(unique[k])}, {}, false};
        if (k + 1 < unique.size()) {
            line.Items.push_back(std::to_string(unique[k + 1]));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<FaultLine> NodeLines(LineKind kind, const std::vector<NamedNode>& nodes,
                                 const BoardLookup& board) {
    std::vector<std::int32_t> probes;
    std::vector<std::string> probeNodes; // the first node of each probe, for the descriptions
    std::vector<const NamedNode*> netless;
    for (const NamedNode& node : nodes) {
        const std::optional<std::int32_t> nail = board.NailOfNode(node.Name);
        if (!nail) {
            netless.push_back(&node);
            continue;
        }
        if (std::find(probes.begin(), probes.end(), *nail) == probes.end()) {
            probes.push_back(*nail);
            probeNodes.push_back(node.Detail.empty() ? node.Name
                                                     : node.Name + " (" + node.Detail + ")");
        }
    }
    std::vector<FaultLine> lines = ProbeLines(kind, probes);
    for (std::size_t l = 0; l < lines.size(); ++l) {
        std::vector<std::string> named{probeNodes.front()};
        for (std::size_t k = 1; k < lines[l].Items.size(); ++k) {
            named.push_back(probeNodes[1 + 2 * l + (k - 1)]);
        }
        lines[l].Description = JoinTexts(named, kind == LineKind::Open ? " to " : " with ");
    }
    for (const NamedNode* node : netless) {
        FaultLine line{LineKind::Net, {node->Name.substr(0, NetEntryMaxLength)}, {}, false};
        line.Description = node->Detail.empty()
                               ? node->Name + ": no nail on this net"
                               : node->Name + " (" + node->Detail + "): no nail on this net";
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> CompEntries(const std::vector<NamedPin>& pins, const BoardLookup& board,
                                     std::vector<std::string>& notes) {
    constexpr auto room = static_cast<std::size_t>(CompEntryMaxLength);
    std::vector<std::string> entries;
    std::vector<std::pair<std::string, std::size_t>> latest; // a part's name, its last entry
    for (const NamedPin& pin : pins) {
        std::string device = DeviceOf(pin.Device);
        if (device.empty()) {
            device = pin.Device; // "%x": no device before the subtest, the name stays whole
        }
        const std::string name = board.PartOfDevice(device).value_or(device);
        auto at = std::find_if(latest.begin(), latest.end(),
                               [&](const auto& known) { return known.first == name; });
        if (at == latest.end()) {
            entries.push_back(name.substr(0, room));
            latest.emplace_back(name, entries.size() - 1);
            at = latest.end() - 1;
        }
        if (pin.Pin.empty()) {
            continue;
        }
        if (!AllDigits(pin.Pin)) {
            notes.push_back(pin.Device + "." + pin.Pin);
            continue;
        }
        const std::string field = "," + pin.Pin;
        std::string& entry = entries[at->second];
        if ((entry + ",").find(field + ",") != std::string::npos) {
            continue; // a pin named twice counts once
        }
        if (entry.size() + field.size() <= room) {
            entry += field;
        } else {
            entries.push_back((name.substr(0, room - std::min(room, field.size())) + field));
            at->second = entries.size() - 1; // the part goes on in an entry of its own
        }
    }
    return entries;
}

std::vector<FaultLine> CompLines(const std::vector<std::string>& entries) {
    const auto partOf = [](std::string_view entry) { return entry.substr(0, entry.find(',')); };
    std::vector<FaultLine> lines;
    for (const std::string& entry : entries) {
        // The display marks a part's pins from the first entry naming it only: a part that goes
        // on in a further entry goes on in a further line.
        const bool named =
            !lines.empty() &&
            std::any_of(lines.back().Items.begin(), lines.back().Items.end(),
                        [&](const std::string& other) { return partOf(other) == partOf(entry); });
        if (lines.empty() || named || lines.back().Items.size() == MaxItems) {
            lines.push_back(FaultLine{LineKind::Comp, {}, {}, false});
        }
        lines.back().Items.push_back(entry);
    }
    return lines;
}

void AddFault(ReportResult& result, std::size_t lineNumber, std::string kind,
              std::vector<FaultLine> lines, const BoardLookup& board) {
    std::vector<FaultLine> kept;
    for (FaultLine& line : lines) {
        const std::string text = FormatFaultLine(line, {});
        const LineResult again = ParseFaultLine(text);
        const auto* parsed = std::get_if<FaultLineRead>(&again);
        if (parsed == nullptr || parsed->Line.Items != line.Items) {
            result.Skip(lineNumber, "a name the fault list cannot hold: " + Printable(text));
            continue;
        }
        // A tester's text that starts like a mark would read back as one.
        line.Description = ReadDescription(line.Description).Text;
        line.OnBoard = board.OnBoard(line);
        kept.push_back(std::move(line));
    }
    result.List.Add(Fault{std::move(kind), std::move(kept), false});
}

std::string JoinTexts(const std::vector<std::string>& texts, std::string_view separator) {
    std::string joined;
    for (const std::string& text : texts) {
        if (!joined.empty()) {
            joined += separator;
        }
        joined += text;
    }
    return joined;
}

} // namespace dorvik
