#pragma once
// A menu item with the object name the script's `menu` and the tests find it by, and putting new
// items into the File menu.

#include <QAction>
#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace dorvik {

inline QAction* NamedAction(QObject* owner, const char* name, const char* caption) {
    auto* item = new QAction(QString::fromLatin1(caption), owner);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

// Puts `items` into the window's first menu (File) right after `after`, or at its end when
// `after` is not there.
inline void InsertIntoFileMenu(QMainWindow& window, const QAction* after,
                               const QList<QAction*>& items) {
    const QList<QAction*> bar = window.menuBar()->actions();
    if (bar.isEmpty() || bar.front()->menu() == nullptr) {
        return;
    }
    QMenu* file = bar.front()->menu();
    const QList<QAction*> present = file->actions();
    const qsizetype at = present.indexOf(const_cast<QAction*>(after));
    file->insertActions(at >= 0 && at + 1 < present.size() ? present[at + 1] : nullptr, items);
}

} // namespace dorvik
