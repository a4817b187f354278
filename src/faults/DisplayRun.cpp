#include "faults/DisplayRun.h"

#include "navigate/Navigation.h"
#include "view/Saturating.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <string>

namespace dorvik {

std::int32_t& ProbeSlot(WindowState& s, std::size_t k) noexcept {
    return k == 0 ? s.Probe1 : k == 1 ? s.Probe2 : s.Probe3;
}

bool AllFoundOnFarSide(const std::array<std::int32_t, 3>& sides, std::int32_t farSide) noexcept {
    bool any = false;
    for (const std::int32_t side : sides) {
        if (side != 0 && side != farSide) {
            return false;
        }
        any = any || side != 0;
    }
    return any;
}

DisplayRun::DisplayRun(Workspace& ws) : DisplayRun(ws, FarSideOf(ws.State.ViewSide)) {}

DisplayRun::DisplayRun(Workspace& ws, std::int32_t farSide)
    : ws_(ws), farSide_(farSide), repeatSlack_(ws.MarkingSlack) {}

void DisplayRun::MarkProbes() {
    WindowState& s = ws_.State;
    const std::array<std::int32_t, 3> probes{s.Probe1, s.Probe2, s.Probe3};
    if (probes[0] == 0 && probes[1] == 0 && probes[2] == 0) {
        return;
    }
    if (!index_) {
        index_.emplace(ws_.Board);
    }

    // The nails each probe takes: a number given twice belongs to the earlier probe only. The side
    // recorded for a probe is that of its last nail in table order, far side or not.
    std::array<NailRange, 3> ranges{};
    std::array<std::int32_t, 3> sides{};
    for (std::size_t k = 0; k < 3; ++k) {
        if ((k >= 1 && probes[k] == probes[0]) || (k == 2 && probes[2] == probes[1])) {
            continue;
        }
        ranges[k] = index_->Find(probes[k]);
        if (!ranges[k].Empty()) {
            const auto last = static_cast<std::size_t>(index_->NailAt(ranges[k].End - 1));
            sides[k] = ws_.Board.NailTable[last].Side;
        }
    }

    if (Drawing()) {
        Frame(ranges);
    }

    if (s.NewEntry == 'T') {
        s.NewEntry = 'N';
        if (AllFoundOnFarSide(sides, farSide_)) {
            TurnBoard("AUTO Change Side.");
        }
    }
}

void DisplayRun::TurnBoard(std::string_view statusText) {
    ws_.Controls.SetStatusText(statusText);
    turned_ = true;
    ChangeSide(ws_);
}

void DisplayRun::Frame(std::array<NailRange, 3> ranges) {
    ++calls_;
    std::int64_t visits = 0;
    for (const NailRange& range : ranges) {
        visits += static_cast<std::int64_t>(range.Size());
    }
    if (!onceEach_ && visits_ + visits > 3 * calls_ + repeatSlack_) {
        onceEach_ = true;
        framedOnce_.assign(index_->Size(), 0);
    }
    if (onceEach_) {
        for (std::size_t k = 0; k < 3; ++k) {
            if (ranges[k].Empty()) {
                continue;
            }
            std::uint8_t& framed = framedOnce_[ranges[k].Begin];
            if ((framed & (1u << k)) != 0) {
                visits -= static_cast<std::int64_t>(ranges[k].Size());
                ranges[k] = {};
            } else {
                framed = static_cast<std::uint8_t>(framed | (1u << k));
            }
        }
    }
    visits_ += visits;

    // The three ranges hold different numbers, so they never share a nail: merge them into table
    // order, which is the order a scan of the nail table frames them in.
    const std::int32_t radius = PinRadius(ws_.State);
    for (;;) {
        std::size_t pick = 3;
        for (std::size_t k = 0; k < 3; ++k) {
            if (!ranges[k].Empty() && (pick == 3 || index_->NailAt(ranges[k].Begin) <
                                                        index_->NailAt(ranges[pick].Begin))) {
                pick = k;
            }
        }
        if (pick == 3) {
            break;
        }
        FrameNail(index_->NailAt(ranges[pick].Begin), ProbeColours[pick], radius);
        ++ranges[pick].Begin;
    }
}

void DisplayRun::FrameNail(std::int32_t index, Colour colour, std::int32_t radius) {
    const NailEntry& nail = ws_.Board.NailTable[static_cast<std::size_t>(index)];
    if (nail.Side == farSide_) {
        return;
    }
    const WindowState& s = ws_.State;
    const auto [x, y] = PixelOf(s, nail, ws_.Rotation, s.ViewSide);
    ws_.FaultMarks.push_back({RotatedX(nail, ws_.Rotation), RotatedY(nail, ws_.Rotation)});
    Surface& canvas = ws_.Canvas;
    canvas.SetFontColour(colours::Red);
    canvas.TextOut(SaturatingAdd(x, -6), SaturatingAdd(y, radius), std::to_string(nail.Number));
    canvas.SetPenWidth(2);
    canvas.SetPenColour(colour);
    canvas.Rectangle(SaturatingAdd(x, -radius), SaturatingAdd(y, -radius),
                     SaturatingAdd(x, radius + 1), SaturatingAdd(y, radius + 1));
    canvas.SetPenWidth(1);
}

} // namespace dorvik
