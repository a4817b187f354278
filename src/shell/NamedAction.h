#pragma once
// A menu item with the object name the script's `menu` and the tests find it by.

#include <QAction>

namespace dorvik {

inline QAction* NamedAction(QObject* owner, const char* name, const char* caption) {
    auto* item = new QAction(QString::fromLatin1(caption), owner);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

} // namespace dorvik
