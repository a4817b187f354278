#include "widgets/ProgramFont.h"

#include <QApplication>

namespace dorvik {

QFont ProgramFont(int pixelHeight, bool bold) {
    QFont font(QString::fromLatin1(ProgramFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

void UseProgramFontInWidgets() {
    QApplication::setFont(ProgramFont(11), "QWidget");
}

} // namespace dorvik
