#include "board/BoardReader.h"
#include "board/CharCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvik {
namespace {

TEST(CharCodec, EncodeAndDecodeAreInversesForEveryByte) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(DecodeByte(EncodeByte(byte)), byte);
        EXPECT_EQ(EncodeByte(DecodeByte(byte)), byte);
    }
}

TEST(CharCodec, NoPrintableCharacterIsStoredAsALineOrStreamControlByte) {
    for (int c = 0x20; c < 0x7F; ++c) {
        const auto stored = EncodeByte(static_cast<std::uint8_t>(c));
        EXPECT_NE(stored, 0x0A);
        EXPECT_NE(stored, 0x0D);
        EXPECT_NE(stored, 0x1A);
        EXPECT_NE(stored, 0x00);
        EXPECT_NE(stored, 0xFF);
    }
}

TEST(ParseInt, ReadsLeadingDigitsAndWrapsIn32Bits) {
    const struct {
        const char* token;
        std::int32_t value;
    } cases[] = {
        {"12abc", 12},
        {"3.9", 3},
        {"-7", -7},
        {"+5", 5},
        {"0x10", 0},
        {"abc", 0},
        {"", 0},
        {"+", 0},
        {"-", 0},
        {"1e308", 1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", -2147483647 - 1}, // wraps
        {"-2147483649", 2147483647},     // wraps
        {"4294967296", 0},               // 2^32 wraps to 0
        {"99999999999", 1215752191},     // 99999999999 mod 2^32
        {"--5", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInt(c.token), c.value) << c.token;
    }
}

// What the checker is told about a number token: not a plain integer, or beyond 32 bits.
TEST(ScanNumber, TellsWellFormedTokensAndThoseBeyond32Bits) {
    const struct {
        const char* token;
        bool wellFormed;
        bool fits;
    } cases[] = {
        {"0", true, true},
        {"+5", true, true},
        {"-0", true, true},
        {"2147483647", true, true},
        {"2147483648", true, false},
        {"-2147483648", true, true},
        {"-2147483649", true, false},
        {"00000000002147483647", true, true}, // leading zeros add nothing
        {"99999999999999999999999999999", true, false},
        {"12abc", false, true},
        {"3.9", false, true},
        {"", false, true},
        {"+", false, true},
        {"-", false, true},
        {"--5", false, true},
        {"5-", false, true},
        {" 5", false, true},
    };
    for (const auto& c : cases) {
        const NumberToken number = ScanNumber(c.token);
        EXPECT_EQ(number.WellFormed, c.wellFormed) << c.token;
        EXPECT_EQ(number.Fits, c.fits) << c.token;
        EXPECT_EQ(number.Value, ParseInt(c.token)) << c.token;
    }
}

TEST(SplitTokens, SplitsAtWhiteSpaceAndAddsOneEmptyTokenAfterTrailingBlanks) {
    TokenSlots t{};
    auto r = SplitTokens("  a\tbb  ccc", t);
    EXPECT_EQ(r.Count, 3);
    EXPECT_STREQ(t[0].data(), "a");
    EXPECT_STREQ(t[1].data(), "bb");
    EXPECT_STREQ(t[2].data(), "ccc");

    r = SplitTokens("a b \t", t);
    EXPECT_EQ(r.Count, 3);
    EXPECT_STREQ(t[2].data(), "");

    r = SplitTokens("   ", t);
    EXPECT_EQ(r.Count, 0);
}

TEST(SplitTokens, CutsLongTokensAndExtraTokens) {
    TokenSlots t{};
    const std::string longToken(200, 'x');
    auto r = SplitTokens(longToken + " y", t);
    EXPECT_TRUE(r.TokenCut);
    EXPECT_EQ(std::string(t[0].data()), std::string(79, 'x'));
    EXPECT_STREQ(t[1].data(), "y");

    r = SplitTokens("1 2 3 4 5 6 7 8 9 10 11 12", t);
    EXPECT_TRUE(r.TooMany);
    EXPECT_EQ(r.Count, 10);
    EXPECT_STREQ(t[9].data(), "10");
}

} // namespace
} // namespace dorvik
