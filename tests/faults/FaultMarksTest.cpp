// What each fault display marks, as the view sees it, and Zoom to Marks bringing those marks
// into view.

#include "ProbeBoard.h"
#include "faults/EntryActions.h"
#include "navigate/ViewFit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

namespace dorvik::test {
namespace {

using Points = std::set<std::pair<std::int32_t, std::int32_t>>;

Points MarksOf(const Workspace& ws) {
    Points points;
    for (const MarkedPoint& m : ws.FaultMarks) {
        points.insert({m.X, m.Y});
    }
    return points;
}

enum class Entry { Open, Short, Net, Comp };

void Enter(WindowState& s, Entry entry, const char* typed) {
    switch (entry) {
    case Entry::Open:
        AcceptProbeEntry(s, {typed, "", ""}, OpenDisplay);
        break;
    case Entry::Short:
        AcceptProbeEntry(s, {"7", typed, ""}, ShortDisplay);
        break;
    case Entry::Net:
        AcceptNetEntry(s, typed);
        break;
    case Entry::Comp:
        AcceptCompEntry(s, {typed, "", ""});
        break;
    }
}

TEST(FaultMarks, EachDisplayRecordsTheNailsAndPinsItMarks) {
    struct Case {
        const char* Name;
        Entry What;
        const char* Typed;
        Points Marked;
    };
    const Case cases[] = {
        {"open: the nails of the probe's net",
         Entry::Open,
         "7",
         {{150, 150}, {300, 300}, {700, 400}}},
        {"short: the pins and nails of both nets",
         Entry::Short,
         "13",
         {{100, 100},
          {100, 200},
          {450, 100},
          {0, 250},
          {200, 100},
          {150, 150},
          {300, 300},
          {700, 400}}},
        {"net: its pins and nails", Entry::Net, "VCC", {{200, 100}}},
        {"component: the part's pins and the listed pin's nail",
         Entry::Comp,
         "R7,1",
         {{400, 100}, {450, 100}}},
        {"nothing found marks nothing", Entry::Net, "NOSUCH", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ProbeBench b;
        Enter(b.State(), c.What, c.Typed);
        b.Redraw();
        EXPECT_EQ(MarksOf(b.ws), c.Marked);
    }
}

TEST(FaultMarks, BoardDisplayAndEveryRedrawStartEmpty) {
    ProbeBench b;
    EXPECT_TRUE(b.ws.FaultMarks.empty());
    Enter(b.State(), Entry::Net, "VCC");
    b.Redraw();
    ASSERT_FALSE(b.ws.FaultMarks.empty());
    // Marks of an earlier picture never gather: the same display redrawn gives the same list.
    const std::size_t once = b.ws.FaultMarks.size();
    b.Redraw();
    EXPECT_EQ(b.ws.FaultMarks.size(), once);
    b.State().DisplayMode = BoardDisplay;
    b.Redraw();
    EXPECT_TRUE(b.ws.FaultMarks.empty());
}

TEST(FaultMarks, AfterAnAutomaticTurnTheMarksAreThoseOfTheNewSide) {
    ProbeBench b;
    Enter(b.State(), Entry::Open, "41"); // the BOT net's nails lie on the bottom only
    b.Redraw();
    ASSERT_EQ(b.State().ViewSide, -1);
    EXPECT_EQ(MarksOf(b.ws), (Points{{600, 300}, {650, 350}}));
}

// Each mark's ring inside the margins, and the marks' middle at the area's middle (up to the
// whole zoom-1 pixels of the pan).
void ExpectMarksFramed(const Workspace& ws) {
    const WindowState& s = ws.State;
    const std::int32_t reach = PinRadius(s) + 1;
    std::int32_t low = s.ImageWidth, high = 0, top = s.ImageHeight, bottom = 0;
    for (const MarkedPoint& m : ws.FaultMarks) {
        const std::int32_t x = ToPixelXForSide(s, m.X);
        const std::int32_t y = ToPixelY(s, m.Y);
        EXPECT_GE(x - reach, s.ClipLeft);
        EXPECT_LE(x + reach, s.ClipRight);
        EXPECT_GE(y - reach, s.ClipTop);
        EXPECT_LE(y + reach, s.ClipBottom);
        low = std::min(low, x);
        high = std::max(high, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    EXPECT_LE(std::abs((low + high) / 2 - s.ImageWidth / 2), s.Zoom / 2 + 1);
    EXPECT_LE(std::abs((top + bottom) / 2 - s.ImageHeight / 2), s.Zoom / 2 + 1);
}

TEST(ZoomToMarks, TakesTheLargestStepAtWhichEveryMarkFits) {
    struct Case {
        const char* Name;
        Entry What;
        const char* Typed;
        float Zoom;
    };
    // Fit scale 796 / 1001: a pin's ring is trunc(7.95 * zoom) + 1 pixels.
    const Case cases[] = {
        // One point: the ring decides; at 32 it reaches 256 pixels, at 64 beyond the area.
        {"one net point", Entry::Net, "VCC", 32.0f},
        // x 150..700 is 437 pixels at zoom 1; twice that is wider than the area.
        {"a spread net", Entry::Open, "7", 1.0f},
        // x 400..450, 40 pixels at zoom 1: at 8 the span and the rings take 318 + 2 * 65.
        {"a part", Entry::Comp, "R7", 8.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ProbeBench b;
        Enter(b.State(), c.What, c.Typed);
        b.Redraw();
        ZoomToMarks(b.ws);
        EXPECT_EQ(b.State().Zoom, c.Zoom);
        ExpectMarksFramed(b.ws);
    }
}

TEST(ZoomToMarks, WorksTurnedAndOnTheBottomSide) {
    ProbeBench b;
    b.ws.Rotation = 1;
    ResetView(b.ws);
    b.State().PanX = 300; // far from the marks
    Enter(b.State(), Entry::Open, "41");
    b.Redraw();
    ASSERT_EQ(b.State().ViewSide, -1);
    ZoomToMarks(b.ws);
    EXPECT_GT(b.State().Zoom, 1.0f);
    ExpectMarksFramed(b.ws);
}

TEST(ZoomToMarks, NothingMarkedDoesNothing) {
    ProbeBench b;
    b.State().Zoom = 4.0f;
    b.State().PanX = 17;
    b.Redraw();
    b.canvas.calls.clear();
    ZoomToMarks(b.ws);
    EXPECT_EQ(b.State().Zoom, 4.0f);
    EXPECT_EQ(b.State().PanX, 17);
    EXPECT_TRUE(b.canvas.calls.empty());
}

} // namespace
} // namespace dorvik::test
