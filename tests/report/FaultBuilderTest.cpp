// Splitting what a fault names into lines the windows take.

#include "report/FaultBuilder.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

using Entries = std::vector<std::string>;

TEST(FaultBuilder, CompLinesKeepEachPartsPinsWhereTheDisplayMarksThem) {
    const std::pair<Entries, std::vector<Entries>> cases[] = {
        {{"U5,1,2", "R1", "C2", "C3"}, {{"U5,1,2", "R1", "C2"}, {"C3"}}},
        // The rest of U5's pins: the display marks pins of the first entry naming a part only.
        {{"U5,1,2", "U5,40", "R1"}, {{"U5,1,2"}, {"U5,40", "R1"}}},
        {{"R1", "U5,1", "U5,2", "U5,3"}, {{"R1", "U5,1"}, {"U5,2"}, {"U5,3"}}},
        {{}, {}},
    };
    for (const auto& [entries, expected] : cases) {
        std::vector<Entries> got;
        for (const FaultLine& line : CompLines(entries)) {
            EXPECT_EQ(line.Kind, LineKind::Comp);
            got.push_back(line.Items);
        }
        EXPECT_EQ(got, expected);
    }
}

} // namespace
} // namespace dorvik::test
