#include "FullBoard.h"

#include "board/BoardReader.h"
#include "brd/Generator.h"
#include "faults/FaultDisplays.h"
#include "navigate/Navigation.h"
#include "view/Render.h"
#include "view/ViewGeometry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace dorvik::bench {

namespace {

std::string WriteFullBoard() {
    const std::string stored = brd::GenerateStored(brd::GenerateOptions{0, 1, true});
    std::string path = "/tmp/dorvik-bench-full.brd";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(stored.data(), 1, stored.size(), f) != stored.size()) {
        throw std::runtime_error("cannot write " + path);
    }
    std::fclose(f);
    return path;
}

} // namespace

FullBoard::FullBoard() : path(WriteFullBoard()) {
    std::FILE* f = std::fopen(path.c_str(), "r");
    ReadBoardFile(f, *board);
    std::fclose(f);
    InstallFaultDisplays(ws);

    // The net with the most nails, and one nail on another net.
    std::vector<std::pair<std::string, int>> counts;
    for (std::int32_t i = 0; i < board->NailCount; ++i) {
        const std::string net = NailNet(board->NailTable[static_cast<std::size_t>(i)]);
        auto it = std::find_if(counts.begin(), counts.end(),
                               [&](const auto& c) { return c.first == net; });
        if (it == counts.end()) {
            counts.emplace_back(net, 1);
        } else {
            ++it->second;
        }
    }
    bigNet = std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                 return a.second < b.second;
             })->first;
    for (std::int32_t i = 0; i < board->NailCount; ++i) {
        const auto& nail = board->NailTable[static_cast<std::size_t>(i)];
        if (bigNet == NailNet(nail) && bigNetNail == 0) {
            bigNetNail = nail.Number;
        } else if (bigNet != NailNet(nail) && otherNetNail == 0) {
            otherNetNail = nail.Number;
        }
    }

    // The three ICs with the most pins, each with a few listed pins.
    std::vector<std::pair<int, std::int32_t>> ics; // pin count, part index
    for (std::int32_t j = 0; j < board->PartCount; ++j) {
        const char* name = PartName(board->PartTable[static_cast<std::size_t>(j)]);
        if (name[0] == 'U' || std::strncmp(name, "IC", 2) == 0) {
            ics.emplace_back(
                board->PartTable[static_cast<std::size_t>(j)].PinEnd - FirstPinOf(*board, j), j);
        }
    }
    std::sort(ics.rbegin(), ics.rend());
    for (std::size_t k = 0; k < 3 && k < ics.size(); ++k) {
        compEntry += std::string(k == 0 ? "" : ",") +
                     PartName(board->PartTable[static_cast<std::size_t>(ics[k].second)]);
    }
    compEntry += ",1,2,3";
    Reset();
}

void FullBoard::Reset() {
    ws.State.DisplayMode = BoardDisplay;
    ResetView(ws);
}

FullBoard& Shared() {
    static FullBoard board;
    return board;
}

} // namespace dorvik::bench
