#pragma once
// Board files that break the format in every way a damaged disk, a careless tool or a hand edit
// can, each with what reading it into empty tables must give. The reader, the whole program and
// the script interface are all tested against this one table.

#include "board/BoardData.h"
#include "board/BoardReader.h"
#include "support/BoardText.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace dorvik::test {

struct MalformedBoard {
    std::string Name;   // a test-name fragment: letters and digits only
    std::string Stored; // the file's bytes
    std::int32_t Outline = 0, Parts = 0, Pins = 0, Nails = 0; // counts after reading it
    std::optional<ReadFinding> Finding; // the defect the reader must report, if it reports one
};

inline void PrintTo(const MalformedBoard& b, std::ostream* os) {
    *os << b.Name;
}

namespace malformed_detail {

inline std::string Repeat(const std::string& line, int times) {
    std::string out;
    out.reserve(line.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) {
        out += line;
    }
    return out;
}

// Two lines for every table, after the given var_data counts.
inline std::string TwoOfEach(const std::string& counts) {
    return Encode("str_length:\n10 10\nvar_data:\n" + counts +
                  " 0 0\nFormat:\n0 0\n100 100\nParts:\nA 1 1\nB 1 2\n"
                  "Pins:\n10 10 1 0 N\n20 20 2 0 M\nNails:\n1 10 10 1 N\n2 20 20 1 M\n");
}

// The first count given as `number`, with three outline lines to count.
inline std::string OutlineCountOf(const std::string& number) {
    return Encode("var_data:\n" + number + " 0 0 0 0 0\nFormat:\n0 0\n5 5\n9 9\n");
}

inline std::string NameLengthOf(const std::string& length) {
    return Encode("str_length:\n" + length + " " + length +
                  "\nvar_data:\n0 1 1 1 0 0\nParts:\nABCDEFGHIJ 1 1\n"
                  "Pins:\n0 0 1 0 ABCDEFGHIJ\nNails:\n1 0 0 1 ABCDEFGHIJ\n");
}

} // namespace malformed_detail

inline std::vector<MalformedBoard> MalformedBoards() {
    using namespace malformed_detail;
    const std::string good = Encode(WorkedExample);
    std::string rawBytes("\0\0N\0", 4);
    for (int c = 0x80; c < 0xFF; ++c) {
        rawBytes += static_cast<char>(c); // stored bytes above 0x7F, 0xFF aside (it ends a file)
    }
    const std::string over = "var_data:\n10001 30001 100000 30001 0 0\nFormat:\n" +
                             Repeat("1 1\n", OutlineCapacity + 1) + "Parts:\n" +
                             Repeat("P 1 0\n", PartCapacity + 1) + "Pins:\n" +
                             Repeat("1 1 1 0 N\n", PinCapacity + 1) + "Nails:\n" +
                             Repeat("1 1 1 1 N\n", NailCapacity + 1);

    using F = ReadFinding;
    return {
        {"EmptyFile", "", 0, 0, 0, 0, std::nullopt},
        {"PlainText", std::string(WorkedExample), 0, 0, 0, 0, std::nullopt},
        {"NulAndHighBytes",
         Encode("str_length:\n8 8\nvar_data:\n0 0 2 0 0 0\nPins:\n") + rawBytes + "\n" +
             Encode("1 2 3 0 N\n"),
         0, 0, 2, 0, std::nullopt},
        {"MegabyteLine",
         Encode("str_length:\n8 8\nvar_data:\n0 0 1 0 0 0\nPins:\n1 2 3 4 " +
                std::string(1 << 20, 'N') + "\n"),
         0, 0, 1, 0, F::LineCut},
        {"NoFinalNewline", good.substr(0, good.size() - 1), 5, 2, 5, 2, std::nullopt},
        {"CutInTheMiddleOfALine",
         Encode(std::string(WorkedExample.substr(0, WorkedExample.find("1100 1000") + 7))), 5, 2, 2,
         0, F::TooFewTokens},
        {"DataBeforeAnyHeader", Encode("1 2 3\n") + good, 5, 2, 5, 2, F::DataBeforeHeader},
        {"UnknownSection", good + Encode("Holes:\n1 2\n"), 5, 2, 5, 2, F::TooFewTokens},
        {"RepeatedSections",
         Encode("str_length:\n8 8\nvar_data:\n0 2 2 0 0 0\nParts:\nA 1 1\nPins:\n1 1 -99 0 N\n"
                "Parts:\nB 1 2\nPins:\n2 2 -99 0 M\n"),
         0, 2, 2, 0, std::nullopt},
        {"SectionsOutOfOrder",
         Encode("Nails:\n1 0 0 1 A\nPins:\n0 0 1 0 A\nParts:\nP 1 1\nvar_data:\n0 1 1 1 0 0\n"
                "str_length:\n4 4\n"),
         0, 1, 1, 1, F::NameBeforeLength},
        {"TooFewTokens",
         Encode("str_length:\n8\nvar_data:\n1\nFormat:\n5\nParts:\nU1\nPins:\n1\nNails:\n2\n"), 1,
         0, 0, 0, F::TooFewTokens},
        {"TooManyTokens",
         Encode("str_length:\n8 8 8 8 8 8 8 8 8 8 8 8 8\nvar_data:\n1 1 1 1 1 1 1 1 1 1 1 1\n"
                "Format:\n1 2 3\nParts:\nA 1 1 9 9\nPins:\n1 1 1 0 N 7 7\nNails:\n1 1 1 1 N 8\n"),
         1, 1, 1, 1, F::TooManyTokens},
        // Numbers wrap in 32 bits and stop at the first character that is not a digit.
        {"Number99999999999", OutlineCountOf("99999999999"), 3, 0, 0, 0, F::NumberOutOfRange},
        {"NumberMinus2147483649", OutlineCountOf("-2147483649"), 3, 0, 0, 0, F::NumberOutOfRange},
        {"NumberPlusAlone", OutlineCountOf("+"), 0, 0, 0, 0, F::NotANumber},
        {"NumberMinusAlone", OutlineCountOf("-"), 0, 0, 0, 0, F::NotANumber},
        {"NumberHex", OutlineCountOf("0x10"), 0, 0, 0, 0, F::NotANumber},
        {"NumberExponent", OutlineCountOf("1e308"), 1, 0, 0, 0, F::NotANumber},
        // Counts are held to the capacities and to the lines the file gives.
        {"CountsMinusOne", TwoOfEach("-1 -1 -1 -1"), 0, 0, 0, 0, std::nullopt},
        {"CountsZero", TwoOfEach("0 0 0 0"), 0, 0, 0, 0, std::nullopt},
        {"CountsAtCapacity", TwoOfEach("10000 30000 99999 30000"), 2, 2, 2, 2, std::nullopt},
        {"CountsCapacityPlusOne", TwoOfEach("10001 30001 100000 30001"), 2, 2, 2, 2, std::nullopt},
        {"Counts2147483647", TwoOfEach("2147483647 2147483647 2147483647 2147483647"), 2, 2, 2, 2,
         std::nullopt},
        {"NameLength0", NameLengthOf("0"), 0, 1, 1, 1, F::BadNameLength},
        {"NameLengthMinus1", NameLengthOf("-1"), 0, 1, 1, 1, F::BadNameLength},
        {"NameLength1", NameLengthOf("1"), 0, 1, 1, 1, F::NameCut},
        {"NameLength2147483647", NameLengthOf("2147483647"), 0, 1, 1, 1, F::BadNameLength},
        {"NamesLongerThanDeclared",
         Encode("str_length:\n3 3\nvar_data:\n0 1 1 0 0 0\nParts:\nLONGNAME 1 1\n"
                "Pins:\n1 1 1 0 LONGNET\n"),
         0, 1, 1, 0, F::NameCut},
        {"TablesFilledToCapacityPlusOne", Encode(over), OutlineCapacity, PartCapacity, PinCapacity,
         NailCapacity, F::TableFull},
        {"PinEndDecreasing",
         Encode("str_length:\n8 8\nvar_data:\n0 2 2 0 0 0\nParts:\nA 1 2\nB 1 1\n"
                "Pins:\n1 1 1 0 N\n2 2 2 0 N\n"),
         0, 2, 2, 0, F::PinEndDecreasing},
        {"PinEndNegative",
         Encode("str_length:\n8 8\nvar_data:\n0 1 1 0 0 0\nParts:\nA 1 -5\nPins:\n1 1 1 0 N\n"), 0,
         1, 1, 0, F::PinEndDecreasing},
        {"PinEndPastPinCount",
         Encode("str_length:\n8 8\nvar_data:\n0 1 1 0 0 0\nParts:\nA 1 50\nPins:\n1 1 1 0 N\n"), 0,
         1, 1, 0, F::PinEndPastCount},
        {"CoordinatesAtTheInt32Limits",
         Encode("str_length:\n8 8\nvar_data:\n2 1 2 1 0 0\nFormat:\n2147483647 -2147483647\n"
                "-2147483647 2147483647\nParts:\nU1 0 2\nPins:\n2147483647 2147483647 1 0 A\n"
                "-2147483647 -2147483647 -99 0 A\nNails:\n1 2147483647 -2147483647 1 A\n"),
         2, 1, 2, 1, std::nullopt},
    };
}

} // namespace dorvik::test
