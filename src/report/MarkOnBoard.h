#pragma once
// A list's "On board" made again for the board loaded now: a list read on one board stays shown
// while the operator opens another, and its probe numbers and names must be checked against the
// board they now light up. Only OnBoard changes; ticks, the current line and the texts stay.

#include "board/BoardData.h"
#include "report/FaultList.h"

namespace dorvik {

void MarkOnBoard(FaultList& list, const BoardData& board);

} // namespace dorvik
