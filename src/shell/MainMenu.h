#pragma once
// The main window's menu: File (Open File, Exit), Open, Short, Net, Comp., Help (ShortCut,
// About). Each action's object name is its item's control name; the hints are kept as status
// tips, which the window does not display.

class QAction;
class QMenu;
class QMenuBar;

namespace dorvik {

struct MenuItems {
    QMenu* File1 = nullptr;
    QAction* OpenFile = nullptr;
    QAction* Exit = nullptr;
    QAction* Open = nullptr;
    QAction* Short = nullptr;
    QAction* Net = nullptr;
    QAction* Comp = nullptr;
    QMenu* Help = nullptr;
    QAction* ShortCut = nullptr;
    QAction* About = nullptr;
};

// Fills the bar; Open, Short, Net and Comp. start disabled.
MenuItems BuildMainMenu(QMenuBar& bar);

} // namespace dorvik
