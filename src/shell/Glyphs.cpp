#include "shell/Glyphs.h"

#include <QPixmap>

namespace dorvik {

QIcon GlyphIcon(const QImage& strip) {
    QIcon icon;
    if (strip.isNull()) {
        return icon;
    }
    const int half = strip.width() / 2;
    if (half < 1) {
        icon.addPixmap(QPixmap::fromImage(strip), QIcon::Normal);
        icon.addPixmap(QPixmap::fromImage(strip), QIcon::Disabled);
        return icon;
    }
    icon.addPixmap(QPixmap::fromImage(strip.copy(0, 0, half, strip.height())), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(strip.copy(half, 0, half, strip.height())), QIcon::Disabled);
    return icon;
}

} // namespace dorvik
