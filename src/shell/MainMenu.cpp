#include "shell/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace dorvik {
namespace {

QAction* Item(QObject* owner, const char* name, const char* caption, const char* hint,
              bool enabled) {
    auto* action = new QAction(QString::fromLatin1(caption), owner);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(QString::fromLatin1(hint));
    action->setEnabled(enabled);
    return action;
}

QMenu* Submenu(QMenuBar& bar, const char* name, const char* caption, const char* hint) {
    QMenu* menu = bar.addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    menu->menuAction()->setStatusTip(QString::fromLatin1(hint));
    return menu;
}

} // namespace

MenuItems BuildMainMenu(QMenuBar& bar) {
    MenuItems items;
    items.File1 = Submenu(bar, "File1", "&File", "Load Board Data");
    items.OpenFile = Item(items.File1, "OpenFile", "&Open File", "", true);
    items.Exit = Item(items.File1, "Exit", "&Exit", "", true);
    items.File1->addAction(items.OpenFile);
    items.File1->addAction(items.Exit);

    items.Open = Item(&bar, "Open", "&Open", "Search Open Link", false);
    items.Short = Item(&bar, "Short", "&Short", "Search Short Link", false);
    items.Net = Item(&bar, "Net", "&Net", "Search  Net Name", false);
    items.Comp = Item(&bar, "Comp", "&Comp.", "Search Component & Pin Laocation", false);
    for (QAction* action : {items.Open, items.Short, items.Net, items.Comp}) {
        bar.addAction(action);
    }

    items.Help = Submenu(bar, "Help", "&Help", "May I Help you ?");
    items.ShortCut = Item(items.Help, "ShortCut", "&ShortCut", "", true);
    items.About = Item(items.Help, "About", "&About", "", true);
    items.Help->addAction(items.ShortCut);
    items.Help->addAction(items.About);
    return items;
}

} // namespace dorvik
