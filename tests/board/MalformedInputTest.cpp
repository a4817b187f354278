// Every kind of malformed board file through the reader: the counts it leaves, the defect it
// reports, and the tables' promises (counts within the capacities, pin ends within the pins,
// every name ended inside its slot) whether the tables were empty or held another board.

#include "support/BoardText.h"
#include "support/MalformedBoards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace dorvik {
namespace {

using test::MalformedBoard;

struct Findings final : ReadObserver {
    std::vector<ReadFinding> seen;
    void Finding(std::int64_t, ReadFinding f, std::string_view) override { seen.push_back(f); }
};

bool Ended(const NameSlot& name) {
    return std::memchr(name.data(), '\0', name.size()) != nullptr;
}

void ExpectTablesSound(const BoardData& b) {
    ASSERT_GE(b.OutlineCount, 0);
    ASSERT_LE(b.OutlineCount, OutlineCapacity);
    ASSERT_GE(b.PartCount, 0);
    ASSERT_LE(b.PartCount, PartCapacity);
    ASSERT_GE(b.PinCount, 0);
    ASSERT_LE(b.PinCount, PinCapacity);
    ASSERT_GE(b.NailCount, 0);
    ASSERT_LE(b.NailCount, NailCapacity);
    for (std::int32_t j = 0; j < b.PartCount; ++j) {
        const PartEntry& part = b.PartTable[static_cast<std::size_t>(j)];
        ASSERT_GE(part.PinEnd, 0) << "part " << j;
        ASSERT_LE(part.PinEnd, b.PinCount) << "part " << j;
        ASSERT_TRUE(Ended(part.Name)) << "part " << j;
    }
    for (std::int32_t j = 0; j < b.PinCount; ++j) {
        ASSERT_TRUE(Ended(b.PinTable[static_cast<std::size_t>(j)].Net)) << "pin " << j;
    }
    for (std::int32_t j = 0; j < b.NailCount; ++j) {
        ASSERT_TRUE(Ended(b.NailTable[static_cast<std::size_t>(j)].Net)) << "nail " << j;
    }
}

class MalformedInput : public ::testing::TestWithParam<MalformedBoard> {
protected:
    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
};

TEST_P(MalformedInput, IsReadIntoSoundTablesAndReported) {
    const MalformedBoard& c = GetParam();
    Findings findings;
    test::ReadStored(*board, c.Stored, &findings);
    ExpectTablesSound(*board);
    EXPECT_EQ(board->OutlineCount, c.Outline);
    EXPECT_EQ(board->PartCount, c.Parts);
    EXPECT_EQ(board->PinCount, c.Pins);
    EXPECT_EQ(board->NailCount, c.Nails);
    if (c.Finding) {
        EXPECT_NE(std::find(findings.seen.begin(), findings.seen.end(), *c.Finding),
                  findings.seen.end());
    }
}

TEST_P(MalformedInput, OverAnotherBoardLeavesSoundTables) {
    const std::string full = "var_data:\n3 2 4 2 0 0\nFormat:\n0 0\n9 9\n0 9\nParts:\nOLD1 1 2\n"
                             "OLD2 1 4\nPins:\n1 1 1 0 X\n2 2 2 0 X\n3 3 3 0 X\n4 4 4 0 X\n"
                             "Nails:\n1 1 1 1 X\n2 2 2 1 X\n";
    test::ReadText(*board, full);
    test::ReadStored(*board, GetParam().Stored);
    ExpectTablesSound(*board);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedInput, ::testing::ValuesIn(test::MalformedBoards()),
                         [](const auto& info) { return info.param.Name; });

// Lines of megabytes are cut, not stored: the lines after them are still read.
TEST(MalformedInputSize, LinesAfterHugeLinesAreRead) {
    auto board = std::make_unique<BoardData>();
    const std::string hugeLines = test::Encode("var_data:\n0 0 0 3 0 0\nNails:\n") +
                                  std::string(4 << 20, 'x') + "\n" + std::string(4 << 20, ' ') +
                                  "\n" + test::Encode("7 1 1 1 N\n");
    const ReadSummary summary = test::ReadStored(*board, hugeLines);
    EXPECT_EQ(summary.NailLines, 3);
    EXPECT_EQ(board->NailCount, 3);
    EXPECT_EQ(board->NailTable[2].Number, 7);
}

} // namespace
} // namespace dorvik
