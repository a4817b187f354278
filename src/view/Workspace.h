#pragma once
// Everything a command of the main window works on: the window's state, the program-wide board
// and rotation, the point query's remembered ring, the picture and the window's controls.

#include "board/BoardData.h"
#include "view/Colour.h"
#include "view/Surface.h"
#include "view/WindowControls.h"
#include "view/WindowState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace dorvik {

struct Workspace;

// A fault display, run by Redraw for display modes 1 to 4.
using DisplayFunction = void (*)(Workspace&);

inline constexpr std::int32_t NoMark = -99999;

// How far the nail visits of a fault display's probe marking may exceed three per marking before
// a number that many nails share is framed once per colour instead of at every marking. Boards
// whose nail numbers are unique never get there (each marking visits at most three nails); it
// only keeps a board whose thousands of nails share one number from taking hours.
inline constexpr std::int64_t DefaultMarkingSlack = 30000;

// The last ring the point query drew, so that the next query can take it away.
struct QueryMark {
    std::int32_t MarkedPinX = NoMark; // rotated board coordinates of the ringed pin
    std::int32_t MarkedPinY = NoMark;
    std::int32_t MarkedView = 0; // side viewed when it was drawn (1 top, 2 bottom; 0 neither)
    std::optional<Colour> MarkBackground; // nothing when the sampled pixel lay outside the picture
};

// A nail or pin that the current fault display marks, in rotated board coordinates.
struct MarkedPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

struct Workspace {
    Workspace(BoardData& board, Surface& canvas, WindowControls& controls) noexcept
        : Board(board), Canvas(canvas), Controls(controls) {}

    WindowState State;
    std::int32_t Rotation = 0; // quarter turns, 0 to 3
    QueryMark Mark;

    BoardData& Board;
    Surface& Canvas;
    WindowControls& Controls;

    // The displays of modes 1 (open), 2 (short), 3 (net) and 4 (component); an empty slot draws
    // nothing after the resets.
    std::array<DisplayFunction, 4> FaultDisplays{};
    std::int64_t MarkingSlack = DefaultMarkingSlack;

    // What the last fault display marked on the viewed side: emptied by every redraw, filled as
    // the display draws its marks, so that the view can be brought to them.
    std::vector<MarkedPoint> FaultMarks;
};

} // namespace dorvik
