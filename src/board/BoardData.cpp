#include "board/BoardData.h"

namespace dorvik {

BoardData::BoardData()
    : OutlineTable(OutlineCapacity), PartTable(PartCapacity), PinTable(PinCapacity),
      NailTable(NailCapacity) {}

} // namespace dorvik
