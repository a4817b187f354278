#include "help/HelpForm.h"

#include "help/WindowPlacement.h"
#include "widgets/ProgramFont.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace dorvik {
namespace {

// The window's frame is 641 x 587; the client area is that less a usual frame (8-pixel borders,
// 31-pixel title bar), as the window manager draws the frame itself.
constexpr QSize kOuterSize(641, 587);
constexpr QSize kFrameAllowance(16, 39);
constexpr int kFontPixels = 19;
constexpr int kTextHeight = 28;

const QColor kBackground(0x00, 0x00, 0x00);
const QColor kTextColour(0xFF, 0xFF, 0xFF);
const QColor kHeadingColour(0x00, 0x80, 0x00);

enum class ElementKind { Heading, Text, Picture };

// One element of the reference. A text is sized to its caption; a picture has a fixed size and
// shows its file unscaled from the top-left corner, cut to that size.
struct HelpElement {
    ElementKind kind;
    const char* content; // the caption, or the picture's file name
    const char* pictureName;
    QPoint position;
    QSize pictureSize;
};

constexpr HelpElement Text(const char* caption, int left, int top) {
    return {ElementKind::Text, caption, nullptr, {left, top}, {}};
}

constexpr HelpElement Heading(const char* caption, int left, int top) {
    return {ElementKind::Heading, caption, nullptr, {left, top}, {}};
}

constexpr HelpElement Picture(const char* file, const char* name, int left, int top, int width,
                              int height) {
    return {ElementKind::Picture, file, name, {left, top}, {width, height}};
}

// Row by row: the action, its key, its mouse click. "KEBOARD" and the double blanks in the zoom
// captions are the window's texts as they have always been.
constexpr HelpElement kHelpLayout[] = {
    Heading("ACTION", 48, 16),
    Heading("KEBOARD", 216, 16),
    Heading("MOUSE CLICK", 360, 16),
    Text("Zoom  In", 48, 42),
    Text("+", 215, 40),
    Text("Double -- Left", 360, 40),
    Text("Zoom  Out", 48, 63),
    Text("--", 216, 60),
    Text("Single -- Right", 360, 62),
    Text("Status Quo", 48, 84),
    Text("Home", 215, 84),
    Text("Single Mid", 360, 85),
    Text("Ask Point", 48, 107),
    Text("Or", 214, 106),
    Text("Single -- Left", 360, 108),
    Text("Change Side", 47, 130),
    Text("Space", 214, 129),
    Text("Up", 49, 152),
    Picture("arrow1u.bmp", "UpArrow", 216, 156, 18, 16),
    Text("Down", 50, 174),
    Picture("arrow1d.bmp", "DownArrow", 216, 180, 17, 17),
    Text("Left", 51, 196),
    Picture("arrow1l.bmp", "LeftArrow", 216, 204, 17, 17),
    Text("Right", 50, 222),
    Picture("arrow1r.bmp", "RightArrow", 216, 228, 17, 17),
    Text("Show Point", 50, 247),
    Text("V", 217, 249),
    Text("Turn Board", 49, 272),
    Text("R", 217, 272),
    Text("Open", 50, 295),
    Text("O", 216, 295),
    Text("Short", 51, 319),
    Text("S", 217, 317),
    Text("Net", 53, 343),
    Text("N", 217, 340),
    Text("Component", 53, 367),
    Text("C", 217, 369),
    Text("Help", 55, 392),
    Text("H, [ F1 ]", 218, 394),
    Text("Exit", 54, 417),
    Text("E, [ ESC ]", 219, 419),
};

void SetForeground(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

QLabel* AddText(QWidget& window, const HelpElement& element, int number) {
    auto* label = new QLabel(QString::fromLatin1(element.content), &window);
    label->setObjectName(QStringLiteral("HelpText%1").arg(number));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetForeground(*label, element.kind == ElementKind::Heading ? kHeadingColour : kTextColour);
    const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
    label->setGeometry(QRect(element.position, QSize(width, kTextHeight)));
    return label;
}

QLabel* AddPicture(QWidget& window, const HelpElement& element, const QDir& dataDirectory) {
    auto* picture = new QLabel(&window);
    picture->setObjectName(QString::fromLatin1(element.pictureName));
    // Top-left alignment and no scaling: the widget's bounds cut the strip to its first arrow.
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(QPixmap(dataDirectory.filePath(QString::fromLatin1(element.content))));
    picture->setGeometry(QRect(element.position, element.pictureSize));
    return picture;
}

} // namespace

TForm6::TForm6(const QString& dataDirectory, QWidget* parent) : NoEscapeDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Help"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setFont(ProgramFont(kFontPixels));
    resize(kOuterSize - kFrameAllowance);

    const QDir directory(dataDirectory);
    int textNumber = 0;
    for (const HelpElement& element : kHelpLayout) {
        QLabel* label = element.kind == ElementKind::Picture
                            ? AddPicture(*this, element, directory)
                            : AddText(*this, element, ++textNumber);
        // A click on a text or a picture does nothing: it must not reach the background.
        label->setAttribute(Qt::WA_NoMousePropagation);
    }
    CentreOnScreen(*this, kOuterSize);
}

void TForm6::FormClick() {
    close();
}

void TForm6::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressedOnBackground_ = true;
    }
    event->accept();
}

// A click is a left press and release on the background, as with a button.
void TForm6::mouseReleaseEvent(QMouseEvent* event) {
    const bool clicked = event->button() == Qt::LeftButton && pressedOnBackground_ &&
                         rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        pressedOnBackground_ = false;
    }
    event->accept();
    if (clicked) {
        FormClick();
    }
}

} // namespace dorvik
