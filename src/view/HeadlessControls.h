#pragma once
// The window's controls when there is no window (benchmarks, fuzzing): only the status text is
// kept; captions and glyphs have nowhere to go.

#include "view/WindowControls.h"

#include <string>

namespace dorvik {

class HeadlessControls final : public WindowControls {
public:
    void SetStatusText(std::string_view text) override { status_ = text; }
    std::string StatusText() const override { return status_; }
    void SetSideButton(std::string_view, Colour) override {}
    void SetTextButtonColour(Colour) override {}
    void LoadRotateGlyph(const std::string&) override {}

private:
    std::string status_;
};

} // namespace dorvik
