// The component display: named parts redrawn with yellow names, green rectangles, purple pins,
// and their listed pins in the entry's colour with their nails framed.

#include "ProbeBoard.h"
#include "faults/EntryActions.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

// U321: 130 pins in two rows, pins 1, 2, 22 and 123 wired to nails 501, 502, 522 and 623 on the
// top. C567: two pins, no nails. U5: bottom pads and body, pin 3 on nail 703 on the bottom. C9
// after it, through-hole.
std::vector<PartRow> CompBoardParts() {
    PartRow u321{"U321", 5, {}};
    for (int i = 1; i <= 130; ++i) {
        const int probe = i == 1 ? 501 : i == 2 ? 502 : i == 22 ? 522 : i == 123 ? 623 : -99;
        u321.Pins.push_back({100 + ((i - 1) % 65) * 10, i <= 65 ? 100 : 300, probe, "NET"});
    }
    return {
        u321,
        {"C567", 1, {{800, 100, -99, "A"}, {850, 150, -99, "B"}}},
        {"U5",
         10,
         {{850, 400, -99, "C"}, {900, 400, -99, "D"}, {900, 450, 703, "E"}, {850, 450, -99, "F"}}},
        {"C9", 1, {{950, 50, -99, "G"}, {950, 100, -99, "H"}}}};
}

std::vector<NailRow> CompBoardNails() {
    return {{501, 100, 100, 1, "NET"},
            {502, 110, 100, 1, "NET"},
            {522, 310, 100, 1, "NET"},
            {623, 670, 300, 1, "NET"},
            {703, 900, 450, 2, "E"}};
}

struct CompBench : Bench {
    CompBench() : Bench(CompBoardParts(), CompBoardNails()) {}

    void Enter(std::array<std::string_view, 3> boxes) {
        AcceptCompEntry(State(), boxes);
        controls.status = "before";
        Redraw();
    }
    std::vector<Colour> PinCircles(std::int32_t x, std::int32_t y) const {
        return CirclesAt(canvas, PixelX(ws, x, y), PixelY(ws, x, y));
    }
    std::vector<DrawCall> Rectangles(Colour pen) const {
        std::vector<DrawCall> found;
        for (const DrawCall& c : canvas.Of(DrawCall::Kind::Rectangle)) {
            if (c.Pen == pen && c.PenWidth == 1) {
                found.push_back(c);
            }
        }
        return found;
    }
};

struct CompImageBench : ImageBench {
    CompImageBench() : ImageBench(CompBoardParts(), CompBoardNails()) {}
};

TEST(CompDisplay, NamedPartsWithTheirListedPins) {
    CompBench b;
    b.Enter({"U321,22,123", "C567", ""});
    using V = std::vector<Colour>;
    // Over the board drawing's blue marks: listed pins white, the others purple.
    EXPECT_EQ(b.PinCircles(310, 100), (V{colours::Blue, colours::White}));  // pin 22
    EXPECT_EQ(b.PinCircles(670, 300), (V{colours::Blue, colours::White}));  // pin 123
    EXPECT_EQ(b.PinCircles(100, 100), (V{colours::Blue, colours::Purple})); // pin 1
    EXPECT_EQ(b.PinCircles(800, 100), (V{colours::Blue, colours::Purple})); // C567 pin 1
    EXPECT_EQ(Texts(b.canvas, colours::White), (std::vector<std::string>{"22", "123"}));
    EXPECT_EQ(Texts(b.canvas, colours::Yellow), (std::vector<std::string>{"U321", "C567"}));
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), (std::vector<std::string>{"522", "623"}));

    // Green rectangles: inside the pin rows for U321, around the pins for C567.
    const int r = PinRadius(b.State());
    const auto greens = b.Rectangles(colours::Lime);
    ASSERT_EQ(greens.size(), 2u);
    EXPECT_EQ((std::array{greens[0].X1, greens[0].Y1, greens[0].X2, greens[0].Y2}),
              (std::array{PixelX(b.ws, 100, 0) + r + 1, PixelY(b.ws, 0, 300) + r + 1,
                          PixelX(b.ws, 740, 0) - r - 1, PixelY(b.ws, 0, 100) - r - 1}));
    EXPECT_EQ((std::array{greens[1].X1, greens[1].Y1, greens[1].X2, greens[1].Y2}),
              (std::array{PixelX(b.ws, 800, 0) - r - 1, PixelY(b.ws, 0, 150) - r - 1,
                          PixelX(b.ws, 850, 0) + r + 1, PixelY(b.ws, 0, 100) + r + 1}));

    EXPECT_EQ(b.controls.status, "Vostrel Dorvik");
    EXPECT_EQ(b.State().Probe1, 623);
    EXPECT_EQ(b.State().Probe2, 0);
}

TEST(CompDisplay, EachEntryInItsColour) {
    CompBench b;
    b.Enter({"U321,1", "C567,2", "U321,2"}); // U321 belongs to entry 1 only
    using V = std::vector<Colour>;
    EXPECT_EQ(b.PinCircles(100, 100), (V{colours::Blue, colours::White}));  // U321 pin 1
    EXPECT_EQ(b.PinCircles(110, 100), (V{colours::Blue, colours::Purple})); // U321 pin 2
    EXPECT_EQ(b.PinCircles(850, 150), (V{colours::Blue, colours::Yellow})); // C567 pin 2
    EXPECT_EQ(Texts(b.canvas, colours::Yellow), (std::vector<std::string>{"U321", "2", "C567"}));
    EXPECT_EQ((std::array{b.State().Probe1, b.State().Probe2, b.State().Probe3}),
              (std::array{501, -99, 0}));
}

TEST(CompDisplay, UnknownFirstEntryIsReportedOnceAndEmptied) {
    CompBench b;
    b.Enter({"U999", "C567", ""});
    EXPECT_EQ(b.controls.status, "Not found: U999,");
    EXPECT_EQ(Text(b.State().CompText1), EmptyList);
    EXPECT_EQ(Texts(b.canvas, colours::Yellow), std::vector<std::string>{"C567"});

    b.State().Zoom = 2.0f;
    b.Redraw();
    EXPECT_TRUE(b.controls.statusHistory.empty());
    EXPECT_EQ(b.controls.status, "Not found: U999,");
    EXPECT_EQ(Texts(b.canvas, colours::Yellow), std::vector<std::string>{"C567"});
}

TEST(CompDisplay, ReportListsEveryEntryThatNamedNothing) {
    CompBench b;
    b.Enter({"U999", "x1,x2", "C567"});
    EXPECT_EQ(b.controls.status, "Not found: U999,X1,X2,");
    EXPECT_EQ(Text(b.State().CompText2), EmptyList);
    EXPECT_EQ(Text(b.State().CompText3), ",C567,");
}

TEST(CompDisplay, UnknownSecondEntryIsNotReported) {
    CompBench b;
    b.Enter({"U321", "Q999", ""});
    EXPECT_EQ(b.controls.status, "Vostrel Dorvik");
    EXPECT_EQ(Text(b.State().CompText2), ",Q999,");
}

TEST(CompDisplay, BlankInAnEntryKeepsThePinFromBeingListed) {
    CompBench b;
    b.Enter({"U321, 22", "", ""});
    EXPECT_EQ(b.PinCircles(310, 100), (std::vector<Colour>{colours::Blue, colours::Purple}));
    EXPECT_TRUE(Texts(b.canvas, colours::White).empty());
}

TEST(CompDisplay, BelowZoomOneNamedPartsStillHaveCircles) {
    CompBench b;
    b.Enter({"C567", "", ""});
    b.State().Zoom = 0.5f;
    b.Redraw();
    const int r = PinRadius(b.State());
    const auto circles = b.canvas.Of(DrawCall::Kind::Ellipse);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].Pen, colours::Purple);
    EXPECT_EQ(circles[0].X2 - circles[0].X1, 2 * r);
}

TEST(CompDisplay, NoEntriesAfterANewBoardDrawTheBoardOnly) {
    CompBench b;
    b.State().DisplayMode = CompDisplay;
    ResetView(b.ws); // empties the entry texts; mode 4 keeps them empty
    b.controls.status = "before";
    b.Redraw();
    EXPECT_TRUE(Texts(b.canvas, colours::Yellow).empty());
    EXPECT_EQ(b.controls.status, "before");
}

TEST(CompDisplay, FarSidePartTurnsTheBoardOver) {
    CompBench b;
    b.Enter({"U5", "", ""});
    EXPECT_EQ(b.State().ViewSide, -1);
    EXPECT_EQ(b.controls.statusHistory,
              (std::vector<std::string>{"Vostrel Dorvik", "Auto Chane Side", "Vostrel Dorvik"}));
    const auto picture = CallsOfLastPicture(b.canvas);
    EXPECT_TRUE(std::any_of(picture.begin(), picture.end(), [](const DrawCall& c) {
        return c.What == DrawCall::Kind::Rectangle && c.Pen == colours::Lime;
    }));

    CompBench second;
    second.Enter({"", "U5", ""});
    EXPECT_EQ(second.State().ViewSide, -1);
    EXPECT_EQ(second.controls.status, "Auto Chane Side");
}

TEST(CompDisplay, ListedPinsNailTurnsTheBoardAndTheRestDrawsNothing) {
    CompBench b;
    b.Enter({"U5,3,C9", "", ""});
    EXPECT_EQ(b.State().ViewSide, -1);
    EXPECT_EQ(b.controls.statusHistory,
              (std::vector<std::string>{"AUTO Change Side.", "Vostrel Dorvik", "Vostrel Dorvik"}));
    EXPECT_EQ(FramedNumbers(b.canvas, colours::White), std::vector<std::string>{"703"});

    EXPECT_EQ(Texts(b.canvas, colours::Yellow), (std::vector<std::string>{"U5", "C9"}));

    // What is seen is exactly the display of the bottom: C9, after U5 in the table, was not drawn
    // again over it by the display that turned, with its old far side.
    CompImageBench image;
    AcceptCompEntry(image.State(), {"U5,3,C9", "", ""});
    image.Redraw();
    ASSERT_EQ(image.State().ViewSide, -1);
    EXPECT_TRUE(RedrawKeepsPicture(image));
}

TEST(CompDisplay, NamedPartsShowInTheirColours) {
    CompImageBench b;
    AcceptCompEntry(b.State(), {"C567,2", "", ""});
    b.Redraw();
    const int r = PinRadius(b.State());
    // C567: pin 1 purple, pin 2 listed white; its green rectangle around the pins.
    EXPECT_EQ(PixelAt(b.canvas, PixelX(b.ws, 800, 100), PixelY(b.ws, 800, 100) - r),
              colours::Purple);
    EXPECT_EQ(PixelAt(b.canvas, PixelX(b.ws, 850, 150), PixelY(b.ws, 850, 150) - r),
              colours::White);
    EXPECT_EQ(PixelAt(b.canvas, PixelX(b.ws, 800, 100) - r - 1, PixelY(b.ws, 800, 125)),
              colours::Lime);
}

} // namespace
} // namespace dorvik::test
