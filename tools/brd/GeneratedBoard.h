#pragma once
// The board the generator builds before it is written out: the same tables as a board file,
// with plain strings for names.

#include <cstdint>
#include <string>
#include <vector>

namespace dorvik::brd {

struct Point {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct GenPart {
    std::string Name;
    std::int8_t Kind = 0;
    std::int32_t PinEnd = 0;
};

struct GenPin {
    Point At;
    std::int32_t Probe = 0;
    std::string Net;
};

struct GenNail {
    std::int32_t Number = 0;
    Point At;
    std::int8_t Side = 0;
    std::string Net;
};

struct GeneratedBoard {
    std::int32_t PartNameLength = 16;
    std::int32_t NetNameLength = 32;
    std::vector<Point> Outline; // closed: the last point repeats the first
    std::vector<GenPart> Parts;
    std::vector<GenPin> Pins;
    std::vector<GenNail> Nails;
};

// The board as plain text with LF line ends, in the order the reader tests the keywords.
std::string PlainText(const GeneratedBoard& board);

} // namespace dorvik::brd
