// Finding a part or a net by name: completion of what is typed, and the lookup of a whole name.

#include "navigate/BoardNames.h"
#include "NavigateFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvik::test {
namespace {

// Parts U1, U10, u2 (lower case), R7; nets VCC, GND, N1, U10 (a net named like a part), and the
// nail-only net TP9.
const std::string NamedBoard = UnitScaleBoard("U1 5 2\nU10 5 3\nu2 5 4\nR7 1 5\n",
                                              "100 100 12 0 VCC\n"
                                              "300 100 -99 0 N1\n"
                                              "400 300 0 0 GND\n"
                                              "500 300 7 0 U10\n"
                                              "600 300 7 0 GND\n",
                                              4, 5) +
                               "Nails:\n1 100 100 1 VCC\n2 700 500 1 TP9\n";

class BoardNamesTest : public WorkspaceTest {
protected:
    void SetUp() override {
        std::string text = NamedBoard;
        // Two nails: declare them on the var_data line.
        text.replace(text.find("5 4 5 0 0 0"), 11, "5 4 5 2 0 0");
        ReadText(board, text);
    }
};

std::vector<std::string> Strings(const std::vector<std::string_view>& views) {
    return {views.begin(), views.end()};
}

TEST_F(BoardNamesTest, CompletesABeginningIgnoringCase) {
    const BoardNames names(board);
    EXPECT_EQ(names.Size(), 8u); // U1 U10 u2 R7 VCC N1 GND TP9, U10 once
    struct Case {
        const char* Typed;
        std::size_t Limit;
        std::vector<std::string> Offered;
    };
    const Case cases[] = {
        {"u", 10, {"U1", "U10", "u2"}},
        {"U1", 10, {"U1", "U10"}},
        {"u", 2, {"U1", "U10"}},
        {"g", 10, {"GND"}},
        {"tp", 10, {"TP9"}},
        {"x", 10, {}},
        {"", 10, {}},
        {"U100", 10, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Strings(names.Complete(c.Typed, c.Limit)), c.Offered) << c.Typed;
    }
}

TEST_F(BoardNamesTest, LooksUpAPartBeforeANet) {
    const BoardNames names(board);
    struct Case {
        const char* Typed;
        BoardNames::Kind What;
        const char* Name;
    };
    const Case cases[] = {
        {"U10", BoardNames::Kind::Part, "U10"}, // a part and a net: the part
        {"VCC", BoardNames::Kind::Net, "VCC"},  {"vcc", BoardNames::Kind::Net, "VCC"},
        {"U2", BoardNames::Kind::Part, "u2"},   {"TP9", BoardNames::Kind::Net, "TP9"},
        {"U", BoardNames::Kind::None, ""},      {"", BoardNames::Kind::None, ""},
        {"GND ", BoardNames::Kind::None, ""},
    };
    for (const Case& c : cases) {
        const BoardNames::Found found = names.Lookup(c.Typed);
        EXPECT_EQ(found.What, c.What) << c.Typed;
        EXPECT_EQ(found.Name, c.Name) << c.Typed;
    }
}

TEST(BoardNames, EmptyBoardOffersNothing) {
    const BoardData board;
    const BoardNames names(board);
    EXPECT_EQ(names.Size(), 0u);
    EXPECT_TRUE(names.Complete("a", 10).empty());
    EXPECT_EQ(names.Lookup("a").What, BoardNames::Kind::None);
}

TEST(BoardNames, LowerCaseOfLatin1) {
    EXPECT_EQ(LowerCaseLatin1("AbZ\xC4\xD7\xDE\xDF"), "abz\xE4\xD7\xFE\xDF");
}

} // namespace
} // namespace dorvik::test
