#pragma once
// Clears a server root: stops every server still running on a folder under it (a test binary
// that crashed leaves one behind) and removes everything in it.

#include <QString>
#include <QStringList>

namespace dorvik::test {

// True when nothing is left under `root`; `report` says what was stopped and removed, or what
// could not be.
bool SweepServers(const QString& root, QStringList& report);

} // namespace dorvik::test
