#pragma once
// The Help window: the command reference, a table of actions with their keys and mouse clicks.

#include "widgets/NoEscapeDialog.h"

class QMouseEvent;
class QString;

namespace dorvik {

class TForm6 final : public NoEscapeDialog {
    Q_OBJECT

public:
    // dataDirectory holds the arrow pictures (arrow1u.bmp and its siblings); a missing picture
    // leaves its place empty.
    explicit TForm6(const QString& dataDirectory, QWidget* parent = nullptr);

public slots:
    // A click on the background closes the window.
    void FormClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressedOnBackground_ = false;
};

} // namespace dorvik
