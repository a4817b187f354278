// Reading the full board, beside the plain cost of reading its bytes and undoing the
// character transformation.
#include "FullBoard.h"

#include "board/BoardReader.h"
#include "board/CharCodec.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace dorvik::bench {
namespace {

void load(benchmark::State& state) {
    FullBoard& full = Shared();
    auto board = std::make_unique<BoardData>();
    for (auto _ : state) {
        std::FILE* f = std::fopen(full.path.c_str(), "r+");
        ReadBoardFile(f, *board);
        std::fclose(f);
        benchmark::DoNotOptimize(board->PinCount);
    }
}
BENCHMARK(load)->Unit(benchmark::kMillisecond);

void raw_read(benchmark::State& state) {
    FullBoard& full = Shared();
    std::vector<unsigned char> bytes;
    for (auto _ : state) {
        std::FILE* f = std::fopen(full.path.c_str(), "r+");
        std::fseek(f, 0, SEEK_END);
        bytes.resize(static_cast<std::size_t>(std::ftell(f)));
        std::rewind(f);
        const std::size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        for (std::size_t i = 0; i < n; ++i) {
            if (bytes[i] != '\n') {
                bytes[i] = DecodeTable[bytes[i]];
            }
        }
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(raw_read)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvik::bench
