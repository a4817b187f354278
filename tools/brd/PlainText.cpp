#include "GeneratedBoard.h"

#include <cstdio>

namespace dorvik::brd {

namespace {

void Line(std::string& out, const char* format, auto... values) {
    char text[128];
    const int n = std::snprintf(text, sizeof text, format, values...);
    out.append(text, static_cast<std::size_t>(n > 0 ? n : 0));
}

} // namespace

std::string PlainText(const GeneratedBoard& board) {
    std::string out;
    out.reserve(
        32 * (board.Outline.size() + board.Parts.size() + board.Pins.size() + board.Nails.size()) +
        128);
    out += "str_length:\n";
    Line(out, "%d %d\n", board.PartNameLength, board.NetNameLength);
    out += "var_data:\n";
    Line(out, "%zu %zu %zu %zu 0 0\n", board.Outline.size(), board.Parts.size(), board.Pins.size(),
         board.Nails.size());
    out += "Format:\n";
    for (const Point& p : board.Outline) {
        Line(out, "%d %d\n", p.X, p.Y);
    }
    out += "Parts:\n";
    for (const GenPart& part : board.Parts) {
        Line(out, "%s %d %d\n", part.Name.c_str(), part.Kind, part.PinEnd);
    }
    out += "Pins:\n";
    for (const GenPin& pin : board.Pins) {
        Line(out, "%d %d %d 0 %s\n", pin.At.X, pin.At.Y, pin.Probe, pin.Net.c_str());
    }
    out += "Nails:\n";
    for (const GenNail& nail : board.Nails) {
        Line(out, "%d %d %d %d %s\n", nail.Number, nail.At.X, nail.At.Y, nail.Side,
             nail.Net.c_str());
    }
    return out;
}

} // namespace dorvik::brd
