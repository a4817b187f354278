#include "shell/StateReport.h"

#include "view/Workspace.h"

#include <cctype>
#include <cstdio>

namespace dorvik {
namespace {

std::string Line(const char* name, std::int32_t value) {
    return std::string(name) + '=' + std::to_string(value);
}

std::string Line(const char* name, float value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return std::string(name) + '=' + text;
}

template <std::size_t N> std::string Line(const char* name, const EntryText<N>& text) {
    return std::string(name) + '=' + std::string(Text(text));
}

// A one-byte member that holds a letter as its character, nothing for 0. A byte that is not a
// printable character is written in decimal, so that the report stays one line of text.
std::string ByteLine(const char* name, char value) {
    std::string line = std::string(name) + '=';
    const auto byte = static_cast<unsigned char>(value);
    if (byte == 0) {
        return line;
    }
    if (byte >= 0x20 && byte < 0x7F) {
        return line + value;
    }
    return line + std::to_string(byte);
}

} // namespace

std::vector<std::string> StateLines(const Workspace& ws) {
    const WindowState& s = ws.State;
    return {
        Line("ImageWidth", s.ImageWidth),
        Line("ImageHeight", s.ImageHeight),
        Line("ClickX", s.ClickX),
        Line("ClickY", s.ClickY),
        Line("Zoom", s.Zoom),
        Line("FitScale", s.FitScale),
        Line("ClipLeft", s.ClipLeft),
        Line("ClipTop", s.ClipTop),
        Line("ClipRight", s.ClipRight),
        Line("ClipBottom", s.ClipBottom),
        Line("PanX", s.PanX),
        Line("PanY", s.PanY),
        Line("BoardMinX", s.BoardMinX),
        Line("BoardMinY", s.BoardMinY),
        Line("CentreX", s.CentreX),
        Line("CentreY", s.CentreY),
        Line("ViewSide", s.ViewSide),
        Line("NetText", s.NetText),
        Line("Probe1", s.Probe1),
        Line("Probe2", s.Probe2),
        Line("Probe3", s.Probe3),
        Line("CompText1", s.CompText1),
        Line("CompText2", s.CompText2),
        Line("CompText3", s.CompText3),
        ByteLine("TextFlag", s.TextFlag),
        ByteLine("NewEntry", s.NewEntry),
        Line("DisplayMode", s.DisplayMode),
        // A flag that holds a number, 0 or 1, like the other numbers.
        Line("BoardLoaded", static_cast<std::int32_t>(static_cast<unsigned char>(s.BoardLoaded))),
        Line("Rotation", ws.Rotation),
        Line("OutlineCount", ws.Board.OutlineCount),
        Line("PartCount", ws.Board.PartCount),
        Line("PinCount", ws.Board.PinCount),
        Line("NailCount", ws.Board.NailCount),
    };
}

std::string HexColour(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(ToRgb(colour)));
    return text;
}

} // namespace dorvik
