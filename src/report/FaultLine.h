#pragma once
// One line of a fault list: what one entry window would be given (the Open or Short window's
// probe numbers, the Nets window's name, the Component window's boxes), and the tester's words
// about it.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dorvik {

enum class LineKind { Open, Short, Net, Comp };

// The keyword of a kind as the file writes it: "open", "short", "net", "comp".
std::string_view KeywordOf(LineKind kind) noexcept;

struct FaultLine {
    LineKind Kind = LineKind::Open;
    // The boxes' texts in order, as Latin-1 bytes (the board's character set): one to three
    // probe numbers, one net name, or one to three component entries ("U321,22,123").
    std::vector<std::string> Items;
    // What the tester said about it, UTF-8; empty when nothing.
    std::string Description;
    // Whether the display finds everything the line names on the loaded board.
    bool OnBoard = false;

    bool operator==(const FaultLine&) const = default;
};

// The description markers of the file: a line whose description starts with "+" continues the
// fault of the line above; a fault whose first description starts with "[x]" is repaired.
inline constexpr std::string_view ContinuationMark = "+";
inline constexpr std::string_view RepairedMark = "[x]";

// A line of the file, read: nothing to read (blank or comment), a fault line with the marks
// found in its description, or why it cannot be read.
struct FaultLineRead {
    FaultLine Line;
    bool Continues = false;
    bool Repaired = false;
};
struct NothingToRead {};
struct UnreadableLine {
    std::string Reason;
};
using LineResult = std::variant<NothingToRead, FaultLineRead, UnreadableLine>;

LineResult ParseFaultLine(std::string_view text);

// A description as the list keeps it: one line of printable text, no blanks at either end, its
// leading mark words taken off and reported. Every mark word at the start counts, so a kept
// description never starts with one and the file reads back as the same faults whatever the
// marks written before it.
struct DescriptionRead {
    std::string Text;
    bool Continues = false;
    bool Repaired = false;
};
DescriptionRead ReadDescription(std::string_view said);

// "short 12 34 # Short #1": the keyword, the items (as UTF-8) and " # " with the description
// when there is one. The marks are the caller's: they are part of the description given.
std::string FormatFaultLine(const FaultLine& line, std::string_view description);
std::string FormatFaultLine(const FaultLine& line);

// The most items a line takes, and the box lengths of the Nets and Component windows.
inline constexpr std::size_t MaxItems = 3;

} // namespace dorvik
