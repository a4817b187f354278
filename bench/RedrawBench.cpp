// The whole-board redraw at several zooms, both sides, names off and on, beside the same marks
// drawn the plain way with one QPainter call per item. Also the view commands as a whole.
#include "FullBoard.h"
#include "ReferenceRenderer.h"

#include "navigate/Navigation.h"
#include "view/Render.h"

#include <benchmark/benchmark.h>

namespace dorvik::bench {
namespace {

// Arguments: zoom as a power of two (-3, 0, 3), side (1 top, -1 bottom), names (0 off, 1 on).
void Prepare(FullBoard& full, const benchmark::State& state) {
    full.Reset();
    const auto power = static_cast<int>(state.range(0));
    full.ws.State.Zoom =
        power >= 0 ? static_cast<float>(1 << power) : 1.0f / static_cast<float>(1 << -power);
    full.ws.State.ViewSide = static_cast<std::int32_t>(state.range(1));
    full.ws.State.TextFlag = state.range(2) != 0 ? 'Y' : 'N';
}

void RedrawArgs(benchmark::internal::Benchmark* b) {
    for (int zoom : {0, 3, -3}) {
        for (int side : {1, -1}) {
            for (int names : {0, 1}) {
                b->Args({zoom, side, names});
            }
        }
    }
    b->ArgNames({"zoom2^", "side", "names"})->Unit(benchmark::kMillisecond);
}

void redraw(benchmark::State& state) {
    FullBoard& full = Shared();
    Prepare(full, state);
    for (auto _ : state) {
        Redraw(full.ws);
    }
}
BENCHMARK(redraw)->Apply(RedrawArgs);

void redraw_reference(benchmark::State& state) {
    FullBoard& full = Shared();
    Prepare(full, state);
    QImage& image = const_cast<QImage&>(full.picture.Image());
    for (auto _ : state) {
        DrawBoardWithQPainter(full.ws, image);
    }
}
BENCHMARK(redraw_reference)->Apply(RedrawArgs);

// A view command from its call to the finished picture.
void view_command(benchmark::State& state) {
    FullBoard& full = Shared();
    full.Reset();
    const auto which = state.range(0);
    for (auto _ : state) {
        switch (which) {
        case 0:
            ZoomInAt(full.ws, full.ws.State.CentreX, full.ws.State.CentreY);
            state.PauseTiming();
            full.ws.State.Zoom = 1.0f;
            state.ResumeTiming();
            break;
        case 1:
            PanStep(full.ws, PanDirection::Left);
            break;
        case 2:
            ChangeSide(full.ws);
            break;
        case 3:
            ToggleText(full.ws);
            break;
        default:
            HomeView(full.ws);
            break;
        }
    }
    state.SetLabel(which == 0   ? "zoom"
                   : which == 1 ? "pan"
                   : which == 2 ? "side"
                   : which == 3 ? "labels"
                                : "home");
}
BENCHMARK(view_command)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvik::bench
