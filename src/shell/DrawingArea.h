#pragma once
// Image1: shows the retained picture and reports mouse releases, left double clicks and its new
// size; for dragging and the wheel also presses, moves with the left button held and wheel turns.
// It draws nothing itself; window repaints show the picture as it is.

#include <QWidget>

class QImage;

namespace dorvik {

class DrawingArea final : public QWidget {
    Q_OBJECT

public:
    explicit DrawingArea(QWidget* parent);

    // The picture to show; it must outlive this widget or be replaced first.
    void SetPicture(const QImage* picture) noexcept;

signals:
    // A mouse button released over the area, at a pixel of the area (it may lie outside).
    void Released(Qt::MouseButton button, int x, int y);
    // A left double click; the release before it has already been reported.
    void DoubleClicked();
    void Resized(QSize size);
    // A mouse button pressed over the area.
    void Pressed(Qt::MouseButton button, int x, int y);
    // The pointer moved while the left button is held.
    void LeftMoved(int x, int y);
    // The wheel turned over pixel (x, y) by a vertical angle delta in eighths of a degree.
    void WheelTurned(int x, int y, int angleDelta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const QImage* picture_ = nullptr;
};

} // namespace dorvik
