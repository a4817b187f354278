#pragma once
// One run of a fault display: its far side, worked out once at its start; the probe marking it
// calls, over an index of the nails by number; and whether the run has turned the board over.

#include "faults/NailIndex.h"
#include "view/Colour.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace dorvik {

struct Workspace;
struct WindowState;

// Probe1, Probe2 and Probe3 are marked in white, yellow and red.
inline constexpr std::array<Colour, 3> ProbeColours{colours::White, colours::Yellow, colours::Red};

// The side code of the side not being viewed: 2 while the top is viewed, else 1.
constexpr std::int32_t FarSideOf(std::int32_t viewSide) noexcept {
    return viewSide == 1 ? 2 : 1;
}

// Probe1, Probe2 or Probe3 by position 0, 1, 2.
std::int32_t& ProbeSlot(WindowState& s, std::size_t k) noexcept;

// Whether the sides found lie all on farSide: each is 0 (nothing found) or farSide, not all 0.
bool AllFoundOnFarSide(const std::array<std::int32_t, 3>& sides, std::int32_t farSide) noexcept;

class DisplayRun final {
public:
    // The marking frames every call's nails until their visits exceed three per call by the
    // workspace's MarkingSlack; past that, each number is framed once per colour.
    explicit DisplayRun(Workspace& ws);
    DisplayRun(Workspace& ws, std::int32_t farSide);
    DisplayRun(const DisplayRun&) = delete;
    DisplayRun& operator=(const DisplayRun&) = delete;

    Workspace& Ws() const noexcept { return ws_; }
    std::int32_t FarSide() const noexcept { return farSide_; }

    // False once this run has turned the board over. The redraw inside the turn has drawn the
    // complete display for the new side; the rest of the run still changes the state and the
    // status text, but drawing with the old far side would only spoil that picture.
    bool Drawing() const noexcept { return !turned_; }

    // Frames the nails numbered Probe1..Probe3 in their colours with their numbers (not those on
    // the far side) and, once per entry, turns the board over when all it found lies there.
    void MarkProbes();

    // Writes the status text, then views the other side (which redraws the current display).
    void TurnBoard(std::string_view statusText);

private:
    void Frame(std::array<NailRange, 3> ranges);
    void FrameNail(std::int32_t nail, Colour colour, std::int32_t radius);

    Workspace& ws_;
    std::int32_t farSide_;
    bool turned_ = false;
    std::optional<NailIndex> index_; // built at the first marking of the run

    std::int64_t repeatSlack_;
    std::int64_t calls_ = 0;
    std::int64_t visits_ = 0;
    bool onceEach_ = false;                // past the slack: each number once per colour
    std::vector<std::uint8_t> framedOnce_; // by range start: bit k set once framed in colour k
};

} // namespace dorvik
