#include "shell/DrawingArea.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace dorvik {
namespace {

// The pixel under a pointer position, kept within a range the view's arithmetic can take.
int Pixel(double position) noexcept {
    constexpr double Limit = 1e9;
    if (!std::isfinite(position)) {
        return 0;
    }
    return static_cast<int>(std::floor(std::clamp(position, -Limit, Limit)));
}

} // namespace

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void DrawingArea::SetPicture(const QImage* picture) noexcept {
    picture_ = picture;
    update();
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect shown = picture_ != nullptr ? event->rect() & picture_->rect() : QRect();
    if (!shown.isEmpty()) {
        painter.drawImage(shown.topLeft(), *picture_, shown);
    }
    // Anything the picture does not cover (only while a resize is under way) stays black.
    const QRegion rest = QRegion(event->rect()).subtracted(shown);
    for (const QRect& r : rest) {
        painter.fillRect(r, Qt::black);
    }
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const Qt::MouseButton button = event->button();
    if (button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton) {
        emit Released(button, Pixel(at.x()), Pixel(at.y()));
    }
    event->accept();
}

void DrawingArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit DoubleClicked();
    }
    event->accept();
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit Pressed(event->button(), Pixel(at.x()), Pixel(at.y()));
    event->accept();
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) != 0) {
        const QPointF at = event->position();
        emit LeftMoved(Pixel(at.x()), Pixel(at.y()));
    }
    event->accept();
}

void DrawingArea::wheelEvent(QWheelEvent* event) {
    const QPointF at = event->position();
    if (event->angleDelta().y() != 0) {
        emit WheelTurned(Pixel(at.x()), Pixel(at.y()), event->angleDelta().y());
    }
    event->accept();
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
    emit Resized(event->size());
}

} // namespace dorvik
