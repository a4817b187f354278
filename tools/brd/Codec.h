#pragma once
// Conversion between the stored form of a board file and its plain text. Line ends (LF or CR LF)
// are copied as they are; every other byte is transformed, so the two directions are exact
// inverses of each other.

#include <optional>
#include <string>
#include <string_view>

namespace dorvik::brd {

// A byte that cannot be converted without changing the line structure: after the transformation
// it would be a line feed, or a carriage return just before a line end, and converting back
// would not give the input again.
struct CodecError {
    std::size_t Line = 0;   // from 1
    std::size_t Column = 0; // byte position in the line, from 1
    unsigned char Byte = 0;
    std::string Message;
};

struct CodecResult {
    std::string Bytes;
    std::optional<CodecError> Error; // when set, Bytes is incomplete and must not be used
};

CodecResult DecodeStored(std::string_view stored);
CodecResult EncodePlain(std::string_view plain);

} // namespace dorvik::brd
