#include "brd/Checker.h"

#include "support/BoardText.h"
#include "support/MalformedBoards.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace dorvik::brd {
namespace {

using test::Encode;
using test::WorkedExample;

// The worked example with one piece of text replaced.
std::string Edited(std::string_view from, std::string_view to) {
    std::string text(WorkedExample);
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string Report(const CheckReport& report) {
    std::string all;
    for (const CheckFinding& f : report.Findings) {
        all += std::to_string(f.Line) + ": " + f.Message + "\n";
    }
    return all;
}

bool Has(const CheckReport& report, int line, std::string_view text) {
    for (const CheckFinding& f : report.Findings) {
        if (f.Line == line && f.Message.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(Checker, WellFormedBoardsPass) {
    EXPECT_TRUE(CheckBoardBytes(Encode(WorkedExample)).Clean());
    // CR LF line ends and a missing final line feed are within the format.
    std::string crLf;
    for (char c : WorkedExample) {
        crLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    crLf.pop_back();
    crLf.pop_back();
    const CheckReport report = CheckBoardBytes(Encode(crLf));
    EXPECT_TRUE(report.Clean()) << Report(report);
}

struct Defect {
    const char* name;
    std::string plain; // stored with Encode before the check
    int line;          // where the finding must be reported (0: the whole file)
    const char* text;  // part of its message
};

std::string OutlineOverCapacity() {
    std::string text = "str_length:\n12 16\nvar_data:\n10001 0 0 0 0 0\nFormat:\n";
    for (int i = 0; i < 10001; ++i) {
        text += std::to_string(i) + " 0\n";
    }
    return text;
}

// Each out-of-format case of a board file, as the smallest change to a good board. Line numbers
// are those of the worked example: 4 the counts, 12 and 13 the parts, 15 to 19 the pins, 21 and
// 22 the nails.
const Defect Defects[] = {
    {"count differs from the lines", Edited("5 2 5 2 0 0", "5 2 6 2 0 0"), 4,
     "PinCount 6, but 5 lines under \"Pins:\""},
    {"count above the capacity", Edited("5 2 5 2 0 0", "5 2 5 30001 0 0"), 4,
     "NailCount 30001 is outside 0 to the capacity 30000"},
    {"negative count", Edited("5 2 5 2 0 0", "-1 2 5 2 0 0"), 4, "OutlineCount -1 is outside"},
    {"table over its capacity", OutlineOverCapacity(), 6 + 10000, "outline table full"},
    {"PinEnd decreasing", Edited("U1 5 4\nR7 1 5", "U1 5 5\nR7 1 3"), 13, "PinEnd decreases"},
    {"PinEnd past PinCount", Edited("R7 1 5", "R7 1 9"), 13, "PinEnd 9 past PinCount 5"},
    {"pins after the last PinEnd", Edited("R7 1 5", "R7 1 4"), 19, "belong to no part"},
    {"name longer than declared", Edited("U1 5 4", "U123456789012 5 4"), 12,
     "U123456789012 is longer than 12 - 1"},
    {"name before str_length", Edited("str_length:\n12 16\n", "") + "str_length:\n12 16\n", 10,
     "name before \"str_length:\""},
    {"unusable name length", Edited("12 16", "12 0"), 2, "net name length 0"},
    {"line over 399 bytes", Edited("N0001", "N" + std::string(420, '1')), 16,
     "longer than 399 bytes"},
    {"token over 79 characters", Edited("N0001", std::string(90, 'N')), 16,
     "longer than 79 characters"},
    {"more than 10 tokens", Edited("2000 1500 12 0 VCC", "1 2 3 4 5 6 7 8 9 10 11"), 19,
     "more than 10 tokens"},
    {"more tokens than read", Edited("12 1000 1000 1 VCC", "12 1000 1000 1 VCC spare"), 21,
     "too many tokens (6 tokens, 5 read)"},
    {"too few tokens", Edited("3000 0\n", "3000\n"), 7, "too few tokens (1 of 2 tokens)"},
    {"number that is not a number", Edited("3000 2000", "3000 2k"), 8,
     "\"2k\" is not a whole number; it reads as 2"},
    {"sign without digits", Edited("3000 2000", "3000 -"), 8, "\"-\" is not a whole number"},
    {"number beyond 32 bits", Edited("3000 2000", "3000 99999999999"), 8,
     "\"99999999999\" does not fit in 32 bits"},
    {"number below 32 bits", Edited("3000 2000", "3000 -2147483649"), 8, "does not fit in 32 bits"},
    {"data before the first keyword", "junk\n" + std::string(WorkedExample), 1,
     "data before the first section keyword"},
    {"no var_data", Edited("var_data:\n5 2 5 2 0 0\n", ""), 0, "no \"var_data:\" line"},
    {"duplicate part name", Edited("R7 1 5", "U1 1 5"), 13, "part name \"U1\" is also on line 12"},
    {"duplicate nail number", Edited("13 1100 1100 1 GND", "12 1100 1100 1 GND"), 22,
     "nail number 12 is also on line 21"},
    {"probe without a nail", Edited("1100 1100 13 0 GND", "1100 1100 14 0 GND"), 17,
     "pin 3 of U1: probe 14 matches no nail"},
    {"probe on a nail of another net", Edited("1000 1100 -99 0 N0002", "1000 1100 13 0 N0002"), 18,
     "pin 4 of U1 is on net \"N0002\", but its probe 13 touches net \"GND\""},
    {"nail on a net no pin carries", Edited("13 1100 1100 1 GND", "13 1100 1100 1 AGND"), 22,
     "nail 13: no pin carries its net \"AGND\""},
    {"nail side neither top nor bottom", Edited("12 1000 1000 1 VCC", "12 1000 1000 3 VCC"), 21,
     "side 3, neither 1 (top) nor 2 (bottom)"},
    {"kind beyond a byte", Edited("R7 1 5", "R7 300 5"), 13,
     "kind 44 (as stored) of part \"R7\" sets bits beyond the low four"},
    {"no keyword at all", "just some words\nand more\n", 0, "no section keyword anywhere"},
    {"duplicate name a terminal cannot show",
     Edited("U1 5 4\nR7 1 5", "\x01\xE9 5 4\n\x01\xE9 1 5"), 13,
     "part name \"\\x01\\xE9\" is also on line 12"},
};

TEST(Checker, FindsEachDefectOnItsLine) {
    for (const Defect& d : Defects) {
        const CheckReport report = CheckBoardBytes(Encode(d.plain));
        EXPECT_TRUE(Has(report, d.line, d.text))
            << d.name << ": expected on line " << d.line << ": " << d.text << "\nfound:\n"
            << Report(report);
    }
}

TEST(Checker, PlainTextIsToldApartFromTheStoredForm) {
    const CheckReport report = CheckBoardBytes(WorkedExample);
    ASSERT_EQ(report.Findings.size(), 1u) << Report(report);
    EXPECT_TRUE(Has(report, 0, "plain text, not the stored form"));
}

TEST(Checker, EmptyFileHasNothingToRead) {
    EXPECT_TRUE(Has(CheckBoardBytes(""), 0, "no section keyword anywhere"));
}

TEST(Checker, RawBytesTheReaderSkipsAreReported) {
    const std::string stored = Encode(WorkedExample) + "\xFF" + Encode("13 1 1 1 GND\n");
    EXPECT_TRUE(Has(CheckBoardBytes(stored), 23, "byte 0xFF ends the input; the 13 bytes"));
    // A Ctrl-Z that only closes the file, as old editors wrote it, is no finding.
    EXPECT_TRUE(CheckBoardBytes(Encode(WorkedExample) + "\x1A").Clean());
    // A carriage return is dropped unless it ends a line.
    std::string strayCr = Encode(WorkedExample);
    strayCr.insert(strayCr.find(Encode("3000 2000")) + 2, "\r");
    EXPECT_TRUE(Has(CheckBoardBytes(strayCr), 8, "byte 0x0D inside the line is dropped"));
}

TEST(Checker, ListsAFewOfEachKindAndCountsTheRest) {
    std::string text(WorkedExample);
    for (int i = 0; i < 30; ++i) {
        text += "x" + std::to_string(i) + " 1000 1000 1 GND\n";
    }
    const CheckReport report = CheckBoardBytes(Encode(text));
    std::size_t notNumbers = 0;
    for (const CheckFinding& f : report.Findings) {
        notNumbers += f.Message.rfind("\"x", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(notNumbers, FindingsPerKind);
    EXPECT_TRUE(Has(report, 0, "10 more like: \"x0\" is not a whole number")) << Report(report);
}

// Every malformed file the program is tested with is reported, except the few that keep to the
// format (a missing last line feed, sections given in two blocks, coordinates at the limits).
TEST(Checker, ReportsEveryMalformedBoard) {
    const std::set<std::string> withinTheFormat = {"NoFinalNewline", "RepeatedSections",
                                                   "CoordinatesAtTheInt32Limits"};
    for (const test::MalformedBoard& b : test::MalformedBoards()) {
        const CheckReport report = CheckBoardBytes(b.Stored);
        EXPECT_FALSE(report.Error) << b.Name;
        EXPECT_EQ(report.Findings.empty(), withinTheFormat.count(b.Name) == 1) << b.Name << ":\n"
                                                                               << Report(report);
    }
}

} // namespace
} // namespace dorvik::brd
