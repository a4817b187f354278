#pragma once
// The main window's controls as plain values, for tests of the core without widgets.

#include "view/WindowControls.h"

#include <string>
#include <vector>

namespace dorvik::test {

class FakeControls final : public WindowControls {
public:
    void SetStatusText(std::string_view text) override {
        status = std::string(text);
        statusHistory.push_back(status);
    }
    std::string StatusText() const override { return status; }
    void SetSideButton(std::string_view caption, Colour colour) override {
        sideCaption = std::string(caption);
        sideColour = colour;
    }
    void SetTextButtonColour(Colour colour) override { textColour = colour; }
    void LoadRotateGlyph(const std::string& path) override {
        if (failGlyphs) {
            throw CommandError("Cannot open file " + path);
        }
        glyph = path;
    }

    std::string status = "Vostrel Dorvik";
    std::vector<std::string> statusHistory;
    std::string sideCaption = "TOP";
    Colour sideColour = FromRgb(0x0000FF);
    Colour textColour{};
    std::string glyph;
    bool failGlyphs = false;
};

} // namespace dorvik::test
