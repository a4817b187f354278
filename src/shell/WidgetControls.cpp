#include "shell/WidgetControls.h"

#include "shell/Glyphs.h"
#include "shell/StatusPanels.h"

#include <QAbstractButton>
#include <QFile>
#include <QImageReader>

namespace dorvik {
namespace {

QColor ToQColor(Colour colour) {
    return QColor::fromRgb(static_cast<QRgb>(ToRgb(colour)));
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WidgetControls::WidgetControls(StatusPanels& statusBar, QAbstractButton& sideButton,
                               QAbstractButton& textButton, QAbstractButton& rotateButton)
    : statusBar_(statusBar), sideButton_(sideButton), textButton_(textButton),
      rotateButton_(rotateButton), statusText_(statusBar.PanelText(0).toLatin1().toStdString()) {}

void SetCaptionColour(QAbstractButton& button, const QColor& colour) {
    QPalette palette = button.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::ButtonText, colour);
        palette.setColor(group, QPalette::WindowText, colour);
    }
    button.setPalette(palette);
}

QColor CaptionColour(const QAbstractButton& button) {
    return button.palette().color(QPalette::Active, QPalette::ButtonText);
}

void WidgetControls::SetStatusText(std::string_view text) {
    statusText_ = std::string(text);
    statusBar_.SetPanelText(0, Latin1(text));
}

std::string WidgetControls::StatusText() const {
    return statusText_;
}

void WidgetControls::SetSideButton(std::string_view caption, Colour captionColour) {
    sideButton_.setText(Latin1(caption));
    SetCaptionColour(sideButton_, ToQColor(captionColour));
}

void WidgetControls::SetTextButtonColour(Colour captionColour) {
    SetCaptionColour(textButton_, ToQColor(captionColour));
}

void WidgetControls::LoadRotateGlyph(const std::string& path) {
    QImageReader reader(QFile::decodeName(path.c_str()));
    const QImage strip = reader.read();
    if (strip.isNull()) {
        throw CommandError("Cannot open file " + path);
    }
    rotateButton_.setIcon(GlyphIcon(strip));
}

} // namespace dorvik
