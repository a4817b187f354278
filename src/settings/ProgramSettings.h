#pragma once
// The one place the program's settings live: ~/.config/Dorvik/Dorvik.conf on Linux. The window,
// the repair log and dorvik-log all read and write this file.

#include <QSettings>

namespace dorvik {

inline QSettings ProgramSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Dorvik"),
                     QStringLiteral("Dorvik"));
}

} // namespace dorvik
