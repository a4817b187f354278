#pragma once
// ToolBar1: Panel3 with the eight view buttons, their separator lines and the logo, and Panel4
// with the welcome text. Controls sit at fixed pixel positions; a narrow window cuts them off.

class QToolButton;
class QWidget;

namespace dorvik {

inline constexpr int ToolBarHeight = 43;

struct ToolBarButtons {
    QToolButton* Rotate = nullptr; // RoateButton
    QToolButton* Text = nullptr;
    QToolButton* Left = nullptr;
    QToolButton* Up = nullptr;
    QToolButton* Down = nullptr;
    QToolButton* Right = nullptr;
    QToolButton* Side = nullptr; // TopButomButton
    QToolButton* Home = nullptr;
};

// Builds the tool bar as a child of `parent`; all buttons start disabled.
QWidget* BuildToolBar(QWidget* parent, ToolBarButtons& buttons);

} // namespace dorvik
