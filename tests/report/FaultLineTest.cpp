// The fault list line: what it gives the entry windows, and what it refuses.

#include "report/FaultLine.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

struct GoodCase {
    const char* Text;
    LineKind Kind;
    std::vector<std::string> Items;
    const char* Description;
    bool Continues;
    bool Repaired;
};

TEST(FaultLine, ReadsEachKindInAnyCase) {
    const GoodCase cases[] = {
        {"open 12", LineKind::Open, {"12"}, "", false, false},
        {"  SHORT 12  34\t56  ", LineKind::Short, {"12", "34", "56"}, "", false, false},
        {"Short $1F -3", LineKind::Short, {"$1F", "-3"}, "", false, false},
        {"net GND # rail to ground", LineKind::Net, {"GND"}, "rail to ground", false, false},
        {"comp U321,22,123 c5 # measured 4u",
         LineKind::Comp,
         {"U321,22,123", "c5"},
         "measured 4u",
         false,
         false},
        {"net +5V # +5V rail", LineKind::Net, {"+5V"}, "+5V rail", false, false},
        {"net N#1 # the # stays", LineKind::Net, {"N#1"}, "the # stays", false, false},
        {"open 1 #", LineKind::Open, {"1"}, "", false, false},
        {"short 1 2 # + common devices",
         LineKind::Short,
         {"1", "2"},
         "common devices",
         true,
         false},
        {"short 1 2 # +", LineKind::Short, {"1", "2"}, "", true, false},
        {"open 7 # [x] Open #1", LineKind::Open, {"7"}, "Open #1", false, true},
        {"comp R\xC3\xA9"
         "5",
         LineKind::Comp,
         {"R\xE9"
          "5"},
         "",
         false,
         false}, // UTF-8 to Latin-1
        {"open 1\r", LineKind::Open, {"1"}, "", false, false},
    };
    for (const GoodCase& c : cases) {
        SCOPED_TRACE(c.Text);
        const LineResult result = ParseFaultLine(c.Text);
        const auto* parsed = std::get_if<FaultLineRead>(&result);
        ASSERT_NE(parsed, nullptr);
        EXPECT_EQ(parsed->Line.Kind, c.Kind);
        EXPECT_EQ(parsed->Line.Items, c.Items);
        EXPECT_EQ(parsed->Line.Description, c.Description);
        EXPECT_EQ(parsed->Continues, c.Continues);
        EXPECT_EQ(parsed->Repaired, c.Repaired);
    }
}

TEST(FaultLine, IgnoresBlankAndCommentLines) {
    for (const char* text : {"", "   ", "# a comment", "  #open 1", "\t"}) {
        EXPECT_TRUE(std::holds_alternative<NothingToRead>(ParseFaultLine(text))) << text;
    }
}

TEST(FaultLine, RefusesWhatNoWindowTakes) {
    const std::pair<std::string, std::string> cases[] = {
        {"opens 1", "'opens' is not open, short, net or comp"},
        {"open", "open takes 1 to 3 entries, not 0"},
        {"short 1 2 3 4", "short takes 1 to 3 entries, not 4"},
        {"net A B", "net takes one name, not 2"},
        {"comp", "comp takes 1 to 3 entries, not 0"},
        {"open 12a", "'12a' is not a probe number (a whole number of 32 bits)"},
        {"open 2147483648", "'2147483648' is not a probe number (a whole number of 32 bits)"},
        {"net " + std::string(78, 'N'), "the net name is longer than 77 characters"},
        {"comp " + std::string(48, 'U'), "a component entry is longer than 47 characters"},
        {"\x01\x02 1", "'  ' is not open, short, net or comp"},
    };
    for (const auto& [text, reason] : cases) {
        SCOPED_TRACE(text);
        const LineResult result = ParseFaultLine(text);
        const auto* bad = std::get_if<UnreadableLine>(&result);
        ASSERT_NE(bad, nullptr);
        EXPECT_EQ(bad->Reason, reason);
    }
}

TEST(FaultLine, WritesWhatItReads) {
    const FaultLine line{LineKind::Comp,
                         {"U1,2", "R\xE9"
                                  "5"},
                         "tested",
                         false};
    const std::string text = FormatFaultLine(line);
    EXPECT_EQ(text, "comp U1,2 R\xC3\xA9"
                    "5 # tested");
    const LineResult again = ParseFaultLine(text);
    ASSERT_TRUE(std::holds_alternative<FaultLineRead>(again));
    EXPECT_EQ(std::get<FaultLineRead>(again).Line, line);
    EXPECT_EQ(FormatFaultLine(FaultLine{LineKind::Open, {"5"}, "", false}), "open 5");
}

} // namespace
} // namespace dorvik::test
