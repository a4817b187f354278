#include "shell/ViewerMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace dorvik {
namespace {

QAction* Item(QObject* owner, const char* name, const QString& caption, bool enabled) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(enabled);
    return action;
}

QMenu* Menu(QWidget* parent, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

} // namespace

ViewerMenuItems BuildViewerMenus(QMenuBar& bar, QMenu& file, QAction* exitItem,
                                 QAction* firstBarItem) {
    ViewerMenuItems items;
    items.RecentBoards = Menu(&file, "RecentBoards", QStringLiteral("&Recent Boards"));
    items.SavePicture = Item(&file, "SavePicture", QStringLiteral("Save &Picture..."), true);
    items.Print = Item(&file, "Print", QStringLiteral("Pri&nt..."), true);
    file.insertMenu(exitItem, items.RecentBoards);
    file.insertSeparator(exitItem);
    file.insertAction(exitItem, items.SavePicture);
    file.insertAction(exitItem, items.Print);
    file.insertSeparator(exitItem);

    items.Edit = Menu(&bar, "Edit", QStringLiteral("Edit"));
    items.Find = Item(items.Edit, "Find", QStringLiteral("&Find..."), false);
    items.Edit->addAction(items.Find);
    items.View = Menu(&bar, "View", QStringLiteral("View"));
    items.FitBoard = Item(items.View, "FitBoard", QStringLiteral("&Fit Board"), false);
    items.ZoomToMarks = Item(items.View, "ZoomToMarks", QStringLiteral("&Zoom to Marks"), false);
    items.View->addAction(items.FitBoard);
    items.View->addAction(items.ZoomToMarks);
    bar.insertMenu(firstBarItem, items.Edit);
    bar.insertMenu(firstBarItem, items.View);
    return items;
}

} // namespace dorvik
