#pragma once
// What the board's commands change on the main window besides the picture: the status bar, two
// tool-bar captions and the rotate button's glyph. The window implements it; tests record it.

#include "view/Colour.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace dorvik {

// An error that ends a command; the window shows its text in a message box and goes on.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What panel 0 of the status bar shows when there is nothing to report.
inline constexpr std::string_view StatusBanner = "Vostrel Dorvik";

class WindowControls {
public:
    virtual ~WindowControls() = default;

    // Panel 0 of the status bar.
    virtual void SetStatusText(std::string_view text) = 0;
    virtual std::string StatusText() const = 0;

    // TopButomButton's caption and its caption colour.
    virtual void SetSideButton(std::string_view caption, Colour captionColour) = 0;
    // TextButton's caption colour.
    virtual void SetTextButtonColour(Colour captionColour) = 0;
    // Loads a glyph strip file into RoateButton. Throws CommandError with the text
    // "Cannot open file <path>" when the file cannot be read; the glyph then stays as it was.
    virtual void LoadRotateGlyph(const std::string& path) = 0;
};

} // namespace dorvik
