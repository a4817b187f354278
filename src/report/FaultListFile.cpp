#include "report/FaultListFile.h"

namespace dorvik {

void ReportResult::Skip(std::size_t lineNumber, std::string reason) {
    ++SkippedLines;
    if (Problems.size() < MaxProblemsKept) {
        Problems.push_back({lineNumber, std::move(reason)});
    }
}

std::string_view ReportKindName(ReportKind kind) noexcept {
    switch (kind) {
    case ReportKind::FaultListFile:
        return "fault list";
    case ReportKind::TriCsv:
        return "TRI CSV failure file";
    case ReportKind::Keysight3070Ticket:
        return "Keysight 3070 failure ticket";
    case ReportKind::Keysight3070Datalog:
        return "Keysight 3070 datalog";
    case ReportKind::Unknown:
        break;
    }
    return "unknown";
}

void ReadFaultListLines(const std::vector<std::string_view>& lines, const BoardLookup& board,
                        ReportResult& result) {
    result.Kind = ReportKind::FaultListFile;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        LineResult read = ParseFaultLine(lines[i]);
        if (auto* bad = std::get_if<UnreadableLine>(&read)) {
            result.Skip(i + 1, std::move(bad->Reason));
            continue;
        }
        auto* parsed = std::get_if<FaultLineRead>(&read);
        if (parsed == nullptr) {
            continue;
        }
        parsed->Line.OnBoard = board.OnBoard(parsed->Line);
        const std::string kind(KeywordOf(parsed->Line.Kind));
        if (parsed->Continues) {
            result.List.Continue(std::move(parsed->Line), kind);
        } else {
            result.List.Add(Fault{kind, {std::move(parsed->Line)}, parsed->Repaired});
        }
    }
}

std::string SavedLineText(const FaultList& list, std::size_t k) {
    const LinePlace place = list.PlaceOf(k);
    const Fault& fault = list.Faults()[place.Fault];
    const FaultLine& line = fault.Lines[place.Line];
    std::string description;
    if (place.Line > 0) {
        description = std::string(ContinuationMark);
    } else if (fault.Repaired) {
        description = std::string(RepairedMark);
    }
    if (!line.Description.empty()) {
        description += description.empty() ? "" : " ";
        description += line.Description;
    }
    return FormatFaultLine(line, description);
}

std::string WriteFaultList(const FaultList& list) {
    std::string text;
    for (std::size_t k = 0; k < list.LineCount(); ++k) {
        text += SavedLineText(list, k);
        text += '\n';
    }
    return text;
}

std::string FaultsListing(const FaultList& list) {
    std::string text = "faults: " + std::to_string(list.LineCount()) + "\n";
    for (std::size_t k = 0; k < list.LineCount(); ++k) {
        text += "fault " + std::to_string(k + 1) + ": " + SavedLineText(list, k) + "\n";
    }
    return text;
}

bool IsFaultListLine(std::string_view line) {
    return std::holds_alternative<FaultLineRead>(ParseFaultLine(line));
}

} // namespace dorvik
