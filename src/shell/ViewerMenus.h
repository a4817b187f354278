#pragma once
// The viewer's menu items beside the original menu: File > Recent Boards, Save Picture...,
// Print...; Edit > Find...; View > Fit Board, Zoom to Marks. Object names are the names scripts
// use. The new menus carry no mnemonic, so that no Alt key takes a letter from the main window.

class QAction;
class QMenu;
class QMenuBar;

namespace dorvik {

struct ViewerMenuItems {
    QMenu* RecentBoards = nullptr;
    QAction* SavePicture = nullptr;
    QAction* Print = nullptr;
    QMenu* Edit = nullptr;
    QAction* Find = nullptr;
    QMenu* View = nullptr;
    QAction* FitBoard = nullptr;
    QAction* ZoomToMarks = nullptr;
};

// Adds the items: into `file` before `exitItem`, and the Edit and View menus into the bar
// before `firstBarItem`. Find, Fit Board and Zoom to Marks start disabled.
ViewerMenuItems BuildViewerMenus(QMenuBar& bar, QMenu& file, QAction* exitItem,
                                 QAction* firstBarItem);

} // namespace dorvik
