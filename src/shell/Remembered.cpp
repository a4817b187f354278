#include "shell/Remembered.h"

#include "settings/ProgramSettings.h"

#include <QFileInfo>
#include <QSettings>
#include <QWidget>

namespace dorvik {
namespace {

const QString RecentKey = QStringLiteral("RecentBoards");
const QString GeometryKey = QStringLiteral("Window/Geometry");
const QString MaximisedKey = QStringLiteral("Window/Maximised");

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

} // namespace

QStringList RecentBoards() {
    QSettings settings = ProgramSettings();
    const QStringList stored = settings.value(RecentKey).toStringList();
    QStringList kept;
    for (const QString& path : stored) {
        if (Exists(path) && !kept.contains(path) && kept.size() < RecentBoardLimit) {
            kept << path;
        }
    }
    if (kept != stored) {
        settings.setValue(RecentKey, kept);
    }
    return kept;
}

void RememberBoard(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = RecentBoards();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > RecentBoardLimit) {
        list.removeLast();
    }
    ProgramSettings().setValue(RecentKey, list);
}

void RememberWindowPlacement(const QWidget& window) {
    QSettings settings = ProgramSettings();
    settings.setValue(GeometryKey, window.saveGeometry());
    settings.setValue(MaximisedKey, window.isMaximized());
}

bool ShowRememberedPlacement(QWidget& window) {
    QSettings settings = ProgramSettings();
    const QByteArray geometry = settings.value(GeometryKey).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry)) {
        return false;
    }
    if (settings.value(MaximisedKey).toBool()) {
        window.showMaximized();
    } else {
        window.showNormal();
    }
    return true;
}

} // namespace dorvik
