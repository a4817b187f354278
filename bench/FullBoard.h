#pragma once
// The benchmarks' board: generated once at full capacity, written to a file (so reading it comes
// from the page cache), read into the tables, and shown in a 1920 x 1080 drawing area.

#include "board/BoardData.h"
#include "view/HeadlessControls.h"
#include "view/ImageSurface.h"
#include "view/Workspace.h"

#include <memory>
#include <string>

namespace dorvik::bench {

struct FullBoard {
    FullBoard();

    std::string path; // the stored board file
    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    ImageSurface picture{1920, 1080};
    HeadlessControls controls;
    Workspace ws{*board, picture, controls};

    // The number of a nail on the largest net (GND), and the net's name.
    std::int32_t bigNetNail = 0;
    std::int32_t otherNetNail = 0;
    std::string bigNet;
    // A component entry naming three large ICs with some of their pins.
    std::string compEntry;

    // Back to the freshly loaded view: zoom 1, top side, names off, whole board.
    void Reset();
};

// The one board all benchmarks share.
FullBoard& Shared();

} // namespace dorvik::bench
