#include "widgets/TypingField.h"

#include <QKeyEvent>

namespace dorvik {

TypingField::TypingField(QWidget* parent) : QLineEdit(parent) {
    setFocusPolicy(Qt::ClickFocus);
}

void TypingField::Activate() {
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void TypingField::Leave() {
    clearFocus();
}

void TypingField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        EscapePressed();
    } else {
        QLineEdit::keyPressEvent(event);
    }
    event->accept(); // never passed on to the window
}

void TypingField::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    event->accept(); // the window's commands act on releases: this one is the field's
    // Enter and Esc end the typing once released, so that their releases too stay here.
    const int key = event->key();
    if (!event->isAutoRepeat() &&
        (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        Leave();
    }
}

} // namespace dorvik
