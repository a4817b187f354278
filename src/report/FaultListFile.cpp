#include "report/FaultListFile.h"

#include "report/TextLines.h"

#include <optional>

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

namespace {

// The notes Dorvik writes as comments: the unit at the top, a fault's kind before its first line.
constexpr std::string_view SerialNote = "serial";
constexpr std::string_view BoardNote = "board";
constexpr std::string_view TestedNote = "tested";
constexpr std::string_view KindNote = "kind";

struct Note {
    std::string Key; // lower case
    std::string Value;
};

// "# key: value", or none when the comment is not such a note.
std::optional<Note> NoteOf(std::string_view comment) {
    const std::string_view body = comment.substr(1);
    const std::size_t colon = body.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string key = LowerAscii(Trimmed(body.substr(0, colon)));
    for (const std::string_view known : {SerialNote, BoardNote, TestedNote, KindNote}) {
        if (key == known) {
            return Note{key, UnitText(body.substr(colon + 1))};
        }
    }
    return std::nullopt;
}

void TakeUnitNote(const Note& note, ReportUnit& unit) {
    if (note.Value.empty()) {
        return; // says nothing
    }
    if (note.Key == SerialNote) {
        unit.Serial = note.Value;
    } else if (note.Key == BoardNote) {
        unit.Board = note.Value;
    } else if (note.Key == TestedNote && IsTestedText(note.Value)) {
        unit.Tested = note.Value;
    }
}

void WriteNote(std::string& text, std::string_view key, std::string_view value) {
    if (!value.empty()) {
        text += "# " + std::string(key) + ": " + std::string(value) + "\n";
    }
}

} // namespace

void ReadFaultListLines(const std::vector<std::string_view>& lines, const BoardLookup& board,
                        ReportResult& result) {
    result.Kind = ReportKind::FaultListFile;
    bool atTop = true;               // only comments and blank lines so far
    std::optional<std::string> kind; // of the fault the next fault line starts
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = Trimmed(lines[i]);
        if (StartsWith(text, "#")) {
            if (const std::optional<Note> note = NoteOf(text)) {
                if (note->Key == KindNote) {
                    kind = note->Value.empty() ? std::nullopt : std::optional(note->Value);
                } else if (atTop) {
                    TakeUnitNote(*note, result.Unit);
                }
            }
            continue;
        }
        atTop = atTop && text.empty();
        LineResult read = ParseFaultLine(text);
        if (auto* bad = std::get_if<UnreadableLine>(&read)) {
            result.Skip(i + 1, std::move(bad->Reason));
            kind.reset(); // the kind of the fault lost with the line
            continue;
        }
        auto* parsed = std::get_if<FaultLineRead>(&read);
        if (parsed == nullptr) {
            continue;
        }
        parsed->Line.OnBoard = board.OnBoard(parsed->Line);
        const std::string keyword(KeywordOf(parsed->Line.Kind));
        if (parsed->Continues) {
            result.List.Continue(std::move(parsed->Line), keyword);
        } else {
            result.List.Add(
                Fault{kind.value_or(keyword), {std::move(parsed->Line)}, parsed->Repaired});
        }
        kind.reset();
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

std::string WriteFaultList(const FaultList& list, const ReportUnit& unit) {
    std::string text;
    WriteNote(text, SerialNote, UnitText(unit.Serial));
    WriteNote(text, BoardNote, UnitText(unit.Board));
    if (IsTestedText(unit.Tested)) {
        WriteNote(text, TestedNote, unit.Tested);
    }
    for (std::size_t k = 0; k < list.LineCount(); ++k) {
        const LinePlace place = list.PlaceOf(k);
        const Fault& fault = list.Faults()[place.Fault];
        if (place.Line == 0) {
            const std::string kind = UnitText(fault.Kind);
            if (kind != KeywordOf(fault.Lines.front().Kind)) {
                WriteNote(text, KindNote, kind);
            }
        }
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
