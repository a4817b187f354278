#include "Generator.h"

#include "Codec.h"
#include "Outline.h"
#include "PartPlanner.h"
#include "Placement.h"
#include "Wiring.h"
#include "board/BoardData.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace dorvik::brd {

namespace {

// Pins per part of the usual mix of blocks, a little generous. When the usual mix would fill more
// than nine tenths of the pin table, the generator takes the mix with fewer ICs.
constexpr std::int64_t UsualPinsPerPartTimesTen = 60;

} // namespace

GeneratedBoard GenerateBoard(const GenerateOptions& options) {
    SplitMix64 random(options.Seed);
    const std::int32_t parts =
        options.Full ? PartCapacity : std::clamp(options.Parts, 1, PartCapacity);
    const bool dense = options.Full || std::int64_t{parts} * UsualPinsPerPartTimesTen >
                                           std::int64_t{PinCapacity} * 9;
    std::vector<Block> blocks = PlanBlocks(parts, dense, random);
    FitPinTotal(blocks, PinCapacity, options.Full);

    const Placement placement = PlaceBlocks(blocks);

    GeneratedBoard board;
    board.Outline = MakeOutline(placement, options.Full ? OutlineCapacity : 0);

    std::vector<PartPlan> plans;
    plans.reserve(static_cast<std::size_t>(parts));
    std::map<std::string_view, int> numbers; // next reference number per prefix
    std::size_t partIndex = 0;
    for (const Block& block : blocks) {
        for (const PartPlan& plan : block) {
            GenPart part;
            part.Name = std::string(plan.Prefix) + std::to_string(++numbers[plan.Prefix]);
            part.Kind = KindOf(plan);
            for (const Point& at : placement.Pins[partIndex]) {
                board.Pins.push_back({at, NoProbe, {}});
            }
            part.PinEnd = static_cast<std::int32_t>(board.Pins.size());
            board.Parts.push_back(std::move(part));
            plans.push_back(plan);
            ++partIndex;
        }
    }

    WiringTarget target;
    target.MaxNails = NailCapacity;
    if (options.Full) {
        target.Nails = NailCapacity;
        target.GroundNails = 10000;
    }
    Wire(board, plans, target, random);
    return board;
}

std::string GenerateStored(const GenerateOptions& options) {
    // Generated text is printable, so it always has a stored form.
    return EncodePlain(PlainText(GenerateBoard(options))).Bytes;
}

} // namespace dorvik::brd
