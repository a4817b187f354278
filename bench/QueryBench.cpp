// The point query: a click that finds no pin (the whole table is searched) and one on the last pin.
#include "FullBoard.h"

#include "navigate/Navigation.h"
#include "navigate/PointQuery.h"
#include "view/ViewGeometry.h"

#include <benchmark/benchmark.h>

namespace dorvik::bench {
namespace {

void point_query(benchmark::State& state) {
    FullBoard& full = Shared();
    full.Reset();
    const WindowState& s = full.ws.State;
    std::int32_t x = 1; // the frame: no pin lies under it
    std::int32_t y = 1;
    if (state.range(0) == 1) {
        // The last pin of the last part whose pins show from the top; the query looks 2 pixels
        // left of and 1 pixel above the pointer.
        // The last pin of the last part whose pins show from the top, zoomed in about it until
        // a pixel is finer than the query's window; the query looks 2 pixels left of and 1
        // pixel above the pointer.
        for (std::int32_t j = full.board->PartCount - 1; j >= 0; --j) {
            const PartEntry& part = full.board->PartTable[static_cast<std::size_t>(j)];
            if (part.Kind <= 7 && part.PinEnd > FirstPinOf(*full.board, j)) {
                const PinEntry& pin =
                    full.board->PinTable[static_cast<std::size_t>(part.PinEnd - 1)];
                const auto at = [&] {
                    x = ToPixelX(s, RotatedX(pin, full.ws.Rotation));
                    y = ToPixelY(s, RotatedY(pin, full.ws.Rotation));
                };
                at();
                while (s.FitScale * s.Zoom < 1.0f && s.Zoom < MaxZoom) {
                    ZoomInAt(full.ws, x, y);
                    at();
                }
                x += 2;
                y += 1;
                break;
            }
        }
    }
    for (auto _ : state) {
        PointQuery(full.ws, x, y, 1);
    }
    state.SetLabel(state.range(0) == 1 ? "last pin: " + full.controls.StatusText() : "no pin");
}
BENCHMARK(point_query)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dorvik::bench
