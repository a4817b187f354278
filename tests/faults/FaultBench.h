#pragma once
// A small board built from tables, a workspace around it with a recording surface and fake
// controls, and readers for what the fault displays drew.

#include "board/BoardData.h"
#include "faults/FaultDisplays.h"
#include "navigate/Navigation.h"
#include "support/FakeControls.h"
#include "support/RecordingSurface.h"
#include "view/ImageSurface.h"
#include "view/Render.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace dorvik::test {

// Rows of a board built by hand for a test, as AddPart and AddNail append them to the tables.
struct PinRow {
    std::int32_t X, Y, Probe;
    const char* Net;
};

struct PartRow {
    const char* Name;
    std::int8_t Kind;
    std::vector<PinRow> Pins;
};

struct NailRow {
    std::int32_t Number, X, Y;
    std::int8_t Side;
    const char* Net;
};

inline void SetName(NameSlot& slot, std::string_view name) {
    slot.fill('\0');
    std::memcpy(slot.data(), name.data(), std::min(name.size(), slot.size() - 1));
}

inline void AddPart(BoardData& board, const PartRow& desc) {
    PartEntry& part = board.PartTable[static_cast<std::size_t>(board.PartCount++)];
    SetName(part.Name, desc.Name);
    part.Kind = desc.Kind;
    for (const PinRow& p : desc.Pins) {
        PinEntry& pin = board.PinTable[static_cast<std::size_t>(board.PinCount++)];
        pin.X = p.X;
        pin.Y = p.Y;
        pin.Probe = p.Probe;
        SetName(pin.Net, p.Net);
    }
    part.PinEnd = board.PinCount;
}

inline void AddNail(BoardData& board, const NailRow& desc) {
    NailEntry& nail = board.NailTable[static_cast<std::size_t>(board.NailCount++)];
    nail.Number = desc.Number;
    nail.X = desc.X;
    nail.Y = desc.Y;
    nail.Side = desc.Side;
    SetName(nail.Net, desc.Net);
}

// The outline (0, 0) to (1000, 500): on an 800 x 600 picture x 0, 500, 1000 map to columns 2,
// 400, 797 and y 0, 250, 500 to rows 598, 399, 200 on the top side; pins have radius 8.
inline void AddFrameOutline(BoardData& board) {
    const OutlinePoint points[] = {{0, 0}, {1000, 0}, {1000, 500}, {0, 500}, {0, 0}};
    for (const OutlinePoint& p : points) {
        board.OutlineTable[static_cast<std::size_t>(board.OutlineCount++)] = p;
    }
}

// A workspace on a board, as the main window holds it after the board was loaded. Drawn on a
// recording surface (what was drawn, in which order) or on the program's image surface (pixels).
template <class Canvas> struct BasicBench {
    explicit BasicBench(const std::vector<PartRow>& parts, const std::vector<NailRow>& nails)
        : canvas(800, 600) {
        AddFrameOutline(*board);
        for (const PartRow& part : parts) {
            AddPart(*board, part);
        }
        for (const NailRow& nail : nails) {
            AddNail(*board, nail);
        }
        InstallFaultDisplays(ws);
        ResetView(ws);
    }

    // Redraws the way the main window does after a command, recording only that drawing.
    void Redraw() {
        if constexpr (std::is_same_v<Canvas, RecordingSurface>) {
            canvas.calls.clear();
        }
        controls.statusHistory.clear();
        dorvik::Redraw(ws);
    }

    WindowState& State() { return ws.State; }

    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    Canvas canvas;
    FakeControls controls;
    Workspace ws{*board, canvas, controls};
};

using Bench = BasicBench<RecordingSurface>;
using ImageBench = BasicBench<ImageSurface>;

// Pixel of a board point on the current side.
inline std::int32_t PixelX(const Workspace& ws, std::int32_t x, std::int32_t y) {
    return ToPixelXForSide(ws.State, RotatedX(x, y, ws.Rotation));
}
inline std::int32_t PixelY(const Workspace& ws, std::int32_t x, std::int32_t y) {
    return ToPixelY(ws.State, RotatedY(x, y, ws.Rotation));
}

// A probe frame as the marking draws it: the number in red, then a pen-2 rectangle.
struct Frame {
    std::string Number;
    Colour Ink;
    int CentreX, CentreY;

    friend bool operator==(const Frame&, const Frame&) = default;
};

inline std::vector<Frame> Frames(const RecordingSurface& canvas) {
    std::vector<Frame> frames;
    for (std::size_t i = 1; i < canvas.calls.size(); ++i) {
        const DrawCall& c = canvas.calls[i];
        if (c.What == DrawCall::Kind::Rectangle && c.PenWidth == 2) {
            const DrawCall& text = canvas.calls[i - 1];
            frames.push_back({text.What == DrawCall::Kind::Text ? text.Text : std::string("?"),
                              c.Pen, (c.X1 + c.X2 - 1) / 2, (c.Y1 + c.Y2 - 1) / 2});
        }
    }
    return frames;
}

inline std::vector<std::string> FramedNumbers(const RecordingSurface& canvas, Colour ink) {
    std::vector<std::string> numbers;
    for (const Frame& f : Frames(canvas)) {
        if (f.Ink == ink) {
            numbers.push_back(f.Number);
        }
    }
    return numbers;
}

// Texts drawn in a colour, in drawing order.
inline std::vector<std::string> Texts(const RecordingSurface& canvas, Colour font) {
    std::vector<std::string> texts;
    for (const DrawCall& c : canvas.calls) {
        if (c.What == DrawCall::Kind::Text && c.Font == font) {
            texts.push_back(c.Text);
        }
    }
    return texts;
}

// Circles (pin marks) centred on a pixel, with the pen colours they were drawn in.
// The colour of a pixel of the picture, black where nothing was drawn.
inline Colour PixelAt(const Surface& canvas, int x, int y) {
    return canvas.Pixel(x, y).value_or(Colour{0xFFFFFFFF});
}

inline std::vector<Colour> CirclesAt(const RecordingSurface& canvas, int x, int y) {
    std::vector<Colour> inks;
    for (const DrawCall& c : canvas.calls) {
        if (c.What == DrawCall::Kind::Ellipse && (c.X1 + c.X2) / 2 == x && (c.Y1 + c.Y2) / 2 == y) {
            inks.push_back(c.Pen);
        }
    }
    return inks;
}

} // namespace dorvik::test
