#pragma once
// The viewer's conveniences on the main window, beside its original commands: the wheel, dragging
// the picture, the search field, Fit Board, Zoom to Marks, Save Picture, Print, the recent boards,
// the remembered window placement and boards dropped on the window. The board's work is done by
// the core (navigate); this only turns events into calls.

#include "navigate/BoardNames.h"
#include "navigate/PanDrag.h"
#include "navigate/WheelZoom.h"
#include "shell/ViewerMenus.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace dorvik {

class FindField;
class TForm1;

class ViewerExtensions final : public QObject {
    Q_OBJECT

public:
    // Chooses the file Save Picture writes; an empty text when the operator cancels.
    using SaveChooser = std::function<QString(QWidget* parent)>;
    using Clock = std::function<QDateTime()>;

    // Adds the menu items to `file` (before `exitItem`) and the bar (before `firstBarItem`), and
    // the search field to the right end of `toolBar`.
    ViewerExtensions(TForm1& form, QMenu& file, QAction* exitItem, QAction* firstBarItem,
                     QWidget& toolBar);

    // The new menu items, for scripts: Recent Boards, Save Picture, Print, Find, Fit Board, Zoom
    // to Marks.
    std::vector<QAction*> MenuActions() const;
    FindField& Find() const noexcept { return *find_; }

    void SetSaveChooser(SaveChooser chooser) { chooseSave_ = std::move(chooser); }
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    // Whether the window's placement is stored when it closes (not while a script runs it).
    void RememberPlacementOnClose(bool on) noexcept { rememberPlacement_ = on; }

    // A release of the left button that ends a drag: true when it is no click.
    bool EndsDrag(Qt::MouseButton button, int x, int y);
    // The path the board shown was opened from; empty before the first board.
    const QString& BoardPath() const noexcept { return boardPath_; }
    // The caption line of the picture as it stands now.
    QString Caption() const;
    // Save Picture with the path chosen; false when it cannot be written.
    bool ExportPicture(const QString& path) const;

    // The handlers of the new items and events.
    void BoardOpened(const QString& path);
    void Wheel(int x, int y, int angleDelta);
    void WheelNotch(int x, int y, WheelTurn turn);
    void FitBoardClick();
    void ZoomToMarksClick();
    void FindClick();
    void FindName(const QString& typed);
    void SavePictureClick();
    void PrintClick();
    void OpenRecentBoard(const QString& path);
    void RecentBoardsClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillRecentBoards();
    void PlaceFindField();

    TForm1& form_;
    QWidget& toolBar_;
    ViewerMenuItems items_;
    FindField* find_ = nullptr;
    // The board's names for the search field, gathered at the first search after a board is
    // opened rather than on every open.
    std::optional<BoardNames> names_;
    const BoardNames& Names();
    PanDrag drag_;
    WheelNotches notches_;
    QString boardPath_;
    SaveChooser chooseSave_;
    Clock clock_;
    bool rememberPlacement_ = false;
};

} // namespace dorvik
