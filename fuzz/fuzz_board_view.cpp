// The bytes as a board file, then everything the program does with a board it has read: the fit,
// a redraw in every display mode on both sides at several zooms and turns, with probe numbers
// and entries taken from the board, and point queries at a few pixels.
#include "board/BoardData.h"
#include "board/BoardReader.h"
#include "faults/EntryActions.h"
#include "faults/FaultDisplays.h"
#include "navigate/Navigation.h"
#include "navigate/PointQuery.h"
#include "view/HeadlessControls.h"
#include "view/ImageSurface.h"
#include "view/Render.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Program {
    dorvik::BoardData board;
    dorvik::ImageSurface picture{64, 48}; // small, so clearing costs little per run
    dorvik::HeadlessControls controls;
    dorvik::Workspace ws{board, picture, controls};
};

Program& Fresh() {
    static int argc = 1;
    static char name[] = "fuzz_board_view";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    static Program program;
    dorvik::BoardData& b = program.board;
    b.OutlineCount = b.PartCount = b.PinCount = b.NailCount = 0;
    b.Declared = {};
    b.PartNameLength = b.NetNameLength = 0;
    program.ws.State = dorvik::WindowState{};
    program.ws.Rotation = 0;
    program.ws.Mark = dorvik::QueryMark{};
    dorvik::InstallFaultDisplays(program.ws);
    return program;
}

void Queries(dorvik::Workspace& ws) {
    const int side = ws.State.ViewSide == 1 ? 1 : 2;
    for (const auto& [x, y] : {std::pair{32, 24}, {0, 0}, {63, 47}, {-5, 400}}) {
        dorvik::PointQuery(ws, x, y, side);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Program& p = Fresh();
    dorvik::Workspace& ws = p.ws;
    std::FILE* file = ::fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    if (file == nullptr) {
        return 0;
    }
    dorvik::ReadBoardFile(file, p.board);
    std::fclose(file);
    ws.State.BoardLoaded = 1;
    dorvik::ResetView(ws);
    Queries(ws);

    // Entries taken from the board, so the displays find something.
    const auto nail = [&](int k) {
        return p.board.NailCount > 0
                   ? std::to_string(
                         p.board.NailTable[static_cast<std::size_t>(k % p.board.NailCount)].Number)
                   : std::string("1");
    };
    const std::string net =
        p.board.NailCount > 0 ? std::string(dorvik::NailNet(p.board.NailTable[0])) : "GND";
    const std::string part =
        p.board.PartCount > 0 ? std::string(dorvik::PartName(p.board.PartTable[0])) + ",1,2" : "U1";

    dorvik::AcceptProbeEntry(ws.State, {nail(0), nail(1), nail(2)}, dorvik::OpenDisplay);
    dorvik::Redraw(ws);
    dorvik::AcceptProbeEntry(ws.State, {nail(3), "", nail(4)}, dorvik::ShortDisplay);
    dorvik::Redraw(ws);
    dorvik::AcceptNetEntry(ws.State, net);
    dorvik::Redraw(ws);
    dorvik::AcceptCompEntry(ws.State, {part, "", part});
    dorvik::Redraw(ws);
    Queries(ws);
    // The other side, a turn, names on, and the zoom limits, each redrawn in the component
    // display and then in the open display.
    for (const std::int32_t mode : {dorvik::CompDisplay, dorvik::OpenDisplay}) {
        ws.State.DisplayMode = mode;
        dorvik::ChangeSide(ws);
        dorvik::RotateStep(ws, "");
        dorvik::ToggleText(ws);
        dorvik::ZoomInAt(ws, 0, 0);
        ws.State.Zoom = dorvik::MaxZoom;
        dorvik::ZoomInAt(ws, 63, 47);
        Queries(ws);
        ws.State.Zoom = 1.0f / dorvik::MaxZoom;
        dorvik::ZoomOutAt(ws, -3, 7);
        dorvik::PanStep(ws, dorvik::PanDirection::Up);
        Queries(ws);
        dorvik::HomeView(ws);
    }
    return 0;
}
