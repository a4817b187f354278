// The fault displays on the full board with its largest net (GND, about 10,000 nails), and an
// entry from its OK to the finished picture, with and without the automatic side change.
#include "FullBoard.h"

#include "faults/EntryActions.h"
#include "view/Render.h"

#include <benchmark/benchmark.h>

namespace dorvik::bench {
namespace {

void Show(FullBoard& full, std::int32_t mode) {
    full.Reset();
    WindowState& s = full.ws.State;
    s.DisplayMode = mode;
    s.Zoom = 1.0f;
    s.NewEntry = 'N';
    s.Probe1 = full.bigNetNail;
    s.Probe2 = mode == ShortDisplay ? full.otherNetNail : 0;
    SetText(s.NetText, "," + full.bigNet + ",");
    SetText(s.CompText1, "," + full.compEntry + ",");
}

void display_open(benchmark::State& state) {
    FullBoard& full = Shared();
    Show(full, OpenDisplay);
    for (auto _ : state) {
        Redraw(full.ws);
    }
}
BENCHMARK(display_open)->Unit(benchmark::kMillisecond);

void display_short(benchmark::State& state) {
    FullBoard& full = Shared();
    Show(full, ShortDisplay);
    for (auto _ : state) {
        Redraw(full.ws);
    }
}
BENCHMARK(display_short)->Unit(benchmark::kMillisecond);

void display_net(benchmark::State& state) {
    FullBoard& full = Shared();
    Show(full, NetDisplay);
    for (auto _ : state) {
        Redraw(full.ws);
    }
}
BENCHMARK(display_net)->Unit(benchmark::kMillisecond);

void display_comp(benchmark::State& state) {
    FullBoard& full = Shared();
    Show(full, CompDisplay);
    for (auto _ : state) {
        Redraw(full.ws);
    }
}
BENCHMARK(display_comp)->Unit(benchmark::kMillisecond);

// An Open entry of the big net's nail, from OK to the picture.
void entry_to_picture(benchmark::State& state) {
    FullBoard& full = Shared();
    const std::string probe = std::to_string(full.bigNetNail);
    std::string part; // a part whose body is on the bottom, for the side change
    for (std::int32_t j = 0; j < full.board->PartCount; ++j) {
        if ((full.board->PartTable[static_cast<std::size_t>(j)].Kind & 3) == 2) {
            part = PartName(full.board->PartTable[static_cast<std::size_t>(j)]);
            break;
        }
    }
    const bool sideChange = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        full.Reset();
        state.ResumeTiming();
        if (sideChange) {
            AcceptCompEntry(full.ws.State, {part, "", ""});
        } else {
            AcceptProbeEntry(full.ws.State, {probe, "", ""}, OpenDisplay);
        }
        Redraw(full.ws);
    }
    state.SetLabel(sideChange ? "component on the far side: " + full.controls.StatusText()
                              : "open entry");
}
BENCHMARK(entry_to_picture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvik::bench
