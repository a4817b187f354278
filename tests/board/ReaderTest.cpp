#include "support/BoardText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace dorvik {
namespace {

using test::Encode;
using test::ReadStored;
using test::ReadText;
using test::WorkedExample;

struct Collected final : ReadObserver {
    std::vector<std::pair<std::int64_t, ReadFinding>> findings;
    void Finding(std::int64_t line, ReadFinding f, std::string_view) override {
        findings.emplace_back(line, f);
    }
    bool Has(ReadFinding f) const {
        for (const auto& [line, finding] : findings) {
            if (finding == f) {
                return true;
            }
        }
        return false;
    }
};

class Reader : public ::testing::Test {
protected:
    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    const PartEntry& Part(int i) const { return board->PartTable[static_cast<std::size_t>(i)]; }
    const PinEntry& Pin(int i) const { return board->PinTable[static_cast<std::size_t>(i)]; }
    const NailEntry& Nail(int i) const { return board->NailTable[static_cast<std::size_t>(i)]; }
};

TEST_F(Reader, WorkedExampleFillsEveryTable) {
    ReadText(*board, WorkedExample);
    EXPECT_EQ(board->PartNameLength, 12);
    EXPECT_EQ(board->NetNameLength, 16);
    EXPECT_EQ(board->OutlineCount, 5);
    EXPECT_EQ(board->PartCount, 2);
    EXPECT_EQ(board->PinCount, 5);
    EXPECT_EQ(board->NailCount, 2);
    EXPECT_EQ(board->OutlineTable[2].X, 3000);
    EXPECT_EQ(board->OutlineTable[2].Y, 2000);
    EXPECT_STREQ(PartName(Part(0)), "U1");
    EXPECT_EQ(Part(0).Kind, 5);
    EXPECT_EQ(Part(0).PinEnd, 4);
    EXPECT_STREQ(PartName(Part(1)), "R7");
    EXPECT_EQ(Part(1).PinEnd, 5);
    EXPECT_EQ(Pin(1).X, 1100);
    EXPECT_EQ(Pin(1).Probe, NoProbe);
    EXPECT_STREQ(PinNet(Pin(1)), "N0001");
    EXPECT_STREQ(PinNet(Pin(4)), "VCC");
    EXPECT_EQ(Nail(1).Number, 13);
    EXPECT_EQ(Nail(1).Side, 1);
    EXPECT_STREQ(NailNet(Nail(1)), "GND");
    EXPECT_TRUE(IsSmd(Part(0).Kind));
    EXPECT_FALSE(IsSmd(Part(1).Kind));
}

// The same board written in different but equivalent ways reads the same.
TEST_F(Reader, LineEndingsEmptyLinesAndMissingFinalNewlineChangeNothing) {
    std::string stored = Encode(WorkedExample);
    std::string crlf;
    for (char c : stored) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    std::string spaced;
    for (char c : stored) {
        spaced += c;
        if (c == '\n') {
            spaced += "\n\r\n";
        }
    }
    const std::string noFinalNewline = stored.substr(0, stored.size() - 1);
    const std::string withDataBeforeHeader = Encode("1 2 3\nhello\n") + stored;

    for (const std::string& variant : {crlf, spaced, noFinalNewline, withDataBeforeHeader}) {
        auto other = std::make_unique<BoardData>();
        ReadStored(*other, variant);
        EXPECT_EQ(other->PinCount, 5);
        EXPECT_EQ(other->NailCount, 2);
        EXPECT_EQ(other->NailTable[1].Number, 13);
        EXPECT_STREQ(other->NailTable[1].Net.data(), "GND");
        EXPECT_EQ(other->OutlineTable[4].X, 0);
        EXPECT_EQ(other->PinTable[4].X, 2000);
    }
}

TEST_F(Reader, LastLineWithoutNewlineIsStoredAndFinalNewlineAddsNothing) {
    ReadText(*board, "var_data:\n2 0 0 0 0 0\nFormat:\n1 2\n3 4");
    EXPECT_EQ(board->OutlineCount, 2);
    EXPECT_EQ(board->OutlineTable[1].X, 3);
    EXPECT_EQ(board->OutlineTable[1].Y, 4);
    EXPECT_EQ(board->OutlineTable[2].X, 0);
}

TEST_F(Reader, CtrlZAndByte0xFFEndTheInput) {
    const std::string head = Encode("var_data:\n2 0 0 0 0 0\nFormat:\n1 2\n");
    const std::string tail = Encode("3 4\n");
    for (char end : {'\x1A', '\xFF'}) {
        auto other = std::make_unique<BoardData>();
        ReadStored(*other, head + end + tail);
        EXPECT_EQ(other->OutlineCount, 1) << int(static_cast<unsigned char>(end));
        EXPECT_EQ(other->OutlineTable[1].X, 0);
    }
    // The bytes of a line read before 0xFF still count as that line.
    auto other = std::make_unique<BoardData>();
    ReadStored(*other, head + Encode("5 6") + '\xFF' + tail);
    EXPECT_EQ(other->OutlineTable[1].X, 5);
    EXPECT_EQ(other->OutlineCount, 2);
}

// The reader takes a file in blocks of 64 KiB: a line, its dropped carriage returns and a
// stored byte 0xFF read the same wherever a block ends among them.
TEST_F(Reader, LinesReadTheSameWhereverABlockOfTheFileEnds) {
    const std::string head = Encode("var_data:\n2 0 0 0 0 0\nFormat:\n");
    const std::string line =
        "\r" + Encode("12") + "\r\r" + Encode("34 5") + "\r" + Encode("6") + "\r\n";
    const std::size_t block = std::size_t{1} << 16;
    for (std::size_t start = block - line.size() - 5; start <= block + 1; ++start) {
        const std::string padding(start - head.size(), '\n');
        auto other = std::make_unique<BoardData>();
        ReadStored(*other, head + padding + line + Encode("7 8") + '\xFF' + Encode("9 9\n"));
        EXPECT_EQ(other->OutlineCount, 2) << start;
        EXPECT_EQ(other->OutlineTable[0].X, 1234) << start;
        EXPECT_EQ(other->OutlineTable[0].Y, 56) << start;
        EXPECT_EQ(other->OutlineTable[1].X, 7) << start;
        EXPECT_EQ(other->OutlineTable[1].Y, 8) << start;
    }
}

TEST_F(Reader, KeywordAnywhereInALineOpensItsSection) {
    ReadText(*board, "str_length:\n10 10\nvar_data:\n0 0 2 0 0 0\nPins:\n"
                     "1 2 3 4 AB\n"
                     "5 6 7 8 XPins:Y\n" // taken as a header, stores nothing
                     "9 10 11 12 CD\n");
    EXPECT_EQ(board->PinCount, 2);
    EXPECT_STREQ(board->PinTable[1].Net.data(), "CD");
}

TEST_F(Reader, KeywordsAreTestedInOrder) {
    // A line holding both "Parts:" and "Pins:" opens the parts section.
    ReadText(*board, "str_length:\n10 10\nvar_data:\n0 1 0 0 0 0\nPins: Parts:\nQ1 1 0\n");
    EXPECT_EQ(board->PartCount, 1);
    EXPECT_STREQ(board->PartTable[0].Name.data(), "Q1");
}

TEST_F(Reader, KindAndSideKeepTheLowEightBitsAsASignedByte) {
    ReadText(*board, "str_length:\n10 10\nvar_data:\n0 2 0 1 0 0\nParts:\nA 300 0\nB 200 0\n"
                     "Nails:\n1 0 0 258 N\n");
    EXPECT_EQ(board->PartTable[0].Kind, 44);
    EXPECT_EQ(board->PartTable[1].Kind, -56);
    EXPECT_EQ(board->NailTable[0].Side, 2);
}

TEST_F(Reader, RepeatedSectionContinuesAfterItsFirstBlock) {
    ReadText(*board, "str_length:\n10 10\nvar_data:\n0 3 0 0 0 0\nParts:\nA 1 0\nB 1 0\n"
                     "Format:\n1 1\nParts:\nC 1 0\n");
    EXPECT_EQ(board->PartCount, 3);
    EXPECT_STREQ(board->PartTable[2].Name.data(), "C");
}

TEST_F(Reader, SecondSmallerBoardHidesTheFirstBoardsLaterEntries) {
    ReadText(*board, WorkedExample);
    ReadText(*board, "str_length:\n12 16\nvar_data:\n2 1 1 1 0 0\nFormat:\n7 7\n8 8\n"
                     "Parts:\nZ9 1 1\nPins:\n5 5 77 0 NEW\nNails:\n77 5 5 2 NEW\n");
    EXPECT_EQ(board->OutlineCount, 2);
    EXPECT_EQ(board->PartCount, 1);
    EXPECT_EQ(board->PinCount, 1);
    EXPECT_EQ(board->NailCount, 1);
    EXPECT_STREQ(board->PartTable[0].Name.data(), "Z9");
    // Nothing is cleared: the first board's later entries are still there, hidden by the counts.
    EXPECT_STREQ(board->PartTable[1].Name.data(), "R7");
    EXPECT_EQ(board->OutlineTable[2].X, 3000);
    EXPECT_STREQ(board->NailTable[1].Net.data(), "GND");
}

TEST_F(Reader, PlainTextFileStoresNothingAndKeepsTheEarlierBoard) {
    ReadText(*board, WorkedExample);
    ReadStored(*board, "this is not a board file\nat all\n");
    EXPECT_EQ(board->PinCount, 5);
    EXPECT_STREQ(board->PartTable[0].Name.data(), "U1");
}

TEST_F(Reader, EmptyFileStoresNothing) {
    const auto summary = ReadStored(*board, "");
    EXPECT_FALSE(summary.AnyKeyword);
    EXPECT_EQ(board->PartCount, 0);
}

// ---- Out-of-format input: never out of bounds, always bounded, always reported to an observer.

TEST_F(Reader, AFailedReadEndsTheInputAndGivesItsReason) {
    // A directory opens for reading here, and every read of it fails.
    std::FILE* directory = std::fopen("/", "r");
    ASSERT_NE(directory, nullptr);
    const ReadSummary failed = ReadBoardFile(directory, *board);
    std::fclose(directory);
    EXPECT_EQ(failed.ReadError, EISDIR);
    EXPECT_FALSE(failed.AnyKeyword);

    EXPECT_EQ(ReadText(*board, WorkedExample).ReadError, 0);
    // Line numbers count as far as the table counters do.
    static_assert(std::is_same_v<decltype(ReadSummary::Lines), std::int64_t>);
}

TEST_F(Reader, OverlongLineIsCut) {
    Collected seen;
    const std::string longName(1000000, 'N');
    ReadText(*board,
             "str_length:\n10 200\nvar_data:\n0 0 1 0 0 0\nPins:\n1 2 3 4 " + longName + "\n",
             &seen);
    EXPECT_EQ(board->PinCount, 1);
    EXPECT_EQ(board->PinTable[0].X, 1);
    // The name is cut by the line (399 bytes), then by the token (79), then by the slot.
    EXPECT_EQ(std::string(board->PinTable[0].Net.data()), std::string(79, 'N'));
    EXPECT_TRUE(seen.Has(ReadFinding::LineCut));
    EXPECT_TRUE(seen.Has(ReadFinding::TokenCut));
}

TEST_F(Reader, NameLengthsAreHonouredAndBounded) {
    const struct {
        const char* lengths;
        const char* stored;
    } cases[] = {
        {"4 4", "ABC"},        // declared 4: three characters and the zero
        {"1 1", ""},           // declared 1: only the zero
        {"0 0", "ABCDEFGHIJ"}, // unusable lengths: the token's size
        {"-1 -1", "ABCDEFGHIJ"},
        {"2147483647 2147483647", "ABCDEFGHIJ"},
    };
    for (const auto& c : cases) {
        auto other = std::make_unique<BoardData>();
        ReadText(*other, std::string("str_length:\n") + c.lengths +
                             "\nvar_data:\n0 1 1 1 0 0\nParts:\nABCDEFGHIJ 1 1\n"
                             "Pins:\n0 0 1 0 ABCDEFGHIJ\nNails:\n1 0 0 1 ABCDEFGHIJ\n");
        EXPECT_STREQ(other->PartTable[0].Name.data(), c.stored) << c.lengths;
        EXPECT_STREQ(other->PinTable[0].Net.data(), c.stored) << c.lengths;
        EXPECT_STREQ(other->NailTable[0].Net.data(), c.stored) << c.lengths;
    }
}

TEST_F(Reader, NamesBeforeStrLengthUseTheTokenSize) {
    Collected seen;
    ReadText(*board, "var_data:\n0 1 0 0 0 0\nParts:\nLONGNAME123 1 0\n", &seen);
    EXPECT_STREQ(board->PartTable[0].Name.data(), "LONGNAME123");
    EXPECT_TRUE(seen.Has(ReadFinding::NameBeforeLength));
}

TEST_F(Reader, MissingTokensReadAsZeroAndEmpty) {
    Collected seen;
    ReadText(*board, "str_length:\n10 10\nvar_data:\n0 0 2 0\nPins:\n7 8\n   \n9\n", &seen);
    EXPECT_EQ(board->PinCount, 2);
    EXPECT_EQ(board->PinTable[0].X, 7);
    EXPECT_EQ(board->PinTable[0].Y, 8);
    EXPECT_EQ(board->PinTable[0].Probe, 0);
    EXPECT_STREQ(board->PinTable[0].Net.data(), "");
    // A line of white space only is a data line of no tokens: an entry of zeros.
    EXPECT_EQ(board->PinTable[1].X, 0);
    EXPECT_TRUE(seen.Has(ReadFinding::TooFewTokens));
}

TEST_F(Reader, CountsAreClampedToCapacityAndToTheLinesGiven) {
    const struct {
        const char* counts;
        std::int32_t outline, parts, pins, nails;
    } cases[] = {
        {"-1 -1 -1 -1", 0, 0, 0, 0},
        {"0 0 0 0", 0, 0, 0, 0},
        {"2 1 1 1", 2, 1, 1, 1},
        {"9 9 9 9", 2, 1, 1, 1}, // above the lines given
        {"2147483647 2147483647 2147483647 2147483647", 2, 1, 1, 1},
    };
    for (const auto& c : cases) {
        auto other = std::make_unique<BoardData>();
        ReadText(*other, std::string("str_length:\n10 10\nvar_data:\n") + c.counts +
                             " 0 0\nFormat:\n1 1\n2 2\nParts:\nA 1 1\nPins:\n1 1 1 0 N\n"
                             "Nails:\n1 1 1 1 N\n");
        EXPECT_EQ(other->OutlineCount, c.outline) << c.counts;
        EXPECT_EQ(other->PartCount, c.parts) << c.counts;
        EXPECT_EQ(other->PinCount, c.pins) << c.counts;
        EXPECT_EQ(other->NailCount, c.nails) << c.counts;
    }
}

TEST_F(Reader, TablesStopStoringWhenFull) {
    Collected seen;
    std::string text = "var_data:\n10001 0 0 0 0 0\nFormat:\n";
    for (int i = 0; i <= OutlineCapacity; ++i) {
        text += std::to_string(i) + " 1\n";
    }
    ReadText(*board, text, &seen);
    EXPECT_EQ(board->OutlineCount, OutlineCapacity);
    EXPECT_EQ(board->OutlineTable[OutlineCapacity - 1].X, OutlineCapacity - 1);
    EXPECT_TRUE(seen.Has(ReadFinding::TableFull));
}

TEST_F(Reader, PinEndsNeverPointPastThePins) {
    Collected seen;
    ReadText(*board,
             "str_length:\n10 10\nvar_data:\n0 3 2 0 0 0\nParts:\nA 1 2\nB 1 1\n"
             "C 1 50\nPins:\n1 1 1 0 N\n2 2 2 0 N\n",
             &seen);
    EXPECT_EQ(board->PartTable[0].PinEnd, 2);
    EXPECT_EQ(board->PartTable[1].PinEnd, 1); // decreasing is kept: the walk never goes back
    EXPECT_EQ(board->PartTable[2].PinEnd, 2); // past PinCount is cut to it
    EXPECT_TRUE(seen.Has(ReadFinding::PinEndDecreasing));

    ReadText(*board, "var_data:\n0 1 0 0 0 0\nParts:\nA 1 -5\n");
    EXPECT_EQ(board->PartTable[0].PinEnd, 0);
}

TEST_F(Reader, BinaryGarbageIsReadSafely) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        bytes += static_cast<char>((i * 7919) % 255); // every byte value but 0xFF
    }
    ReadStored(*board, Encode("str_length:\n5 5\nvar_data:\n3 3 3 3 0 0\nPins:\n") + bytes);
    EXPECT_LE(board->PinCount, 3);
    EXPECT_GE(board->PinCount, 0);
}

} // namespace
} // namespace dorvik
