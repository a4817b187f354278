#include "help/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace dorvik {

void CentreOnScreen(QWidget& window, const QSize& outerSize) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // move() places the frame's top-left corner for a top-level window.
    window.move(available.left() + (available.width() - outerSize.width()) / 2,
                available.top() + (available.height() - outerSize.height()) / 2);
}

} // namespace dorvik
