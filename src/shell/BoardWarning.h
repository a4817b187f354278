#pragma once
// The warnings that the board loaded may not be the board of the report shown, so that a tester's
// probe numbers do not light up unrelated nets of the wrong board unnoticed.

#include "report/FaultList.h"

#include <QString>

namespace dorvik {

// Said when fewer than half of the faults are on the board; empty otherwise, and for a list
// without faults.
QString FewFaultsOnBoardWarning(const FaultList& list);

// Whether two paths name one file, however they reach it (a link, a ".."); a file that is gone
// by its clean absolute path. False when either is empty.
bool SameFile(const QString& a, const QString& b);

// Said when `expected`, the file the board library gives for the report's board `boardName`, is
// another file than `open`, the board loaded; empty when they are one file or either is empty.
QString OtherBoardFileWarning(const QString& expected, const QString& open,
                              const QString& boardName);

} // namespace dorvik
