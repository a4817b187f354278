#pragma once
// A workspace on a recording surface with fake controls, and a board whose fit is exactly one
// pixel per board unit on the 800 x 600 picture, so that clicks land on chosen board points.

#include "navigate/Navigation.h"
#include "support/BoardText.h"
#include "support/FakeControls.h"
#include "support/RecordingSurface.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace dorvik::test {

// Outline x 0..795 (span 796) and y 0..596 (span 596) fill the 796 x 596 area inside the margins.
inline std::string UnitScaleBoard(std::string_view parts, std::string_view pins, int partCount,
                                  int pinCount) {
    return "str_length:\n80 80\nvar_data:\n5 " + std::to_string(partCount) + " " +
           std::to_string(pinCount) + " 0 0 0\nFormat:\n0 0\n795 0\n795 596\n0 596\n0 0\nParts:\n" +
           std::string(parts) + "Pins:\n" + std::string(pins);
}

// U1 (SMD, top) with two pins, R7 (through-hole) with one, C3 (SMD, bottom) with one.
inline const std::string QueryBoard = UnitScaleBoard("U1 5 2\nR7 1 3\nC3 8 4\n",
                                                     "100 100 12 0 VCC\n"
                                                     "300 100 -99 0 N1\n"
                                                     "400 300 0 0 GND\n"
                                                     "500 300 7 0 N2\n",
                                                     3, 4);

class WorkspaceTest : public ::testing::Test {
protected:
    static constexpr int Width = 800;
    static constexpr int Height = 600;

    // Reads the board and fits it, as opening a file does.
    void Load(std::string_view text) {
        ReadText(board, text);
        ws.State.BoardLoaded = 1;
        ResetView(ws);
    }

    // Whole-picture clears, one per redraw.
    int Redraws() const {
        int n = 0;
        for (const DrawCall& c : canvas.Of(DrawCall::Kind::Rectangle)) {
            if (c.X1 == 0 && c.Y1 == 0 && c.X2 == Width && c.Y2 == Height && c.BrushSolid) {
                ++n;
            }
        }
        return n;
    }

    // The pixel that the inverse mapping takes closest to the rotated board point (bx, by).
    std::pair<std::int32_t, std::int32_t> PixelFor(std::int32_t bx, std::int32_t by) const {
        std::pair<std::int32_t, std::int32_t> best{0, 0};
        std::int64_t bestX = std::numeric_limits<std::int64_t>::max();
        std::int64_t bestY = bestX;
        for (std::int32_t p = -200; p < Width + 200; ++p) {
            const std::int64_t errX = std::llabs(std::int64_t{ToBoardX(ws.State, p)} - bx);
            const std::int64_t errY = std::llabs(std::int64_t{ToBoardY(ws.State, p)} - by);
            if (errX < bestX) {
                bestX = errX;
                best.first = p;
            }
            if (errY < bestY) {
                bestY = errY;
                best.second = p;
            }
        }
        return best;
    }

    BoardData board;
    RecordingSurface canvas{Width, Height};
    FakeControls controls;
    Workspace ws{board, canvas, controls};
};

} // namespace dorvik::test
