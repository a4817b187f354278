// The displays mark probes through an index of the nails by number. Written literally, every
// marking scans the whole nail table; this compares the two, call for call, on generated boards.

#include "ProbeBoard.h"
#include "faults/DisplayRun.h"
#include "faults/EntryActions.h"
#include "faults/EntryMatch.h"
#include "faults/HighlightPinPass.h"
#include "faults/ProbeResolve.h"
#include "navigate/Navigation.h"
#include "view/Primitives.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <set>

namespace dorvik::test {
namespace {

// ---- The displays as written, with a marking that scans the nail table at every call --------

struct LiteralRun {
    Workspace& Ws;
    std::int32_t FarSide = FarSideOf(Ws.State.ViewSide);
    bool Turned = false;
};

void LiteralMarkProbes(LiteralRun& run) {
    Workspace& ws = run.Ws;
    WindowState& s = ws.State;
    const std::int32_t r = PinRadius(s);
    if (s.Probe1 == 0 && s.Probe2 == 0 && s.Probe3 == 0) {
        return;
    }
    std::array<std::int32_t, 3> sides{};
    for (std::int32_t i = 0; i < ws.Board.NailCount; ++i) {
        const NailEntry& nail = ws.Board.NailTable[static_cast<std::size_t>(i)];
        const int k = nail.Number == s.Probe1   ? 0
                      : nail.Number == s.Probe2 ? 1
                      : nail.Number == s.Probe3 ? 2
                                                : -1;
        if (k < 0) {
            continue;
        }
        sides[static_cast<std::size_t>(k)] = nail.Side;
        if (nail.Side == run.FarSide || run.Turned) {
            continue;
        }
        const std::int32_t x = ToPixelXForSide(s, RotatedX(nail, ws.Rotation));
        const std::int32_t y = ToPixelY(s, RotatedY(nail, ws.Rotation));
        ws.Canvas.SetFontColour(colours::Red);
        ws.Canvas.TextOut(x - 6, y + r, std::to_string(nail.Number));
        ws.Canvas.SetPenWidth(2);
        ws.Canvas.SetPenColour(ProbeColours[static_cast<std::size_t>(k)]);
        ws.Canvas.Rectangle(x - r, y - r, x + r + 1, y + r + 1);
        ws.Canvas.SetPenWidth(1);
    }
    if (s.NewEntry == 'T') {
        s.NewEntry = 'N';
        if (AllFoundOnFarSide(sides, run.FarSide)) {
            ws.Controls.SetStatusText("AUTO Change Side.");
            run.Turned = true;
            ChangeSide(ws);
        }
    }
}

void LiteralMarkNets(LiteralRun& run, const std::array<ProbeResolution, 3>& resolved) {
    Workspace& ws = run.Ws;
    for (std::int32_t i = 0; i < ws.Board.NailCount; ++i) {
        const NailEntry& nail = ws.Board.NailTable[static_cast<std::size_t>(i)];
        for (std::size_t k = 0; k < 3; ++k) {
            if (resolved[k].Found && resolved[k].Net == NameView(nail.Net)) {
                ProbeSlot(ws.State, k) = nail.Number;
                LiteralMarkProbes(run);
            }
        }
    }
}

void LiteralOpen(Workspace& ws) {
    LiteralRun run{ws};
    const auto resolved = ResolveProbes(ws);
    DrawBoard(ws);
    ReportNotFound(ws, resolved);
    LiteralMarkNets(run, resolved);
}

void LiteralShort(Workspace& ws) {
    LiteralRun run{ws};
    DrawOutline(ws, ws.State.ViewSide);
    const auto resolved = ResolveProbes(ws);
    ws.Canvas.SetFontSize(LabelFontSize(ws.State));
    const HighlightPair pairs[] = {{resolved[0].Value, colours::White},
                                   {resolved[1].Value, colours::Yellow},
                                   {resolved[2].Value, colours::Red}};
    HighlightPinPass(ws, pairs);
    ReportNotFound(ws, resolved);
    LiteralMarkNets(run, resolved);
}

void LiteralNet(Workspace& ws) {
    LiteralRun run{ws};
    DrawOutline(ws, ws.State.ViewSide);
    ws.Canvas.SetFontSize(LabelFontSize(ws.State));
    const std::string entry(Text(ws.State.NetText));
    ProbeResolution resolved = ProbeResolution::NotFound();
    bool found = false;
    for (std::int32_t i = 0; i < ws.Board.NailCount && !found; ++i) {
        const NailEntry& nail = ws.Board.NailTable[static_cast<std::size_t>(i)];
        const std::string key = "," + std::string(NameView(nail.Net)) + ",";
        if (key != ",," && entry.find(key) != std::string::npos) {
            resolved = ResolveProbe(ws.Board, nail.Number);
            found = true;
        }
    }
    const HighlightPair pair[] = {{resolved.Value, colours::White}};
    HighlightPinPass(ws, pair);
    ws.Controls.SetStatusText(found ? std::string("Vostrel Dorvik")
                                    : "Not found: " + std::string(TypedPart(entry)));
    for (std::int32_t i = 0; i < ws.Board.NailCount && found; ++i) {
        const NailEntry& nail = ws.Board.NailTable[static_cast<std::size_t>(i)];
        if (resolved.Net == NameView(nail.Net)) {
            ws.State.Probe1 = nail.Number;
            LiteralMarkProbes(run);
        }
    }
}

void LiteralComp(Workspace& ws) {
    LiteralRun run{ws};
    WindowState& s = ws.State;
    const std::int32_t r = PinRadius(s);
    DrawBoard(ws);
    EntryText<CompTextSize>* const texts[] = {&s.CompText1, &s.CompText2, &s.CompText3};
    if (Text(s.CompText1).empty() && Text(s.CompText2).empty() && Text(s.CompText3).empty()) {
        return;
    }
    std::array<bool, 3> found{};
    std::array<std::int32_t, 3> sides{};
    for (std::int32_t j = 0; j < ws.Board.PartCount; ++j) {
        const PartEntry& part = ws.Board.PartTable[static_cast<std::size_t>(j)];
        const std::string key = "," + std::string(NameView(part.Name)) + ",";
        std::size_t w = 3;
        for (std::size_t k = 0; k < 3 && w == 3; ++k) {
            if (std::string(Text(*texts[k])).find(key) != std::string::npos) {
                w = k;
            }
        }
        if (w == 3 || key == ",,") {
            continue;
        }
        found[w] = true;
        sides[w] = part.Kind & 3;
        PartBox box;
        const std::int32_t first = FirstPinOf(ws.Board, j);
        for (std::int32_t p = first; p < part.PinEnd; ++p) {
            const PinEntry& pin = ws.Board.PinTable[static_cast<std::size_t>(p)];
            const std::string pinKey = "," + std::to_string(p - first + 1) + ",";
            const bool listed = std::string(Text(*texts[w])).find(pinKey) != std::string::npos;
            if (listed) {
                ProbeSlot(s, w) = pin.Probe;
                LiteralMarkProbes(run);
            }
            ws.Canvas.SetPenColour(listed ? ProbeColours[w] : colours::Purple);
            if (listed) {
                ws.Canvas.SetFontColour(ProbeColours[w]);
            }
            if (!PinVisible(part.Kind, s.ViewSide)) {
                continue;
            }
            const std::int32_t x = ToPixelXForSide(s, RotatedX(pin, ws.Rotation));
            const std::int32_t y = ToPixelY(s, RotatedY(pin, ws.Rotation));
            if (!run.Turned) {
                ws.Canvas.Ellipse(x - r, y - r, x + r, y + r);
                if (listed) {
                    DrawPinLabel(ws, x, y, p - first + 1);
                }
            }
            box.Add(x, y);
        }
        if (run.Turned) {
            continue;
        }
        const LabelPosition at = PartLabelPosition(s, NameView(part.Name), box, r);
        ws.Canvas.SetFontColour(colours::Yellow);
        ws.Canvas.TextOut(at.X, at.Y, NameView(part.Name));
        if ((part.Kind & 3) != run.FarSide) {
            ws.Canvas.SetPenColour(colours::Lime);
            DrawPartRectangle(ws, NameView(part.Name), box, r);
        }
    }
    if (found[0]) {
        ws.Controls.SetStatusText("Vostrel Dorvik");
    } else {
        std::string m = "Not found: ";
        for (std::size_t k = 0; k < 3; ++k) {
            if (!found[k] && !NamesNothing(Text(*texts[k]))) {
                m += Text(*texts[k]).substr(1);
                ws.Controls.SetStatusText(m);
                SetText(*texts[k], EmptyList);
            }
        }
    }
    if (s.NewEntry == 'T') {
        s.NewEntry = 'N';
        if (AllFoundOnFarSide(sides, run.FarSide)) {
            ws.Controls.SetStatusText("Auto Chane Side");
            run.Turned = true;
            ChangeSide(ws);
        }
    }
}

// ---- Generated boards ------------------------------------------------------------------------

struct GeneratedBoard {
    std::vector<PartRow> Parts;
    std::vector<NailRow> Nails;
    std::vector<std::string> Names; // keeps the name texts alive
};

// Nails on nets N0..N7 on both sides, and net FAR on the bottom only; parts whose pins sit on
// nails (same number, same net) or on no nail. With `sharedNumbers` nail numbers repeat.
GeneratedBoard Generate(unsigned seed, int nailCount, bool sharedNumbers) {
    std::mt19937 random(seed);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    GeneratedBoard g;
    g.Names.reserve(static_cast<std::size_t>(nailCount) * 2 + 16);
    auto keep = [&](std::string text) { return g.Names.emplace_back(std::move(text)).c_str(); };
    const char* nets[] = {"N0", "N1", "N2", "N3", "N4", "N5", "N6", "N7", "FAR"};

    std::vector<int> numbers(static_cast<std::size_t>(nailCount));
    for (int i = 0; i < nailCount; ++i) {
        numbers[static_cast<std::size_t>(i)] = sharedNumbers ? 1 + below(nailCount / 3) : 100 + i;
    }
    std::shuffle(numbers.begin(), numbers.end(), random);
    for (int i = 0; i < nailCount; ++i) {
        const int net = below(9);
        const auto side = static_cast<std::int8_t>(net == 8 ? 2 : 1 + below(2));
        g.Nails.push_back(
            {numbers[static_cast<std::size_t>(i)], below(1001), below(501), side, nets[net]});
    }
    const char* prefixes[] = {"U", "R", "IC", "C"};
    const std::int8_t kinds[] = {0, 1, 2, 3, 5, 6, 9, 10};
    for (int j = 0; j < nailCount / 4; ++j) {
        PartRow part{keep(prefixes[below(4)] + std::to_string(j + 1)), kinds[below(8)], {}};
        const int pins = 1 + below(6);
        for (int p = 0; p < pins; ++p) {
            if (below(5) == 0) {
                part.Pins.push_back({below(1001), below(501), -99, nets[below(8)]});
            } else {
                const NailRow& nail = g.Nails[static_cast<std::size_t>(below(nailCount))];
                part.Pins.push_back({nail.X, nail.Y, nail.Number, nail.Net});
            }
        }
        g.Parts.push_back(std::move(part));
    }
    return g;
}

struct Outcome {
    std::vector<std::vector<DrawCall>> Pictures;
    std::vector<std::vector<std::string>> Statuses;
    std::vector<std::string> States;
};

std::string StateLine(const WindowState& s) {
    return std::to_string(s.Probe1) + " " + std::to_string(s.Probe2) + " " +
           std::to_string(s.Probe3) + " " + s.NewEntry + " " + std::to_string(s.ViewSide) + " " +
           std::string(Text(s.CompText1)) + std::string(Text(s.CompText2)) +
           std::string(Text(s.CompText3)) + std::string(Text(s.NetText));
}

// An entry, then the redraws of a zoom, of a side change and of a turn of the board.
template <class EnterFn> Outcome Run(const GeneratedBoard& g, bool literal, EnterFn enter) {
    Bench b(g.Parts, g.Nails);
    if (literal) {
        b.ws.FaultDisplays = {LiteralOpen, LiteralShort, LiteralNet, LiteralComp};
    }
    Outcome out;
    auto record = [&] {
        out.Pictures.push_back(b.canvas.calls);
        out.Statuses.push_back(b.controls.statusHistory);
        out.States.push_back(StateLine(b.State()));
    };
    enter(b.State());
    b.Redraw();
    record();
    b.State().Zoom = 2.0f;
    b.Redraw();
    record();
    b.canvas.calls.clear();
    b.controls.statusHistory.clear();
    ChangeSide(b.ws);
    record();
    b.ws.Rotation = 1;
    b.Redraw();
    record();
    return out;
}

template <class EnterFn> void ExpectSameAsLiteral(const GeneratedBoard& g, EnterFn enter) {
    const Outcome fast = Run(g, false, enter);
    const Outcome literal = Run(g, true, enter);
    for (std::size_t i = 0; i < fast.Pictures.size(); ++i) {
        EXPECT_EQ(FirstDifference(fast.Pictures[i], literal.Pictures[i]), -1) << "redraw " << i;
        EXPECT_EQ(fast.Statuses[i], literal.Statuses[i]) << "redraw " << i;
        EXPECT_EQ(fast.States[i], literal.States[i]) << "redraw " << i;
    }
}

struct BoardCase {
    unsigned Seed;
    int Nails;
    bool SharedNumbers;

    friend void PrintTo(const BoardCase& c, std::ostream* out) {
        *out << "seed " << c.Seed << ", " << c.Nails << " nails"
             << (c.SharedNumbers ? ", numbers shared" : "");
    }
};

class FastMarking : public ::testing::TestWithParam<BoardCase> {};

TEST_P(FastMarking, ProbeDisplaysDrawWhatTheLiteralOnesDraw) {
    const GeneratedBoard g = Generate(GetParam().Seed, GetParam().Nails, GetParam().SharedNumbers);
    auto number = [&](std::size_t i) { return std::to_string(g.Nails[i % g.Nails.size()].Number); };
    std::string far;
    for (const NailRow& nail : g.Nails) {
        if (std::string_view(nail.Net) == "FAR") {
            far = std::to_string(nail.Number);
            break;
        }
    }
    const std::vector<std::array<std::string, 3>> entries{
        {number(0), number(1), number(2)},
        {number(5), "", number(5)},
        {far, "", ""},
        {far, "99999", std::to_string(g.Parts[0].Pins[0].Probe)},
        {"", number(7), "-99"},
    };
    for (const std::int32_t mode : {OpenDisplay, ShortDisplay}) {
        for (const auto& boxes : entries) {
            SCOPED_TRACE(std::to_string(mode) + ": " + boxes[0] + "," + boxes[1] + "," + boxes[2]);
            ExpectSameAsLiteral(g, [&](WindowState& s) {
                ASSERT_EQ(AcceptProbeEntry(s, {boxes[0], boxes[1], boxes[2]}, mode), std::nullopt);
            });
        }
    }
}

TEST_P(FastMarking, NetDisplayDrawsWhatTheLiteralOneDraws) {
    const GeneratedBoard g = Generate(GetParam().Seed, GetParam().Nails, GetParam().SharedNumbers);
    for (const char* typed : {"n3", "N1,N5", "FAR", "N7,FAR", "ZZZ"}) {
        SCOPED_TRACE(typed);
        ExpectSameAsLiteral(g, [&](WindowState& s) { AcceptNetEntry(s, typed); });
    }
}

TEST_P(FastMarking, CompDisplayDrawsWhatTheLiteralOneDraws) {
    const GeneratedBoard g = Generate(GetParam().Seed, GetParam().Nails, GetParam().SharedNumbers);
    const std::string a = g.Parts[0].Name;
    const std::string b = g.Parts[1].Name;
    const std::string c = g.Parts[2].Name;
    const std::vector<std::array<std::string, 3>> entries{
        {a + ",1,2,3", b + ",2", c + ",1,4"},
        {"", a + "," + b + ",1", "Q999"},
        {"Q999", c, a + ",1"},
    };
    for (const auto& boxes : entries) {
        SCOPED_TRACE(boxes[0] + " | " + boxes[1] + " | " + boxes[2]);
        ExpectSameAsLiteral(g, [&](WindowState& s) {
            AcceptCompEntry(s, {boxes[0], boxes[1], boxes[2]});
        });
    }
}

INSTANTIATE_TEST_SUITE_P(GeneratedBoards, FastMarking,
                         ::testing::Values(BoardCase{1, 60, false}, BoardCase{2, 400, false},
                                           BoardCase{3, 400, true}, BoardCase{4, 1500, false}));

TEST(FastMarking, ThousandsOfNailsSharingANumberAreFramedOnceEachInTheEnd) {
    // Written literally, marking each of these nails frames all of them again: n * n frames.
    constexpr int count = 400;
    std::vector<NailRow> nails;
    for (int i = 0; i < count; ++i) {
        nails.push_back({5, 2 * i, 250, 1, "GND"});
    }
    Bench b({}, nails);
    b.canvas.calls.clear();
    b.ws.MarkingSlack = 1000;
    DisplayRun run(b.ws, 2);
    for (int i = 0; i < count; ++i) {
        b.State().Probe1 = 5;
        run.MarkProbes();
    }
    const std::vector<Frame> frames = Frames(b.canvas);
    EXPECT_LE(frames.size(), static_cast<std::size_t>(3 * count + 1000 + count));
    std::set<int> framed;
    for (const Frame& f : frames) {
        framed.insert(f.CentreX);
    }
    std::set<int> all;
    for (int i = 0; i < count; ++i) {
        all.insert(PixelX(b.ws, 2 * i, 250));
    }
    EXPECT_EQ(framed, all);
}

} // namespace
} // namespace dorvik::test
