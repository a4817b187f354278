// The viewer's conveniences on the full-capacity board: a wheel notch and a drag step from the
// event's call to the finished picture (names off and on), and the search field's completion
// per typed key over every part and net name.
#include "FullBoard.h"

#include "navigate/BoardNames.h"
#include "navigate/PanDrag.h"
#include "navigate/WheelZoom.h"

#include <benchmark/benchmark.h>

#include <string>

namespace dorvik::bench {
namespace {

void PrepareNames(FullBoard& full, const benchmark::State& state) {
    full.Reset();
    full.ws.State.BoardLoaded = 1;
    full.ws.State.TextFlag = state.range(0) != 0 ? 'Y' : 'N';
}

// Up and down in turn about a point off the centre, so that the zoom stays at 1 and 2.
void wheel_notch(benchmark::State& state) {
    FullBoard& full = Shared();
    PrepareNames(full, state);
    const std::int32_t x = full.ws.State.ImageWidth / 3;
    const std::int32_t y = full.ws.State.ImageHeight / 3;
    bool up = true;
    for (auto _ : state) {
        WheelZoomAt(full.ws, x, y, up ? WheelTurn::Up : WheelTurn::Down);
        up = !up;
    }
    state.SetLabel(state.range(0) != 0 ? "names on" : "names off");
}
BENCHMARK(wheel_notch)->Arg(0)->Arg(1)->ArgName("names")->Unit(benchmark::kMillisecond);

// One step of a drag: the pointer moves 8 pixels and the picture follows.
void drag_step(benchmark::State& state) {
    FullBoard& full = Shared();
    PrepareNames(full, state);
    PanDrag drag;
    const std::int32_t x = full.ws.State.CentreX;
    const std::int32_t y = full.ws.State.CentreY;
    drag.Press(full.ws.State, x, y);
    std::int32_t offset = PanDrag::Threshold + 8;
    for (auto _ : state) {
        drag.Move(full.ws, x + offset, y + offset / 2);
        offset = -offset;
    }
    drag.Release(full.ws, x, y);
    state.SetLabel(state.range(0) != 0 ? "names on" : "names off");
}
BENCHMARK(drag_step)->Arg(0)->Arg(1)->ArgName("names")->Unit(benchmark::kMillisecond);

// The names of the board, gathered once when it is loaded.
void find_index(benchmark::State& state) {
    FullBoard& full = Shared();
    for (auto _ : state) {
        BoardNames names(*full.board);
        benchmark::DoNotOptimize(names.Size());
    }
}
BENCHMARK(find_index)->Unit(benchmark::kMillisecond);

// What the field does per key: the names offered for the text typed so far, one to six keys of
// a part name.
void find_completion_per_key(benchmark::State& state) {
    FullBoard& full = Shared();
    const BoardNames names(*full.board);
    const std::string name(
        PartName(full.board->PartTable[static_cast<std::size_t>(full.board->PartCount / 2)]));
    const auto keys = static_cast<std::size_t>(state.range(0));
    const std::string typed = name.substr(0, keys);
    std::size_t offered = 0;
    for (auto _ : state) {
        offered = names.Complete(typed, 50).size();
        benchmark::DoNotOptimize(offered);
    }
    state.SetLabel("'" + typed + "' offers " + std::to_string(offered));
}
BENCHMARK(find_completion_per_key)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dorvik::bench
