#include "report/MarkOnBoard.h"

#include "report/BoardLookup.h"

namespace dorvik {

void MarkOnBoard(FaultList& list, const BoardData& board) {
    const BoardLookup lookup(board);
    for (std::size_t k = 0; k < list.LineCount(); ++k) {
        list.SetOnBoard(k, lookup.OnBoard(list.LineAt(k)));
    }
}

} // namespace dorvik
