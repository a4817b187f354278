#pragma once
// What the program remembers between runs, in the user's settings (organisation and application
// "Dorvik"): the recent boards and the main window's placement.

#include <QStringList>

class QWidget;

namespace dorvik {

inline constexpr int RecentBoardLimit = 8;

// The recent boards, newest first: only files that still exist; the others are dropped from
// the settings as they are found missing.
QStringList RecentBoards();

// Puts a board that was opened first in the list (once), keeping the newest eight.
void RememberBoard(const QString& path);

// The window's size, position and maximised state.
void RememberWindowPlacement(const QWidget& window);

// Shows the window as it was remembered; false (and nothing shown) when nothing was.
bool ShowRememberedPlacement(QWidget& window);

} // namespace dorvik
