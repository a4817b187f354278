#pragma once
// Where the program's data files lie: share/dorvik/ beside the bin/ directory of the program,
// the same in the build tree and in an installed tree. The rotate button reads its glyph files
// from here.

#include <QString>

namespace dorvik {

// The data directory of a program in `programDirectory`, ending in a separator.
QString DataDirectoryFor(const QString& programDirectory);

// The data directory of the running program (the application object must exist).
QString DataDirectory();

} // namespace dorvik
