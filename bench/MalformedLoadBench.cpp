// Reading files of pathological shapes at two sizes: the time per megabyte must not grow with
// the size (the reader is linear in its input whatever the input holds).
#include "board/BoardData.h"
#include "board/BoardReader.h"
#include "board/CharCodec.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace dorvik::bench {
namespace {

std::string Stored(const std::string& text) {
    std::string out(text);
    for (char& c : out) {
        if (c != '\n') {
            c = static_cast<char>(EncodeByte(static_cast<std::uint8_t>(c)));
        }
    }
    return out;
}

enum Shape { HugeLines, EmptyLines, ManyTokens, BinaryBytes, PastCapacity, ShapeCount };
const char* const ShapeNames[] = {"huge_lines", "empty_lines", "many_tokens", "binary",
                                  "past_capacity"};

// A pins section followed by `megabytes` of one shape.
std::string MakeFile(int shape, std::size_t megabytes) {
    const std::size_t size = megabytes << 20;
    std::string body;
    body.reserve(size + 1024);
    std::uint32_t random = 12345;
    while (body.size() < size) {
        switch (shape) {
        case HugeLines:
            body += Stored(std::string(1 << 20, 'N')) + "\n";
            break;
        case EmptyLines:
            body += std::string(4096, '\n');
            break;
        case ManyTokens:
            body += Stored("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16") + "\n";
            break;
        case BinaryBytes:
            for (int i = 0; i < 4096; ++i) {
                random = random * 1664525u + 1013904223u;
                const auto byte = static_cast<unsigned char>(random >> 24);
                body += static_cast<char>(byte == 0xFF || byte == 0x1A ? 'x' : byte);
            }
            break;
        default:
            body += Stored("12 34 56 0 NET") + "\n";
            break;
        }
    }
    return Stored("str_length:\n16 16\nvar_data:\n0 0 99999 0 0 0\nPins:\n") + body;
}

void load_malformed(benchmark::State& state) {
    const std::string bytes =
        MakeFile(static_cast<int>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    auto board = std::make_unique<BoardData>();
    for (auto _ : state) {
        std::FILE* f = ::fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "r");
        ReadBoardFile(f, *board);
        std::fclose(f);
        benchmark::DoNotOptimize(board->PinCount);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
    state.SetLabel(ShapeNames[state.range(0)]);
}
BENCHMARK(load_malformed)
    ->ArgsProduct({benchmark::CreateDenseRange(0, ShapeCount - 1, 1), {4, 16}})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvik::bench
