// Selecting a fault line gives the same state and picture as typing the same texts into the
// entry window and pressing OK, followed by the main window's redraw.

#include "faults/EntryForms.h"
#include "faults/ProbeBoard.h"
#include "report/FaultLine.h"
#include "report/FaultSelection.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

EntryKind WindowOf(LineKind kind) {
    switch (kind) {
    case LineKind::Open:
        return EntryKind::Open;
    case LineKind::Short:
        return EntryKind::Short;
    case LineKind::Net:
        return EntryKind::Net;
    case LineKind::Comp:
        return EntryKind::Comp;
    }
    return EntryKind::Open;
}

// The operator's way: the window, its boxes filled with the line's items, OK, then the redraw.
void TypeIntoWindow(ProbeImageBench& b, const FaultLine& line) {
    QWidget owner;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<EntryForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        for (std::size_t k = 0; k < line.Items.size(); ++k) {
            form->Edit(static_cast<int>(k) + 1)->setText(QString::fromLatin1(line.Items[k]));
        }
        form->OkButton()->click();
    });
    RunEntryWindow(&owner, b.ws, WindowOf(line.Kind));
    dorvik::Redraw(b.ws);
}

void ExpectSameState(const Workspace& a, const Workspace& b) {
    const WindowState& s = a.State;
    const WindowState& t = b.State;
    EXPECT_EQ(s.DisplayMode, t.DisplayMode);
    EXPECT_EQ(s.Zoom, t.Zoom);
    EXPECT_EQ(s.PanX, t.PanX);
    EXPECT_EQ(s.PanY, t.PanY);
    EXPECT_EQ(s.ViewSide, t.ViewSide);
    EXPECT_EQ(s.ClipLeft, t.ClipLeft);
    EXPECT_EQ(s.ClipRight, t.ClipRight);
    EXPECT_EQ(s.Probe1, t.Probe1);
    EXPECT_EQ(s.Probe2, t.Probe2);
    EXPECT_EQ(s.Probe3, t.Probe3);
    EXPECT_EQ(Text(s.NetText), Text(t.NetText));
    EXPECT_EQ(Text(s.CompText1), Text(t.CompText1));
    EXPECT_EQ(Text(s.CompText2), Text(t.CompText2));
    EXPECT_EQ(Text(s.CompText3), Text(t.CompText3));
    EXPECT_EQ(s.NewEntry, t.NewEntry);
    EXPECT_EQ(a.Rotation, b.Rotation);
}

TEST(SelectionMatchesEntry, EachKindOfLineGivesTheWindowsPicture) {
    const FaultLine lines[] = {
        {LineKind::Open, {"19"}, "", false},
        {LineKind::Open, {"7", "13", "99"}, "", false}, // 99 is not found
        {LineKind::Short, {"7", "40"}, "", false},
        {LineKind::Short, {"41", "42"}, "", false}, // all on the bottom: the board turns over
        {LineKind::Net, {"gnd"}, "", false},
        {LineKind::Net, {"nowhere"}, "", false},
        {LineKind::Comp, {"r7,1", "u1,2,4", "c5"}, "", false},
        {LineKind::Comp, {"c5,1"}, "", false}, // a bottom part: the board turns over
        {LineKind::Comp, {"x9", "R7"}, "", false},
    };
    for (const FaultLine& line : lines) {
        SCOPED_TRACE(FormatFaultLine(line));
        ProbeImageBench typed;
        ProbeImageBench selected;
        // Start from a view the entry resets: zoomed and moved.
        for (ProbeImageBench* b : {&typed, &selected}) {
            b->State().Zoom = 2.0f;
            b->State().PanX = 40;
            b->Redraw();
        }
        TypeIntoWindow(typed, line);
        SelectFaultLine(selected.ws, line);

        ExpectSameState(typed.ws, selected.ws);
        EXPECT_EQ(typed.controls.status, selected.controls.status);
        EXPECT_EQ(typed.controls.sideCaption, selected.controls.sideCaption);
        EXPECT_TRUE(typed.canvas.Image() == selected.canvas.Image());
        EXPECT_NE(selected.State().DisplayMode, BoardDisplay);
    }
}

} // namespace
} // namespace dorvik::test
