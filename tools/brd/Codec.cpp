#include "Codec.h"

#include "board/CharCodec.h"

#include <cstdio>

namespace dorvik::brd {

namespace {

using ByteMap = std::uint8_t (*)(std::uint8_t) noexcept;

std::string Hex(unsigned char b) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", b);
    return text;
}

CodecError Unconvertible(std::size_t line, std::size_t column, unsigned char from, unsigned char to,
                         bool beforeLineEnd) {
    CodecError error;
    error.Line = line;
    error.Column = column;
    error.Byte = from;
    error.Message = "line " + std::to_string(line) + ", byte " + std::to_string(column) + ": " +
                    Hex(from) + " becomes " + Hex(to) +
                    (beforeLineEnd ? " (a carriage return before the line end)"
                                   : " (a line feed inside the line)") +
                    ", so the result could not be converted back exactly";
    return error;
}

// Splits the input into lines at LF; a CR just before the LF belongs to the line end. The
// content of each line is mapped byte by byte, the line ends are copied.
CodecResult Transform(std::string_view input, ByteMap map) {
    CodecResult result;
    result.Bytes.reserve(input.size());
    std::size_t start = 0;
    std::size_t line = 1;
    while (start < input.size()) {
        const std::size_t lf = input.find('\n', start);
        const bool hasLf = lf != std::string_view::npos;
        std::size_t end = hasLf ? lf : input.size();
        const bool crLf = hasLf && end > start && input[end - 1] == '\r';
        if (crLf) {
            --end;
        }
        for (std::size_t i = start; i < end; ++i) {
            const auto from = static_cast<unsigned char>(input[i]);
            const auto to = static_cast<unsigned char>(map(from));
            const bool lastBeforeLineEnd = hasLf && i + 1 == end;
            if (to == '\n' || (to == '\r' && lastBeforeLineEnd)) {
                result.Error = Unconvertible(line, i - start + 1, from, to, to == '\r');
                return result;
            }
            result.Bytes += static_cast<char>(to);
        }
        if (!hasLf) {
            break;
        }
        result.Bytes += crLf ? "\r\n" : "\n";
        start = lf + 1;
        ++line;
    }
    return result;
}

} // namespace

CodecResult DecodeStored(std::string_view stored) {
    return Transform(stored, &DecodeByte);
}

CodecResult EncodePlain(std::string_view plain) {
    return Transform(plain, &EncodeByte);
}

} // namespace dorvik::brd
