#pragma once
// The board most display tests work on. Nails in table order:
//   50 ND, 7 GND, 13 VCC, 40 SIG, 19 GND, 41 BOT (bottom), 22 MIX (bottom), 21 MIX, 42 BOT
//   (bottom), 31 GND, 60 LONE (no pin on it), 89 TP.
// Pins carry probe 7 on GND, 13 VCC, 40 SIG, 41/42 BOT, 50 ND, 88 TP (no nail 88), 21/22 MIX.

#include "FaultBench.h"

namespace dorvik::test {

inline const std::vector<PartRow>& ProbeBoardParts() {
    static const std::vector<PartRow> parts{
        {"U1",
         5,
         {{100, 100, 7, "GND"},
          {200, 100, 13, "VCC"},
          {200, 200, -99, "N1"},
          {100, 200, 7, "GND"}}},
        {"R7", 1, {{400, 100, 40, "SIG"}, {450, 100, 7, "GND"}}},
        {"C5", 10, {{600, 300, 41, "BOT"}, {650, 350, 42, "BOT"}}},
        {"R9", 1, {{800, 50, 50, "ND"}, {850, 200, 88, "TP"}}},
        {"J2", 2, {{500, 250, 21, "MIX"}, {520, 250, 22, "MIX"}}},
        {"P0", 1, {{0, 250, 7, "GND"}}}, // its pin lies on the left clip margin
    };
    return parts;
}

inline const std::vector<NailRow>& ProbeBoardNails() {
    static const std::vector<NailRow> nails{
        {50, 800, 50, 1, "ND"},   {7, 150, 150, 1, "GND"},   {13, 200, 100, 1, "VCC"},
        {40, 400, 100, 1, "SIG"}, {19, 300, 300, 1, "GND"},  {41, 600, 300, 2, "BOT"},
        {22, 520, 250, 2, "MIX"}, {21, 500, 250, 1, "MIX"},  {42, 650, 350, 2, "BOT"},
        {31, 700, 400, 1, "GND"}, {60, 900, 450, 1, "LONE"}, {89, 850, 200, 1, "TP"},
    };
    return nails;
}

struct ProbeBench : Bench {
    ProbeBench() : Bench(ProbeBoardParts(), ProbeBoardNails()) {}
};

struct ProbeImageBench : ImageBench {
    ProbeImageBench() : ImageBench(ProbeBoardParts(), ProbeBoardNails()) {}
};

// Redraws and tells whether the picture stayed as it was: after a turn of the board inside a
// display, what is seen must be exactly the display of the new side.
template <class B> bool RedrawKeepsPicture(B& bench) {
    const QImage before = bench.canvas.Image().copy();
    bench.Redraw();
    return bench.canvas.Image() == before;
}

// Calls from the last clearing of the picture on: what the operator sees after a redraw that
// turned the board over inside it.
inline std::vector<DrawCall> CallsOfLastPicture(const RecordingSurface& canvas) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < canvas.calls.size(); ++i) {
        const DrawCall& c = canvas.calls[i];
        if (c.What == DrawCall::Kind::Rectangle && c.BrushSolid && c.X1 == 0 && c.Y1 == 0) {
            start = i;
        }
    }
    return {canvas.calls.begin() + static_cast<std::ptrdiff_t>(start), canvas.calls.end()};
}

inline bool SameCall(const DrawCall& a, const DrawCall& b) {
    return a.What == b.What && a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2 &&
           a.Pen == b.Pen && a.PenWidth == b.PenWidth && a.BrushSolid == b.BrushSolid &&
           a.Brush == b.Brush && a.Font == b.Font && a.FontSize == b.FontSize && a.Text == b.Text;
}

// Index of the first call that differs, or the shorter length when one list continues the other;
// -1 when the lists are equal.
inline long FirstDifference(const std::vector<DrawCall>& a, const std::vector<DrawCall>& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (!SameCall(a[i], b[i])) {
            return static_cast<long>(i);
        }
    }
    return a.size() == b.size() ? -1 : static_cast<long>(n);
}

} // namespace dorvik::test
