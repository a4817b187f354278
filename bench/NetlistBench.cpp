// Opening an IPC-D-356 netlist of a dense single-board computer's size: 881 parts, 3,856 pads,
// 1,873 vias, 640 nets on ten layers, written as a CAD tool writes it (80 columns, CR LF).
#include "board/BoardOpen.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace dorvik::bench {
namespace {

constexpr int Parts = 881;
constexpr int Pads = 3856;
constexpr int Vias = 1873;
constexpr int Nets = 640;
constexpr int LongNames = 28;

std::string Record(const char* code, const std::string& net, const std::string& ref,
                   const std::string& pin, bool hole, int access, long x, long y) {
    char line[96];
    std::snprintf(line, sizeof line,
                  "%-3.3s%-14.14s   %-6.6s%c%-4.4s %sA%02dX%c%06ldY%c%06ldX0100Y0100R000 S0      "
                  "\r\n",
                  code, net.c_str(), ref.c_str(), pin.empty() ? ' ' : '-', pin.c_str(),
                  hole ? "D0300P" : "      ", access, x < 0 ? '-' : '+', x < 0 ? -x : x,
                  y < 0 ? '-' : '+', y < 0 ? -y : y);
    return line;
}

std::string NetOf(int n) {
    if (n % 13 == 0) {
        return "N/C";
    }
    const int net = n % Nets;
    char name[16];
    if (net < LongNames) {
        std::snprintf(name, sizeof name, "m%04d", net);
    } else {
        std::snprintf(name, sizeof name, "NET%d", net);
    }
    return name;
}

// Twenty large parts of 100 pads, then two- and three-pad parts; the last 24 are test points.
int PadsOfPart(int part) {
    if (part < 20) {
        return 100;
    }
    return part - 20 < 134 ? 3 : 2;
}

std::string Netlist() {
    std::string text = "P  JOB   DENSE SINGLE-BOARD COMPUTER\r\nP  UNITS CUST 0\r\n";
    for (int k = 0; k < LongNames; ++k) {
        char line[96];
        std::snprintf(line, sizeof line, "P  NNAMEm%04d A_LONG_NET_NAME_NUMBER_%d\r\n", k, k);
        text += line;
    }
    int pad = 0;
    for (int part = 0; part < Parts; ++part) {
        const std::string ref =
            part >= Parts - 24 ? "TP" + std::to_string(part) : "U" + std::to_string(part);
        const bool through = part < 5;
        const int access = through ? 0 : (part % 3 == 0 ? 10 : 1);
        for (int p = 1; p <= PadsOfPart(part); ++p, ++pad) {
            const long x = 100 + (pad * 37) % 39000;
            const long y = 100 + (pad * 53) % 29000;
            text += Record(through ? "317" : "327", NetOf(pad * 7), ref, std::to_string(p), through,
                           access, x, y);
        }
    }
    for (int v = 0; v < Vias; ++v) {
        text += Record("317", NetOf(v * 11 + 1), "VIA", "", true, 0, 200 + (v * 41) % 38000,
                       200 + (v * 29) % 28000);
    }
    if (pad != Pads) {
        throw std::logic_error("the generated netlist has the wrong number of pads");
    }
    return text + "999\r\n";
}

const std::string& NetlistPath() {
    static const std::string path = [] {
        const std::string text = Netlist();
        std::string p = "/tmp/dorvik-bench-netlist.ipc";
        std::FILE* f = std::fopen(p.c_str(), "wb");
        if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size()) {
            throw std::runtime_error("cannot write " + p);
        }
        std::fclose(f);
        return p;
    }();
    return path;
}

void open_netlist(benchmark::State& state) {
    const std::string& path = NetlistPath();
    auto board = std::make_unique<BoardData>();
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "r+");
        const BoardOpenResult opened = ReadBoardOrNetlist(f, *board);
        std::fclose(f);
        if (!opened.Netlist || opened.Netlist->Error || board->PinCount != Pads ||
            board->PartCount != Parts) {
            state.SkipWithError("the netlist did not read as generated");
            break;
        }
        benchmark::DoNotOptimize(board->NailCount);
    }
}
BENCHMARK(open_netlist)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvik::bench
