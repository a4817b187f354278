// The OK actions of the entry windows without the windows: probe numbers as typed, entry texts,
// and what the state looks like afterwards.

#include "faults/EntryActions.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvik {
namespace {

struct Conversion {
    const char* Typed;
    std::optional<std::int32_t> Number; // nothing: refused
};

TEST(ProbeNumberOf, ConvertsTheTextAsTyped) {
    const Conversion cases[] = {
        {"12", 12},
        {"", 0},
        {"   ", 0},
        {"\t \r", 0},               // only characters 0..32: blank
        {"  34", 34},               // leading blanks are skipped
        {"12 ", std::nullopt},      // a trailing blank is not
        {"\t12", std::nullopt},     // only blanks are skipped in front of the number
        {"1,22,123", std::nullopt}, // the sample caption is not one number
        {"$1F", 31},
        {"$1f", 31},
        {"0x10", 16},
        {"0X10", std::nullopt},
        {"-5", -5},
        {"+7", 7},
        {"-$10", -16},
        {" -0x7FFFFFFF", 2147483647 * -1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$80000000", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {"1e3", std::nullopt},
        {"0009", 9},
        {"$G", std::nullopt},
        {"\xC3\xA9", std::nullopt},
    };
    for (const Conversion& c : cases) {
        EXPECT_EQ(ProbeNumberOf(c.Typed), c.Number) << "'" << c.Typed << "'";
    }
}

TEST(InvalidIntegerMessage, ShowsTheTextAsTyped) {
    EXPECT_EQ(InvalidIntegerMessage("12 "), "'12 ' is not a valid integer value");
    EXPECT_EQ(InvalidIntegerMessage("1,22,123"), "'1,22,123' is not a valid integer value");
}

WindowState FreshState() {
    WindowState s;
    s.Zoom = 4.0f;
    s.PanX = 30;
    s.PanY = -20;
    s.DisplayMode = NetDisplay;
    s.NewEntry = 'N';
    s.Probe1 = 7;
    s.Probe2 = 8;
    s.Probe3 = 9;
    return s;
}

void ExpectDisplaySelected(const WindowState& s, std::int32_t mode) {
    EXPECT_EQ(s.DisplayMode, mode);
    EXPECT_EQ(s.Zoom, 1.0f);
    EXPECT_EQ(s.PanX, 0);
    EXPECT_EQ(s.PanY, 0);
    EXPECT_EQ(s.NewEntry, 'T');
}

void ExpectViewKept(const WindowState& s) {
    EXPECT_EQ(s.DisplayMode, NetDisplay);
    EXPECT_EQ(s.Zoom, 4.0f);
    EXPECT_EQ(s.PanX, 30);
    EXPECT_EQ(s.PanY, -20);
    EXPECT_EQ(s.NewEntry, 'N');
}

TEST(AcceptProbeEntry, StoresTheThreeNumbersAndSelectsTheDisplay) {
    for (const std::int32_t mode : {OpenDisplay, ShortDisplay}) {
        WindowState s = FreshState();
        EXPECT_EQ(AcceptProbeEntry(s, {"12", "", "  34"}, mode), std::nullopt);
        EXPECT_EQ(s.Probe1, 12);
        EXPECT_EQ(s.Probe2, 0);
        EXPECT_EQ(s.Probe3, 34);
        ExpectDisplaySelected(s, mode);
    }
}

TEST(AcceptProbeEntry, AllBlankZeroesTheNumbersAndKeepsTheView) {
    WindowState s = FreshState();
    EXPECT_EQ(AcceptProbeEntry(s, {"", " ", ""}, OpenDisplay), std::nullopt);
    EXPECT_EQ(s.Probe1, 0);
    EXPECT_EQ(s.Probe2, 0);
    EXPECT_EQ(s.Probe3, 0);
    ExpectViewKept(s);
}

TEST(AcceptProbeEntry, StopsAtTheFirstBoxThatIsNoNumber) {
    struct Case {
        std::array<std::string_view, 3> Boxes;
        std::size_t Failed;
        std::array<std::int32_t, 3> Probes; // stored before it, kept from it on
    };
    const Case cases[] = {
        {{"12 ", "5", "6"}, 0, {7, 8, 9}},
        {{"1,22,123", "", ""}, 0, {7, 8, 9}},
        {{"3", "x", "6"}, 1, {3, 8, 9}},
        {{"3", "", "0x"}, 2, {3, 0, 9}},
    };
    for (const Case& c : cases) {
        WindowState s = FreshState();
        EXPECT_EQ(AcceptProbeEntry(s, c.Boxes, OpenDisplay), c.Failed);
        EXPECT_EQ((std::array{s.Probe1, s.Probe2, s.Probe3}), c.Probes);
        ExpectViewKept(s);
    }
}

TEST(AcceptNetEntry, StoresTheUpperCasedEntryBetweenCommas) {
    WindowState s = FreshState();
    AcceptNetEntry(s, "gnd");
    EXPECT_EQ(Text(s.NetText), ",GND,");
    ExpectDisplaySelected(s, NetDisplay);

    WindowState blank = FreshState();
    AcceptNetEntry(blank, "GND ");
    EXPECT_EQ(Text(blank.NetText), ",GND ,"); // unstripped
}

TEST(AcceptNetEntry, EmptyBoxStoresTheCommaPairAndKeepsTheView) {
    WindowState s = FreshState();
    s.DisplayMode = NetDisplay;
    AcceptNetEntry(s, "");
    EXPECT_EQ(Text(s.NetText), EmptyList);
    ExpectViewKept(s);
}

TEST(AcceptCompEntry, StoresEachBoxUnstripped) {
    WindowState s = FreshState();
    AcceptCompEntry(s, {"u321,22,123", "C567", ""});
    EXPECT_EQ(Text(s.CompText1), ",U321,22,123,");
    EXPECT_EQ(Text(s.CompText2), ",C567,");
    EXPECT_EQ(Text(s.CompText3), EmptyList);
    ExpectDisplaySelected(s, CompDisplay);

    WindowState blanks = FreshState();
    AcceptCompEntry(blanks, {"U321, 22", "", " "});
    EXPECT_EQ(Text(blanks.CompText1), ",U321, 22,");
    EXPECT_EQ(Text(blanks.CompText3), ", ,");
}

TEST(AcceptCompEntry, AllEmptyKeepsTheView) {
    WindowState s = FreshState();
    AcceptCompEntry(s, {"", "", ""});
    EXPECT_EQ(Text(s.CompText1), EmptyList);
    ExpectViewKept(s);
}

TEST(EntryTextOf, EntriesAreCutSoTheClosingCommaStays) {
    const std::string longest(NetEntryMaxLength, 'a');
    const std::string stored = EntryTextOf(longest, NetTextSize);
    EXPECT_EQ(stored, "," + std::string(NetEntryMaxLength, 'A') + ",");

    WindowState s;
    AcceptNetEntry(s, std::string(500, 'n'));
    EXPECT_EQ(Text(s.NetText), "," + std::string(NetEntryMaxLength, 'N') + ",");
    AcceptCompEntry(s, {std::string(200, 'c'), "u1", std::string(48, 'x')});
    EXPECT_EQ(Text(s.CompText1), "," + std::string(CompEntryMaxLength, 'C') + ",");
    EXPECT_EQ(Text(s.CompText3), "," + std::string(CompEntryMaxLength, 'X') + ",");

    AcceptNetEntry(s, std::string_view("gnd\0vcc", 7));
    EXPECT_EQ(Text(s.NetText), ",GND,");
}

TEST(UpperCaseLatin1, UpperCasesLettersOnly) {
    EXPECT_EQ(UpperCaseLatin1("vcc5_a-z"), "VCC5_A-Z");
    EXPECT_EQ(UpperCaseLatin1("\xE4\xF6\xFC"), "\xC4\xD6\xDC"); // a, o, u with umlaut
    EXPECT_EQ(UpperCaseLatin1("\xDF\xF7\xFF"), "\xDF\xF7\xFF"); // sharp s, division, y umlaut
}

} // namespace
} // namespace dorvik
