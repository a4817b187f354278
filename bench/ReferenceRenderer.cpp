#include "ReferenceRenderer.h"

#include "view/Primitives.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <QFont>
#include <QPainter>

namespace dorvik::bench {

namespace {

QColor Qt(Colour c) {
    return QColor::fromRgb(ToRgb(c));
}

} // namespace

void DrawBoardWithQPainter(const Workspace& ws, QImage& image) {
    const WindowState& s = ws.State;
    const BoardData& board = ws.Board;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt(colours::Black));
    p.setPen(Qt(colours::Maroon));
    p.drawRect(0, 0, image.width() - 1, image.height() - 1);
    p.setBrush(Qt::NoBrush);

    const std::int32_t r = PinRadius(s);
    QFont font = p.font();
    font.setPointSize(LabelFontSize(s));
    p.setFont(font);

    p.setPen(Qt(colours::Olive));
    for (std::int32_t i = 0; i + 1 < board.OutlineCount; ++i) {
        const auto& a = board.OutlineTable[static_cast<std::size_t>(i)];
        const auto& b = board.OutlineTable[static_cast<std::size_t>(i + 1)];
        p.drawLine(
            ToPixelXForSide(s, RotatedX(a, ws.Rotation)), ToPixelY(s, RotatedY(a, ws.Rotation)),
            ToPixelXForSide(s, RotatedX(b, ws.Rotation)), ToPixelY(s, RotatedY(b, ws.Rotation)));
    }
    std::int32_t j = 0;
    for (std::int32_t k = 0; k < board.PartCount; ++k) {
        const PartEntry& part = board.PartTable[static_cast<std::size_t>(k)];
        PartBox box;
        for (; j < part.PinEnd; ++j) {
            if (!PinVisible(part.Kind, s.ViewSide)) {
                continue;
            }
            const PinEntry& pin = board.PinTable[static_cast<std::size_t>(j)];
            const int x = ToPixelXForSide(s, RotatedX(pin, ws.Rotation));
            const int y = ToPixelY(s, RotatedY(pin, ws.Rotation));
            p.setPen(Qt(colours::Blue));
            if (x > s.ClipLeft && x < s.ClipRight && y > s.ClipTop && y < s.ClipBottom) {
                if (s.Zoom >= 1.0f) {
                    p.drawEllipse(x - r, y - r, 2 * r, 2 * r);
                } else {
                    p.drawPoint(x, y);
                }
            }
            box.Add(x, y);
        }
        if (PartBodyVisible(part.Kind, s.ViewSide)) {
            p.setPen(Qt(colours::Grey));
            const int g = BoxInsidePins(NameView(part.Name)) ? -(r + 1) : r + 1;
            p.drawRect(QRect(QPoint(box.Left - g, box.Top - g),
                             QPoint(box.Right + g - 1, box.Bottom + g - 1)));
            if (s.TextFlag == 'Y') {
                const LabelPosition at = PartLabelPosition(s, NameView(part.Name), box, r);
                p.setPen(Qt(colours::Olive));
                p.drawText(at.X, at.Y + p.fontMetrics().ascent(), PartName(part));
            }
        }
    }
}

} // namespace dorvik::bench
