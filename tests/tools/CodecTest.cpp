#include "brd/Codec.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvik::brd {
namespace {

using namespace std::string_literals;

TEST(Codec, StoresEachCharacterTransformedAndKeepsLineEnds) {
    const CodecResult lf = EncodePlain("abc\n");
    ASSERT_FALSE(lf.Error);
    EXPECT_EQ(lf.Bytes, "\xA7\x67\x27\n"s);
    const CodecResult crLf = EncodePlain("abc\r\nabc");
    ASSERT_FALSE(crLf.Error);
    EXPECT_EQ(crLf.Bytes, "\xA7\x67\x27\r\n\xA7\x67\x27"s);
}

// Texts that must survive encode then decode byte for byte: line-end styles, a missing final
// line feed, empty lines, carriage returns that are not line ends.
TEST(Codec, PlainTextRoundTrips) {
    const std::string cases[] = {
        "",
        "str_length:\n12 16\n",
        "str_length:\r\n12 16\r\n",
        "mixed\r\nends\nhere\r\n",
        "no final line feed",
        "last line ends in CR LF\r\n",
        "\n\n\r\n\n",
        "a lone\rcarriage return\n",
        "carriage return at the very end\r",
        "\t tabs and  spaces \n",
    };
    for (const std::string& plain : cases) {
        const CodecResult stored = EncodePlain(plain);
        ASSERT_FALSE(stored.Error) << plain;
        EXPECT_EQ(stored.Bytes.size(), plain.size());
        const CodecResult back = DecodeStored(stored.Bytes);
        ASSERT_FALSE(back.Error) << plain;
        EXPECT_EQ(back.Bytes, plain);
    }
}

// Every byte value that can stand inside a line goes both ways, in both orders.
TEST(Codec, EveryConvertibleByteRoundTrips) {
    std::string plain;
    std::string stored;
    for (int b = 0; b < 256; ++b) {
        // LF splits lines; 0xD7 and 0xCB are stored as LF and CR; 0x7D and 0xBC decode to them.
        if (b != '\n' && b != 0xD7 && b != 0xCB) {
            plain += static_cast<char>(b);
        }
        if (b != '\n' && b != 0x7D) {
            stored += static_cast<char>(b);
        }
    }
    plain += "x\n";
    stored += "x\r\n";
    const CodecResult encoded = EncodePlain(plain);
    ASSERT_FALSE(encoded.Error);
    EXPECT_EQ(DecodeStored(encoded.Bytes).Bytes, plain);
    const CodecResult decoded = DecodeStored(stored);
    ASSERT_FALSE(decoded.Error);
    EXPECT_EQ(EncodePlain(decoded.Bytes).Bytes, stored);
}

struct Unconvertible {
    const char* name;
    bool decode;
    std::string input;
    std::size_t line;
    std::size_t column;
};

// Bytes whose converted form would change the line structure are refused, with their place,
// instead of giving output that does not convert back.
TEST(Codec, RefusesBytesThatWouldBreakTheLines) {
    const Unconvertible cases[] = {
        {"stored byte that decodes to LF", true,
         "ok\nab\x7D"
         "c\n",
         2, 3},
        {"stored byte that decodes to CR before the line end", true, "ok\r\nx\xBC\r\n", 2, 2},
        {"character stored as LF", false, "ok\n\xD7\n", 2, 1},
        {"character stored as CR before the line end", false, "q\xCB\n", 1, 2},
    };
    for (const auto& c : cases) {
        const CodecResult result = c.decode ? DecodeStored(c.input) : EncodePlain(c.input);
        ASSERT_TRUE(result.Error) << c.name;
        EXPECT_EQ(result.Error->Line, c.line) << c.name;
        EXPECT_EQ(result.Error->Column, c.column) << c.name;
        EXPECT_NE(result.Error->Message.find("line " + std::to_string(c.line)), std::string::npos)
            << c.name;
    }
}

} // namespace
} // namespace dorvik::brd
