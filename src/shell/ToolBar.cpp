#include "shell/ToolBar.h"

#include "shell/Glyphs.h"
#include "shell/WidgetControls.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

#include <array>

namespace dorvik {
namespace {

constexpr int PanelHeight = 38;
constexpr int Panel3Width = 424;
constexpr int Panel4Width = 569;
constexpr int PanelTop = 2;

QFont BoldFont(const QWidget& parent, int pixelHeight) {
    QFont font = parent.font();
    font.setPixelSize(pixelHeight);
    font.setBold(true);
    return font;
}

QToolButton* FlatButton(QWidget* panel, const char* name, QRect geometry) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setEnabled(false);
    return button;
}

QToolButton* GlyphButton(QWidget* panel, const char* name, QRect geometry, const char* glyph) {
    QToolButton* button = FlatButton(panel, name, geometry);
    button->setIcon(GlyphIcon(QImage(QStringLiteral(":/dorvik/") + QLatin1String(glyph))));
    button->setIconSize(QSize(16, 16));
    SetCaptionColour(*button, panel->palette().color(QPalette::WindowText));
    return button;
}

QToolButton* CaptionButton(QWidget* panel, const char* name, QRect geometry, const char* caption,
                           int pixelHeight, const QColor& colour) {
    QToolButton* button = FlatButton(panel, name, geometry);
    button->setText(QLatin1String(caption));
    button->setFont(BoldFont(*panel, pixelHeight));
    SetCaptionColour(*button, colour);
    return button;
}

void SeparatorLine(QWidget* panel, QRect geometry) {
    auto* line = new QFrame(panel);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(geometry);
}

} // namespace

QWidget* BuildToolBar(QWidget* parent, ToolBarButtons& buttons) {
    auto* bar = new QFrame(parent);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setFixedHeight(ToolBarHeight);
    bar->setMinimumWidth(0);
    bar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    auto* panel3 = new QFrame(bar);
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel3->setGeometry(0, PanelTop, Panel3Width, PanelHeight);

    const QColor windowText = panel3->palette().color(QPalette::WindowText);
    buttons.Rotate = GlyphButton(panel3, "RoateButton", {5, 4, 32, 29}, "arrow1u.bmp");
    SeparatorLine(panel3, {41, 2, 4, 35});
    buttons.Text = CaptionButton(panel3, "TextButton", {46, 4, 30, 29}, "V", 23, windowText);
    SeparatorLine(panel3, {79, 1, 4, 35});
    buttons.Left = GlyphButton(panel3, "LeftButton", {88, 8, 18, 22}, "arrow1l.bmp");
    buttons.Up = GlyphButton(panel3, "UpButton", {103, 3, 22, 17}, "arrow1u.bmp");
    buttons.Down = GlyphButton(panel3, "DownButton", {104, 20, 21, 16}, "arrow1d.bmp");
    buttons.Right = GlyphButton(panel3, "RightButton", {123, 8, 18, 22}, "arrow1r.bmp");
    SeparatorLine(panel3, {149, 2, 4, 35});
    buttons.Side = CaptionButton(panel3, "TopButomButton", {157, 4, 53, 30}, "TOP", 20,
                                 QColor(0x00, 0x00, 0xFF));
    SeparatorLine(panel3, {214, 2, 7, 34});
    buttons.Home =
        CaptionButton(panel3, "HomeButton", {221, 4, 58, 30}, "HOME", 17, QColor(0xFF, 0x00, 0x00));
    SeparatorLine(panel3, {284, 3, 6, 33});

    auto* logo = new QLabel(panel3);
    logo->setObjectName(QStringLiteral("Image3"));
    logo->setGeometry(288, 2, 132, 34);
    logo->setPixmap(QPixmap(QStringLiteral(":/dorvik/logo.png")));

    auto* panel4 = new QLabel(bar);
    panel4->setObjectName(QStringLiteral("Panel4"));
    panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel4->setGeometry(Panel3Width, PanelTop, Panel4Width, PanelHeight);
    panel4->setAlignment(Qt::AlignCenter);
    panel4->setFont(BoldFont(*panel4, 20));
    QPalette palette = panel4->palette();
    palette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    panel4->setPalette(palette);
    panel4->setText(QStringLiteral("***WELCOME YOU TO VOSTREL DORVIK***"));
    return bar;
}

} // namespace dorvik
