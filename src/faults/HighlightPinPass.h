#pragma once
// The pass over all parts and pins that the short and net displays draw instead of the plain
// board: pins of the asked-for probe values in their colours with their numbers, their parts'
// names in teal, every other pin blue. The component display draws its parts' pins the same way,
// one pin at a time.

#include "board/BoardData.h"
#include "view/Colour.h"

#include <cstdint>
#include <optional>
#include <span>

namespace dorvik {

struct Workspace;
struct PartBox;

struct HighlightPair {
    std::optional<std::int32_t> Value; // pins whose Probe equals it take Ink; nothing matches none
    Colour Ink;
};

// Pairs are tested in order; the first whose value a pin's Probe equals colours it.
void HighlightPinPass(Workspace& ws, std::span<const HighlightPair> pairs);

// Where a pass draws a pin's mark.
enum class PinMarkRule {
    InsideClip, // strictly inside the clip margins only, and one blue pixel below zoom 1
    Everywhere, // a circle of the pass's radius wherever the pin lies
};

struct PinPassStyle {
    Colour Plain; // pen colour of a pin that is not highlighted
    PinMarkRule Rule;
    std::int32_t Radius; // PinRadius at the start of the pass
    // Every drawn pin counts as marked (for Zoom to Marks), not only the highlighted ones.
    bool MarksEveryPin = false;
};

// One pin of a part: the pen (and for a highlighted pin also the font) takes `ink`, or the plain
// colour when there is none. When the part's pins show on the viewed side, the pin's mark and, if
// highlighted, its number are drawn (only while `drawing`), and its pixel is added to `box`.
void DrawHighlightPin(Workspace& ws, const PinPassStyle& style, std::int8_t kind,
                      const PinEntry& pin, std::int32_t number, std::optional<Colour> ink,
                      bool drawing, PartBox& box);

} // namespace dorvik
