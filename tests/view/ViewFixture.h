#pragma once
// A workspace over a recording surface of 800 x 600 pixels, with helpers that fill the board
// tables directly.

#include "board/BoardData.h"
#include "navigate/Navigation.h"
#include "support/FakeControls.h"
#include "support/RecordingSurface.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace dorvik::test {

struct PinAt {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// Writes a board's tables in place; parts own the pins added after them.
class BoardBuilder {
public:
    explicit BoardBuilder(BoardData& board) : board_(board) {}

    BoardBuilder& Outline(std::initializer_list<OutlinePoint> points) {
        board_.OutlineCount = 0;
        for (const OutlinePoint& p : points) {
            board_.OutlineTable[static_cast<std::size_t>(board_.OutlineCount++)] = p;
        }
        return *this;
    }

    BoardBuilder& Part(std::string_view name, std::int8_t kind, std::initializer_list<PinAt> pins) {
        for (const PinAt& p : pins) {
            Pin(p);
        }
        return PartEndingAt(name, kind, board_.PinCount);
    }

    // A part with an explicit PinEnd, for tables that break the usual order.
    BoardBuilder& PartEndingAt(std::string_view name, std::int8_t kind, std::int32_t pinEnd) {
        PartEntry& part = board_.PartTable[static_cast<std::size_t>(board_.PartCount++)];
        part = PartEntry{};
        std::memcpy(part.Name.data(), name.data(), name.size());
        part.Kind = kind;
        part.PinEnd = pinEnd;
        return *this;
    }

    BoardBuilder& Pin(PinAt p) {
        PinEntry& pin = board_.PinTable[static_cast<std::size_t>(board_.PinCount++)];
        pin = PinEntry{};
        pin.X = p.X;
        pin.Y = p.Y;
        pin.Probe = NoProbe;
        return *this;
    }

    BoardBuilder& Nail(PinAt p) {
        NailEntry& nail = board_.NailTable[static_cast<std::size_t>(board_.NailCount++)];
        nail = NailEntry{};
        nail.X = p.X;
        nail.Y = p.Y;
        nail.Side = TopSide;
        return *this;
    }

private:
    BoardData& board_;
};

// The board of the fit example: a 1000 x 500 rectangle from the origin, closed.
inline void ExampleOutline(BoardData& board) {
    BoardBuilder(board).Outline({{0, 0}, {1000, 0}, {1000, 500}, {0, 500}, {0, 0}});
}

struct ViewFixture {
    explicit ViewFixture(int width = 800, int height = 600) : canvas(width, height) {}

    // Fits the board as loading it does and forgets what that drew.
    void Reset() {
        ResetView(ws);
        canvas.calls.clear();
    }

    BoardData board;
    RecordingSurface canvas;
    FakeControls controls;
    Workspace ws{board, canvas, controls};
};

} // namespace dorvik::test
