// The open-link display: the board with every nail of each probe's net framed, and the report of
// the numbers the board does not know.

#include "ProbeBoard.h"
#include "faults/EntryActions.h"
#include "faults/ProbeResolve.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

struct OpenDisplayTest : ::testing::Test {
    void Enter(std::array<std::string_view, 3> boxes) {
        ASSERT_EQ(AcceptProbeEntry(b.State(), boxes, OpenDisplay), std::nullopt);
        b.controls.status = "before";
        b.Redraw();
    }

    ProbeBench b;
};

TEST(ResolveProbe, FindsThroughPinsThenNails) {
    ProbeBench b;
    const BoardData& board = *b.board;
    struct Case {
        std::int32_t Typed;
        bool Found;
        std::optional<std::int32_t> Value;
        std::optional<std::string_view> Net;
    };
    const Case cases[] = {
        {0, true, 0, std::nullopt},       // not given
        {7, true, 7, "GND"},              // a pin's probe
        {19, true, 7, "GND"},             // a nail: the value of the first pin on its net
        {88, true, 88, "TP"},             // a pin's probe no nail carries
        {60, true, std::nullopt, "LONE"}, // a nail on a net no pin carries
        {4321, false, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const ProbeResolution r = ResolveProbe(board, c.Typed);
        EXPECT_EQ(r.Found, c.Found) << c.Typed;
        EXPECT_EQ(r.Value, c.Value) << c.Typed;
        EXPECT_EQ(r.Net, c.Net) << c.Typed;
    }
}

TEST_F(OpenDisplayTest, FramesEveryNailOfTheNetAndEndsAtTheLast) {
    Enter({"19", "", ""});
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), (std::vector<std::string>{"7", "19", "31"}));
    EXPECT_EQ(b.State().Probe1, 31);
    EXPECT_EQ(b.controls.status, "before"); // everything found: left as it was
    // The frames lie over the board drawing.
    const auto pins = b.canvas.Of(DrawCall::Kind::Ellipse);
    ASSERT_FALSE(pins.empty());
    EXPECT_EQ(pins.front().Pen, colours::Blue);

    // A later redraw resolves the nail left in Probe1 and shows the same net.
    b.Redraw();
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), (std::vector<std::string>{"7", "19", "31"}));
}

TEST_F(OpenDisplayTest, ThreeNetsInTheirColours) {
    // 88 is a pin's probe without a nail: its net TP is framed through nail 89. Each call frames
    // all three numbers as they stand, so 13 and 60 are framed again at every call.
    Enter({"13", "88", "60"});
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White),
              (std::vector<std::string>{"13", "13", "13"}));
    EXPECT_EQ(FramedNumbers(b.canvas, colours::Yellow), std::vector<std::string>{"89"});
    EXPECT_EQ(FramedNumbers(b.canvas, colours::Red), (std::vector<std::string>{"60", "60", "60"}));
    EXPECT_EQ((std::array{b.State().Probe1, b.State().Probe2, b.State().Probe3}),
              (std::array{13, 89, 60}));
    EXPECT_EQ(b.controls.status, "before");
}

TEST_F(OpenDisplayTest, TwoProbesOnOneNetFrameItsNailsInBothColours) {
    Enter({"7", "31", ""});
    // Every call frames what Probe1 and Probe2 hold at that moment, in table order.
    const std::vector<std::string> white{"7", "7", "19", "19", "31", "31"};
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), white);
    EXPECT_EQ(FramedNumbers(b.canvas, colours::Yellow),
              (std::vector<std::string>{"31", "7", "19"}));
}

TEST_F(OpenDisplayTest, ReportsUnknownNumbersAtZoomOne) {
    struct Case {
        std::array<std::string_view, 3> Boxes;
        const char* Status;
    };
    const Case cases[] = {
        {{"", "4321", ""}, "Not found:  4321  "},
        {{"", "", "55"}, "Not found:  55"},
        {{"11", "", "33"}, "Not found:  11  33"},
        {{"11", "22222", "33"}, "Not found:  11  22222  33"},
        {{"19", "4321", ""}, "Not found:  4321  "},
        {{"-5", "", ""}, "Not found:  -5  "},
    };
    for (const Case& c : cases) {
        ProbeBench bench;
        ASSERT_EQ(AcceptProbeEntry(bench.State(), c.Boxes, OpenDisplay), std::nullopt);
        bench.Redraw();
        EXPECT_EQ(bench.controls.status, c.Status);
        // An unknown number keeps its typed value and marks nothing in its colour.
        if (c.Boxes[1] == "4321") {
            EXPECT_EQ(bench.State().Probe2, 4321);
            EXPECT_TRUE(FramedNumbers(bench.canvas, colours::Yellow).empty());
        }
    }
}

TEST_F(OpenDisplayTest, AnyOtherZoomReportsTheProgramName) {
    Enter({"", "4321", ""});
    b.State().Zoom = 2.0f;
    b.Redraw();
    EXPECT_EQ(b.controls.status, "Vostrel Dorvik");
    b.State().Zoom = 1.0f;
    b.Redraw();
    EXPECT_EQ(b.controls.status, "Not found:  4321  ");
}

TEST_F(OpenDisplayTest, NoProbesDrawOnlyTheBoard) {
    Enter({"13", "", ""});
    ASSERT_EQ(AcceptProbeEntry(b.State(), {"", "", ""}, OpenDisplay), std::nullopt);
    b.controls.status = "before";
    b.Redraw();
    EXPECT_TRUE(Frames(b.canvas).empty());
    EXPECT_EQ(b.controls.status, "before");
}

TEST_F(OpenDisplayTest, TurnsOverWhenTheNetsFirstNailIsOnTheBottom) {
    // Net MIX: nail 22 on the bottom comes before nail 21 on the top.
    Enter({"22", "", ""});
    EXPECT_EQ(b.State().ViewSide, -1);
    EXPECT_EQ(b.State().NewEntry, 'N');
    EXPECT_EQ(b.controls.status, "AUTO Change Side.");
    EXPECT_EQ(b.controls.sideCaption, "BOT");
    EXPECT_EQ(b.State().Probe1, 21);

    // The turn drew the complete display of the bottom; the display that turned draws nothing
    // more: nail 21, on the top, is not framed over the bottom view.
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), std::vector<std::string>{"22"});
    b.Redraw(); // a zoom or pan: the same display again, and no turn back
    EXPECT_EQ(b.State().ViewSide, -1);
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), std::vector<std::string>{"22"});

    // In pixels: nail 21's place shows J2's blue pin ring, no white frame; nail 22 is framed.
    ProbeImageBench image;
    ASSERT_EQ(AcceptProbeEntry(image.State(), {"22", "", ""}, OpenDisplay), std::nullopt);
    image.Redraw();
    ASSERT_EQ(image.State().ViewSide, -1);
    const int r = PinRadius(image.State());
    EXPECT_EQ(PixelAt(image.canvas, PixelX(image.ws, 500, 250) + r - 1, PixelY(image.ws, 500, 250)),
              colours::Blue);
    EXPECT_EQ(PixelAt(image.canvas, PixelX(image.ws, 520, 250) - r, PixelY(image.ws, 520, 250)),
              colours::White);
    EXPECT_TRUE(RedrawKeepsPicture(image));
}

TEST(OpenDisplay, FramesShowInTheirColoursOverTheBoard) {
    ProbeImageBench b;
    ASSERT_EQ(AcceptProbeEntry(b.State(), {"19", "13", "60"}, OpenDisplay), std::nullopt);
    b.Redraw();
    const int r = PinRadius(b.State());
    struct Mark {
        std::int32_t X, Y;
        Colour Ink;
    };
    const Mark marks[] = {{300, 300, colours::White},
                          {700, 400, colours::White},
                          {200, 100, colours::Yellow},
                          {900, 450, colours::Red}};
    for (const Mark& m : marks) {
        const int x = PixelX(b.ws, m.X, m.Y);
        const int y = PixelY(b.ws, m.X, m.Y);
        EXPECT_EQ(PixelAt(b.canvas, x - r, y), m.Ink) << m.X;
        EXPECT_EQ(PixelAt(b.canvas, x - r + 1, y), m.Ink) << m.X; // pen width 2
        EXPECT_EQ(PixelAt(b.canvas, x + r, y), m.Ink) << m.X;
    }
}

TEST(OpenDisplay, ANetNumbered9999IsFoundLikeAnyOther) {
    Bench b({{"R1", 1, {{100, 100, 9999, "BIG"}}}},
            {{9999, 100, 100, 1, "BIG"}, {10000, 300, 100, 1, "BIG"}});
    ASSERT_EQ(AcceptProbeEntry(b.State(), {"9999", "", ""}, OpenDisplay), std::nullopt);
    b.controls.status = "before";
    b.Redraw();
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), (std::vector<std::string>{"9999", "10000"}));
    EXPECT_EQ(b.controls.status, "before");
}

} // namespace
} // namespace dorvik::test
