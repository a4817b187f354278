// The unit a report is about: its texts kept as one line of UTF-8, its test time a real one.

#include "ReportFixture.h"
#include "report/TextLines.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

TEST(ReportUnit, TextsAreOneLineOfUtf8OfAtMost128Bytes) {
    const std::string a127(127, 'A');
    const std::pair<std::string, std::string> cases[] = {
        {"  QA 01\t", "QA 01"},
        {"\x01QA\x1F"
         "01\x7F",
         "QA 01"},
        {"R\xC3\xA9v \xE2\x82\xAC", "R\xC3\xA9v \xE2\x82\xAC"}, // UTF-8 stays
        {"R\xE9v", "R\xC3\xA9v"},                               // Latin-1 becomes UTF-8
        {"\xC0\x80\xED\xA0\x80", "\xC3\x80\xC2\x80\xC3\xAD\xC2\xA0\xC2\x80"}, // overlong, surrogate
        {"\xE2\x82", "\xC3\xA2\xC2\x82"}, // a cut character: its bytes as Latin-1
        {std::string(200, 'B'), std::string(128, 'B')},
        {a127 + "\xC3\xA9" + "B", a127}, // the cut falls inside a character
        {a127 + " \xC3\xA9", a127},      // no blank left at the cut
        {std::string("\0\0", 2), ""},
    };
    for (const auto& [said, kept] : cases) {
        SCOPED_TRACE(Printable(said));
        EXPECT_EQ(UnitText(said), kept);
        EXPECT_EQ(UnitText(kept), kept);
    }
}

TEST(ReportUnit, TestedIsARealDateAndTime) {
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"20250314", "093005", "2025-03-14T09:30:05"},
        {"20240229", "235959", "2024-02-29T23:59:59"},
        {"20000229", "000000", "2000-02-29T00:00:00"},
        {"21000229", "000000", ""}, // no leap year
        {"20250229", "120000", ""},
        {"20250431", "120000", ""},
        {"20251301", "120000", ""},
        {"20250001", "120000", ""},
        {"00000101", "120000", ""},
        {"20250314", "240000", ""},
        {"20250314", "126000", ""},
        {"20250314", "120060", ""},
        {"2025314", "120000", ""},
        {"20250314", "12000", ""},
        {"2025-3-1", "120000", ""},
        {"20250314", "12:00:", ""},
    };
    for (const auto& [date, time, tested] : cases) {
        SCOPED_TRACE(std::string(date) + " " + std::string(time));
        EXPECT_EQ(TestedText(date, time), tested);
        EXPECT_EQ(IsTestedText(tested), !tested.empty());
    }
    EXPECT_FALSE(IsTestedText("2025-03-14 09:30:05"));
    EXPECT_FALSE(IsTestedText("2025-03-14T09:30:05Z"));
}

} // namespace
} // namespace dorvik::test
