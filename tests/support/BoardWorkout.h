#pragma once
// Everything the program does with a board it has read, run window-less: the fit, a redraw in
// every display mode on both sides at several zooms and turns, with probe numbers and entries
// taken from the board, and point queries at a few pixels, some outside the picture. Used by the
// tests of malformed files and by the board-view fuzzer.

#include "board/BoardData.h"
#include "faults/EntryActions.h"
#include "faults/FaultDisplays.h"
#include "navigate/Navigation.h"
#include "navigate/PointQuery.h"
#include "support/BoardText.h"
#include "view/Render.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace dorvik::test {

// Forgets the board and everything the window state remembers of it.
inline void ForgetBoard(Workspace& ws) {
    ForgetTables(ws.Board);
    ws.State = WindowState{};
    ws.Rotation = 0;
    ws.Mark = QueryMark{};
    InstallFaultDisplays(ws);
}

inline void QueryAFewPixels(Workspace& ws) {
    const int w = ws.Canvas.Width();
    const int h = ws.Canvas.Height();
    const int side = ws.State.ViewSide == 1 ? 1 : 2;
    for (const auto& [x, y] : {std::pair{w / 2, h / 2}, {0, 0}, {w - 1, h - 1}, {-5, h + 400}}) {
        PointQuery(ws, x, y, side);
    }
}

// The board must already be in ws.Board. The navigation (sides, turns, names, zoom limits, pan,
// home) runs once in each of the given displays.
inline void WorkOut(Workspace& ws, std::initializer_list<std::int32_t> navigationDisplays = {
                                       CompDisplay, OpenDisplay}) {
    const BoardData& board = ws.Board;
    const int w = ws.Canvas.Width();
    const int h = ws.Canvas.Height();
    ws.State.BoardLoaded = 1;
    ResetView(ws);
    QueryAFewPixels(ws);

    // Entries taken from the board, so that the displays find something.
    const auto nail = [&](int k) {
        return board.NailCount > 0
                   ? std::to_string(
                         board.NailTable[static_cast<std::size_t>(k % board.NailCount)].Number)
                   : std::string("1");
    };
    const std::string net =
        board.NailCount > 0 ? std::string(NailNet(board.NailTable[0])) : std::string("GND");
    const std::string part = board.PartCount > 0
                                 ? std::string(PartName(board.PartTable[0])) + ",1,2"
                                 : std::string("U1");

    AcceptProbeEntry(ws.State, {nail(0), nail(1), nail(2)}, OpenDisplay);
    Redraw(ws);
    AcceptProbeEntry(ws.State, {nail(3), "", nail(4)}, ShortDisplay);
    Redraw(ws);
    AcceptNetEntry(ws.State, net);
    Redraw(ws);
    AcceptCompEntry(ws.State, {part, "", part});
    Redraw(ws);
    QueryAFewPixels(ws);
    // The other side, a turn, names on, and both zoom limits.
    for (const std::int32_t mode : navigationDisplays) {
        ws.State.DisplayMode = mode;
        ChangeSide(ws);
        RotateStep(ws, "");
        ToggleText(ws);
        ZoomInAt(ws, 0, 0);
        ws.State.Zoom = MaxZoom;
        ZoomInAt(ws, w - 1, h - 1);
        QueryAFewPixels(ws);
        ws.State.Zoom = 1.0f / MaxZoom;
        ZoomOutAt(ws, -3, 7);
        PanStep(ws, PanDirection::Up);
        QueryAFewPixels(ws);
        HomeView(ws);
    }
}

} // namespace dorvik::test
