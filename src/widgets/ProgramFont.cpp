#include "widgets/ProgramFont.h"

namespace dorvik {

QFont ProgramFont(int pixelHeight, bool bold) {
    QFont font(QString::fromLatin1(ProgramFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace dorvik
