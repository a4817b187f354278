#pragma once
// A modal window that Escape does not close: the About box, the Help window and the entry windows
// close by their own buttons or their close box only.

#include <QDialog>

class QKeyEvent;

namespace dorvik {

class NoEscapeDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dorvik
