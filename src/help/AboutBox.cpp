#include "help/AboutBox.h"

#include "help/JpegDecoder.h"
#include "help/WindowPlacement.h"
#include "widgets/ProgramFont.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace dorvik {
namespace {

constexpr QSize kClientSize(379, 220);
constexpr int kDialogFontPixels = 11;
constexpr int kPanelFontPixels = 16;
constexpr int kButtonFontPixels = 12;

const QColor kFuchsia(0xFF, 0x00, 0xFF);
const QColor kNavy(0x00, 0x00, 0x80);

void SetColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

QLabel* AddCaption(QWidget& panel, const char* name, const char* caption, QPoint position) {
    auto* label = new QLabel(QString::fromLatin1(caption), &panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->adjustSize();
    label->move(position);
    return label;
}

} // namespace

TAboutBox::TAboutBox(const QString& dataDirectory, QWidget* parent)
    : NoEscapeDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                 Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFont(ProgramFont(kDialogFontPixels));
    SetColour(*this, QPalette::WindowText, kFuchsia);
    setFixedSize(kClientSize);

    // A lowered outer bevel around a raised inner one: Qt draws a sunken box of one-pixel lines
    // and no mid line exactly so.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setMidLineWidth(0);
    panel->setGeometry(8, 8, 363, 168);
    panel->setFont(ProgramFont(kPanelFontPixels));

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(13, 12, 164, 69);
    icon->setScaledContents(true);
    if (const auto picture = DecodeJpegFile(QDir(dataDirectory).filePath("about.jpg"))) {
        icon->setPixmap(QPixmap::fromImage(*picture));
    }

    AddCaption(*panel, "ProductName", "Dorvik Program", QPoint(184, 24));
    AddCaption(*panel, "Version", "Version: 2.2", QPoint(187, 56));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(151, 187, 75, 24);
    ok->setDefault(true);
    ok->setFont(ProgramFont(kButtonFontPixels));
    SetColour(*ok, QPalette::ButtonText, kNavy);
    connect(ok, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    ok->setFocus();

    // The frame adds only a little to the small fixed client area.
    CentreOnScreen(*this, kClientSize);
}

void TAboutBox::OKButtonClick() {
    accept();
}

} // namespace dorvik
