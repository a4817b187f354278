#include "report/FaultLine.h"

#include "faults/EntryActions.h"
#include "report/TextLines.h"

#include <array>

namespace dorvik {

namespace {

constexpr std::array<std::pair<std::string_view, LineKind>, 4> Keywords{{
    {"open", LineKind::Open},
    {"short", LineKind::Short},
    {"net", LineKind::Net},
    {"comp", LineKind::Comp},
}};

// Splits "items # description" at the first " # " (or a closing " #").
std::pair<std::string_view, std::string_view> SplitDescription(std::string_view text) noexcept {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (IsBlankChar(text[i]) && text[i + 1] == '#' &&
            (i + 2 == text.size() || IsBlankChar(text[i + 2]))) {
            const std::string_view rest = i + 2 < text.size() ? text.substr(i + 3) : "";
            return {text.substr(0, i), Trimmed(rest)};
        }
    }
    return {text, {}};
}

std::string CountWord(std::size_t n, std::string_view word) {
    return std::to_string(n) + " " + std::string(word) + (n == 1 ? "" : "s");
}

// Whether the description starts with the mark as a word of its own.
bool StartsWithMark(std::string_view said, std::string_view mark) noexcept {
    return StartsWith(said, mark) && (said.size() == mark.size() || IsBlankChar(said[mark.size()]));
}

} // namespace

std::string_view KeywordOf(LineKind kind) noexcept {
    for (const auto& [word, k] : Keywords) {
        if (k == kind) {
            return word;
        }
    }
    return "open";
}

LineResult ParseFaultLine(std::string_view text) {
    const std::string_view trimmed = Trimmed(text);
    if (trimmed.empty() || trimmed.front() == '#') {
        return NothingToRead{};
    }
    const auto [body, description] = SplitDescription(trimmed);
    const std::vector<std::string_view> words = Words(body);
    const LineKind* kind = nullptr;
    for (const auto& [word, k] : Keywords) {
        if (EqualsIgnoringCase(words.front(), word)) {
            kind = &k;
        }
    }
    if (kind == nullptr) {
        return UnreadableLine{"'" + Printable(words.front()) + "' is not open, short, net or comp"};
    }
    const std::size_t count = words.size() - 1;
    const std::size_t most = *kind == LineKind::Net ? 1 : MaxItems;
    if (count == 0 || count > most) {
        return UnreadableLine{
            std::string(KeywordOf(*kind)) +
            (most == 1 ? " takes one name, not " : " takes 1 to 3 entries, not ") +
            std::to_string(count)};
    }

    FaultLineRead parsed;
    parsed.Line.Kind = *kind;
    for (std::size_t k = 1; k < words.size(); ++k) {
        std::string item = Latin1FromUtf8(words[k]);
        switch (*kind) {
        case LineKind::Open:
        case LineKind::Short:
            if (!ConvertInteger(item)) {
                return UnreadableLine{"'" + Printable(words[k]) +
                                      "' is not a probe number (a whole number of 32 bits)"};
            }
            break;
        case LineKind::Net:
            if (item.size() > static_cast<std::size_t>(NetEntryMaxLength)) {
                return UnreadableLine{"the net name is longer than " +
                                      CountWord(NetEntryMaxLength, "character")};
            }
            break;
        case LineKind::Comp:
            if (item.size() > static_cast<std::size_t>(CompEntryMaxLength)) {
                return UnreadableLine{"a component entry is longer than " +
                                      CountWord(CompEntryMaxLength, "character")};
            }
            break;
        }
        parsed.Line.Items.push_back(std::move(item));
    }

    DescriptionRead said = ReadDescription(description);
    parsed.Continues = said.Continues;
    parsed.Repaired = said.Repaired;
    parsed.Line.Description = std::move(said.Text);
    return parsed;
}

DescriptionRead ReadDescription(std::string_view said) {
    DescriptionRead read;
    const std::string printable = Printable(said);
    std::string_view rest = Trimmed(printable);
    for (;;) {
        if (StartsWithMark(rest, ContinuationMark)) {
            read.Continues = true;
            rest = Trimmed(rest.substr(ContinuationMark.size()));
        } else if (StartsWithMark(rest, RepairedMark)) {
            read.Repaired = true;
            rest = Trimmed(rest.substr(RepairedMark.size()));
        } else {
            break;
        }
    }
    read.Text = std::string(rest);
    return read;
}

std::string FormatFaultLine(const FaultLine& line, std::string_view description) {
    std::string text(KeywordOf(line.Kind));
    for (const std::string& item : line.Items) {
        text += ' ';
        text += Utf8FromLatin1(item);
    }
    if (!description.empty()) {
        text += " # ";
        text += description;
    }
    return text;
}

std::string FormatFaultLine(const FaultLine& line) {
    return FormatFaultLine(line, line.Description);
}

} // namespace dorvik
