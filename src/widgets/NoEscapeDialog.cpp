#include "widgets/NoEscapeDialog.h"

#include <QKeyEvent>

namespace dorvik {

void NoEscapeDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace dorvik
