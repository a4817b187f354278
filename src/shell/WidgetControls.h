#pragma once
// The main window's controls as the board's commands change them: status-bar panel 0, the side
// and text buttons' captions and colours, and the rotate button's glyph.

#include "view/WindowControls.h"

#include <QColor>

class QAbstractButton;

namespace dorvik {

class StatusPanels;

// The colour of a button's caption text.
void SetCaptionColour(QAbstractButton& button, const QColor& colour);
QColor CaptionColour(const QAbstractButton& button);

class WidgetControls final : public WindowControls {
public:
    // Takes over panel 0's present text.
    WidgetControls(StatusPanels& statusBar, QAbstractButton& sideButton,
                   QAbstractButton& textButton, QAbstractButton& rotateButton);

    // Texts keep their bytes: what is set is what StatusText() gives back, while the panel
    // shows them as Latin-1 characters.
    void SetStatusText(std::string_view text) override;
    std::string StatusText() const override;
    void SetSideButton(std::string_view caption, Colour captionColour) override;
    void SetTextButtonColour(Colour captionColour) override;
    void LoadRotateGlyph(const std::string& path) override;

private:
    StatusPanels& statusBar_;
    QAbstractButton& sideButton_;
    QAbstractButton& textButton_;
    QAbstractButton& rotateButton_;
    std::string statusText_;
};

} // namespace dorvik
