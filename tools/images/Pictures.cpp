#include "Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace dorvik::images {
namespace {

const QColor kButtonFace(0xEF, 0xEF, 0xEF);
const QColor kLogoBlue(0x10, 0x30, 0xC8);
const QColor kProbeRed(0xFF, 0x00, 0x00);
const QColor kProbeYellow(0xFF, 0xFF, 0x00);
const QColor kProbeWhite(0xFF, 0xFF, 0xFF);
const QColor kBoardGreen(0x1E, 0x6E, 0x3A);
const QColor kBoardEdge(0x12, 0x4A, 0x26);
const QColor kCopper(0xD8, 0xB0, 0x48);
const QColor kTrace(0x4C, 0x9A, 0x5C);
const QColor kChipBody(0x26, 0x26, 0x2A);
const QColor kChipPin(0xC8, 0xC8, 0xCC);

// The strokes of one letter of the logo, in a cell of the given width between top and bottom.
QPainterPath LetterPath(char letter, qreal x, qreal width, qreal top, qreal bottom) {
    const qreal mid = (top + bottom) / 2;
    QPainterPath path;
    switch (letter) {
    case 'D':
        path.moveTo(x, top);
        path.lineTo(x + width * 0.35, top);
        path.cubicTo(x + width * 1.1, top, x + width * 1.1, bottom, x + width * 0.35, bottom);
        path.lineTo(x, bottom);
        path.closeSubpath();
        break;
    case 'R':
        path.moveTo(x, bottom);
        path.lineTo(x, top);
        path.lineTo(x + width * 0.5, top);
        path.cubicTo(x + width * 1.05, top, x + width * 1.05, mid, x + width * 0.5, mid);
        path.lineTo(x, mid);
        path.moveTo(x + width * 0.45, mid);
        path.lineTo(x + width, bottom);
        break;
    case 'V':
        path.moveTo(x, top);
        path.lineTo(x + width / 2, bottom);
        path.lineTo(x + width, top);
        break;
    case 'I':
        path.moveTo(x + width / 2, top);
        path.lineTo(x + width / 2, bottom);
        break;
    case 'K':
        path.moveTo(x, top);
        path.lineTo(x, bottom);
        path.moveTo(x + width, top);
        path.lineTo(x + 1, mid + 1);
        path.moveTo(x + width * 0.35, mid - width * 0.2);
        path.lineTo(x + width, bottom);
        break;
    default:
        break;
    }
    return path;
}

// Red, yellow and white frames around a point, the way the program marks probes.
void DrawProbeFrames(QPainter& painter, QPointF centre, qreal innerHalf, qreal step, qreal pen) {
    const QColor colours[] = {kProbeWhite, kProbeYellow, kProbeRed};
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal half = innerHalf + i * step;
        painter.setPen(QPen(colours[i], pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half));
    }
}

// A chip body with pins along its top and bottom edges.
void DrawChip(QPainter& painter, QRectF body, int pinsPerSide, qreal pinWidth, qreal pinLength) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kChipPin);
    const qreal pitch = body.width() / pinsPerSide;
    for (int i = 0; i < pinsPerSide; ++i) {
        const qreal px = body.left() + pitch * (i + 0.5) - pinWidth / 2;
        painter.drawRect(QRectF(px, body.top() - pinLength, pinWidth, pinLength));
        painter.drawRect(QRectF(px, body.bottom(), pinWidth, pinLength));
    }
    painter.setBrush(kChipBody);
    painter.drawRoundedRect(body, 2, 2);
    // The notch that marks pin 1.
    painter.setBrush(QColor(0x50, 0x50, 0x56));
    painter.drawEllipse(QPointF(body.left() + body.height() * 0.22, body.center().y()),
                        body.height() * 0.12, body.height() * 0.12);
}

void DrawPad(QPainter& painter, QPointF centre, qreal radius) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCopper);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(kBoardEdge);
    painter.drawEllipse(centre, radius * 0.4, radius * 0.4);
}

void DrawResistor(QPainter& painter, QPointF from, QPointF to, qreal thickness) {
    painter.setPen(QPen(kChipPin, thickness * 0.3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    const QPointF centre = (from + to) / 2;
    const QRectF body(centre.x() - thickness * 1.6, centre.y() - thickness / 2, thickness * 3.2,
                      thickness);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xD8, 0xC4, 0x98));
    painter.drawRoundedRect(body, thickness / 2, thickness / 2);
    const QColor bands[] = {QColor(0x8B, 0x45, 0x13), Qt::black, QColor(0xE0, 0x30, 0x20)};
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(bands[i]);
        painter.drawRect(QRectF(body.left() + thickness * (0.7 + 0.6 * i), body.top(),
                                thickness * 0.3, thickness));
    }
}

} // namespace

QImage DrawLogo() {
    QImage logo(132, 34, QImage::Format_RGB32);
    logo.fill(kButtonFace);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal top = 5;
    const qreal bottom = 26;
    const qreal gap = 6;
    const qreal ringDiameter = bottom - top;
    struct Cell {
        char letter;
        qreal width;
    };
    const Cell cells[] = {{'D', 15}, {'O', ringDiameter}, {'R', 14}, {'V', 16}, {'I', 4},
                          {'K', 14}};
    qreal total = -gap;
    for (const Cell& cell : cells) {
        total += cell.width + gap;
    }

    const QPen stroke(kLogoBlue, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    qreal x = (logo.width() - total) / 2;
    for (const Cell& cell : cells) {
        if (cell.letter == 'O') {
            // The O is a probe mark: a red ring round a red dot.
            const QPointF centre(x + cell.width / 2, (top + bottom) / 2);
            painter.setPen(QPen(kProbeRed, 3.6));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(centre, cell.width / 2 - 0.5, cell.width / 2 - 0.5);
            painter.setPen(Qt::NoPen);
            painter.setBrush(kProbeRed);
            painter.drawEllipse(centre, 2.6, 2.6);
        } else {
            painter.setPen(stroke);
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(LetterPath(cell.letter, x, cell.width, top, bottom));
        }
        x += cell.width + gap;
    }

    // A thin red rule under the name, like a trace on a board.
    const qreal left = (logo.width() - total) / 2;
    painter.setPen(QPen(kProbeRed, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(left, 31), QPointF(left + total, 31));
    return logo;
}

QImage DrawAboutPicture() {
    QImage picture(328, 138, QImage::Format_RGB32);
    picture.fill(QColor(0xDC, 0xE6, 0xF0));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF board(12, 10, 304, 118);
    painter.setPen(QPen(kBoardEdge, 3));
    painter.setBrush(kBoardGreen);
    painter.drawRoundedRect(board, 10, 10);

    // Copper traces under the parts.
    painter.setPen(QPen(kTrace, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({{55, 42}, {55, 30}, {200, 30}, {230, 30}, {260, 58}}));
    painter.drawPolyline(QPolygonF({{95, 98}, {95, 112}, {170, 112}, {196, 100}, {252, 100}}));
    painter.drawPolyline(QPolygonF({{40, 100}, {40, 70}, {30, 60}}));
    painter.drawPolyline(QPolygonF({{210, 58}, {210, 46}, {290, 46}, {290, 100}}));

    // Mounting holes in the corners.
    for (const QPointF corner :
         {QPointF(28, 24), QPointF(300, 24), QPointF(28, 114), QPointF(300, 114)}) {
        DrawPad(painter, corner, 7);
    }

    DrawChip(painter, QRectF(44, 48, 90, 42), 8, 5, 7);
    DrawChip(painter, QRectF(150, 58, 44, 24), 4, 5, 6);
    DrawResistor(painter, QPointF(208, 70), QPointF(252, 70), 12);

    for (const QPointF pad :
         {QPointF(208, 70), QPointF(252, 70), QPointF(260, 58), QPointF(290, 100), QPointF(30, 60),
          QPointF(40, 100), QPointF(252, 100)}) {
        DrawPad(painter, pad, 5);
    }

    // An electrolytic capacitor.
    painter.setPen(QPen(QColor(0x10, 0x20, 0x50), 2));
    painter.setBrush(QColor(0x30, 0x50, 0xB0));
    painter.drawEllipse(QPointF(282, 72), 12, 12);
    painter.setPen(QPen(QColor(0xC0, 0xC8, 0xE0), 3));
    painter.drawArc(QRectF(270, 60, 24, 24), 60 * 16, 60 * 16);

    DrawProbeFrames(painter, QPointF(252, 100), 8, 4, 2.4);
    return picture;
}

QImage DrawIcon() {
    QImage icon(256, 256, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF board(14, 14, 228, 228);
    painter.setPen(QPen(kBoardEdge, 6));
    painter.setBrush(kBoardGreen);
    painter.drawRoundedRect(board, 28, 28);

    painter.setPen(QPen(kTrace, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({{62, 70}, {62, 48}, {196, 48}}));
    painter.drawPolyline(QPolygonF({{104, 150}, {104, 196}, {180, 196}}));
    painter.drawPolyline(QPolygonF({{50, 196}, {50, 150}}));

    DrawChip(painter, QRectF(44, 84, 124, 56), 5, 10, 13);

    for (const QPointF pad :
         {QPointF(196, 48), QPointF(50, 196), QPointF(196, 100), QPointF(196, 140)}) {
        DrawPad(painter, pad, 11);
    }
    DrawPad(painter, QPointF(180, 196), 11);
    DrawProbeFrames(painter, QPointF(180, 196), 17, 9, 6);
    return icon;
}

} // namespace dorvik::images
