#pragma once
// Image1: shows the retained picture and reports mouse releases, left double clicks and its new
// size. It draws nothing itself; window repaints show the picture as it is.

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const QImage* picture_ = nullptr;
};

} // namespace dorvik
