#pragma once
// A one-line field whose keys all stay in it: none reaches the main window's key table, which
// acts on releases. Only a click or a command puts the focus there, and the release of Enter or
// Esc gives it back, so the window's keys work again once the typing is done.

#include <QLineEdit>

namespace dorvik {

class TypingField : public QLineEdit {
    Q_OBJECT

public:
    explicit TypingField(QWidget* parent);

    // Takes the focus with the text selected, ready for typing.
    void Activate();
    // Gives the focus back to the window.
    virtual void Leave();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Esc was pressed (the field itself takes no action on it).
    virtual void EscapePressed() {}
};

} // namespace dorvik
