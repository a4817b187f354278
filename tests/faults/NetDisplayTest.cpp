// The net display: the typed net found through its first nail, its pins white, its nails framed.

#include "ProbeBoard.h"
#include "faults/EntryActions.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

struct NetCase {
    const char* Typed;
    const char* Status;
    std::vector<std::string> Framed; // white, in drawing order
};

TEST(NetDisplay, FindsTheNetByItsName) {
    const NetCase cases[] = {
        {"gnd", "Vostrel Dorvik", {"7", "19", "31"}},
        {"ND", "Vostrel Dorvik", {"50"}},
        {"GND,VCC", "Vostrel Dorvik", {"7", "19", "31"}}, // the first nail on any of them
        {"VCC,GND", "Vostrel Dorvik", {"7", "19", "31"}},
        {"lone", "Vostrel Dorvik", {"60"}}, // no pin carries it
        {"vcc5", "Not found: VCC5", {}},
        {"GND ", "Not found: GND ", {}}, // the blank stays part of the entry
        {"N", "Not found: N", {}},       // part of a name is not the name
        {"TP,", "Vostrel Dorvik", {"89"}},
    };
    for (const NetCase& c : cases) {
        ProbeBench b;
        AcceptNetEntry(b.State(), c.Typed);
        b.State().NewEntry = 'N';
        b.Redraw();
        EXPECT_EQ(b.controls.status, c.Status) << c.Typed;
        EXPECT_EQ(FramedNumbers(b.canvas, colours::White), c.Framed) << c.Typed;
    }
}

TEST(NetDisplay, EntryGndDoesNotShowTheNetNd) {
    // Nail 50 on net ND comes first in the nail table: only a match between commas finds GND.
    ProbeBench b;
    AcceptNetEntry(b.State(), "GND");
    b.Redraw();
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), (std::vector<std::string>{"7", "19", "31"}));
    EXPECT_EQ(CirclesAt(b.canvas, PixelX(b.ws, 800, 50), PixelY(b.ws, 800, 50)),
              std::vector<Colour>{colours::Blue});
}

TEST(NetDisplay, HighlightsThePinsOfTheNetWhite) {
    ProbeBench b;
    AcceptNetEntry(b.State(), "gnd");
    b.Redraw();
    EXPECT_EQ(CirclesAt(b.canvas, PixelX(b.ws, 100, 100), PixelY(b.ws, 100, 100)),
              std::vector<Colour>{colours::White});
    EXPECT_EQ(CirclesAt(b.canvas, PixelX(b.ws, 200, 100), PixelY(b.ws, 200, 100)),
              std::vector<Colour>{colours::Blue});
    EXPECT_EQ(Texts(b.canvas, colours::Teal), (std::vector<std::string>{"U1", "R7", "P0"}));
    EXPECT_EQ(b.State().Probe1, 31);
    // Zoomed, the same pins and nails again, and the status made again.
    b.State().Zoom = 2.0f;
    b.controls.status = "before";
    b.Redraw();
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), (std::vector<std::string>{"7", "19", "31"}));
    EXPECT_EQ(b.controls.status, "Vostrel Dorvik");
}

TEST(NetDisplay, NotFoundHighlightsNothing) {
    ProbeBench b;
    AcceptNetEntry(b.State(), "vcc5");
    b.Redraw();
    for (const DrawCall& c : b.canvas.Of(DrawCall::Kind::Ellipse)) {
        EXPECT_EQ(c.Pen, colours::Blue);
    }
    EXPECT_TRUE(Texts(b.canvas, colours::Teal).empty());
    EXPECT_TRUE(Frames(b.canvas).empty());
}

TEST(NetDisplay, NoEntryReportsNothingAfterTheWords) {
    for (const char* stored : {",,", ""}) {
        ProbeBench b;
        b.State().DisplayMode = NetDisplay;
        SetText(b.State().NetText, stored);
        b.State().Zoom = 1.0f;
        b.Redraw();
        EXPECT_EQ(b.controls.status, "Not found: ") << "'" << stored << "'";
    }
}

TEST(NetDisplay, LowerCaseNetsAreNeverFound) {
    Bench b({{"R1", 1, {{100, 100, 3, "gnd"}}}}, {{3, 100, 100, 1, "gnd"}});
    AcceptNetEntry(b.State(), "gnd");
    b.Redraw();
    EXPECT_EQ(b.controls.status, "Not found: GND");
}

TEST(NetDisplay, TurnsOverWhenTheNetsFirstNailIsOnTheBottom) {
    ProbeBench b;
    AcceptNetEntry(b.State(), "bot");
    b.Redraw();
    EXPECT_EQ(b.State().ViewSide, -1);
    EXPECT_EQ(b.controls.statusHistory,
              (std::vector<std::string>{"Vostrel Dorvik", "AUTO Change Side.", "Vostrel Dorvik"}));
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), (std::vector<std::string>{"41", "42"}));
    b.Redraw();
    EXPECT_EQ(b.State().ViewSide, -1);
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), (std::vector<std::string>{"41", "42"}));
}

TEST(NetDisplay, TurnedDisplayDrawsNothingOverTheNewSide) {
    // Net MIX: nail 22 on the bottom first, nail 21 on the top after it. After the turn the
    // display that turned would frame nail 21 over the bottom view with the old far side.
    ProbeBench b;
    AcceptNetEntry(b.State(), "mix");
    b.Redraw();
    EXPECT_EQ(b.State().ViewSide, -1);
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), std::vector<std::string>{"22"});
    EXPECT_EQ(b.State().Probe1, 21);

    ProbeImageBench image;
    AcceptNetEntry(image.State(), "mix");
    image.Redraw();
    ASSERT_EQ(image.State().ViewSide, -1);
    EXPECT_TRUE(RedrawKeepsPicture(image));
}

TEST(NetDisplay, PinsAndNailsOfTheNetShowWhite) {
    ProbeImageBench b;
    AcceptNetEntry(b.State(), "gnd");
    b.Redraw();
    const int r = PinRadius(b.State());
    // U1 pin 4 (100, 200) is on GND: a white ring; U1 pin 2 (200, 100) on VCC: blue.
    EXPECT_EQ(PixelAt(b.canvas, PixelX(b.ws, 100, 200), PixelY(b.ws, 100, 200) - r),
              colours::White);
    EXPECT_EQ(PixelAt(b.canvas, PixelX(b.ws, 200, 100), PixelY(b.ws, 200, 100) - r), colours::Blue);
    // Nail 19 at (300, 300) framed white.
    EXPECT_EQ(PixelAt(b.canvas, PixelX(b.ws, 300, 300) - r, PixelY(b.ws, 300, 300)),
              colours::White);
}

} // namespace
} // namespace dorvik::test
