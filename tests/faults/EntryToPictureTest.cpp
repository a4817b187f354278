// From the entry window to the picture: each window filled in and accepted the way the operator
// does it, then the redraw the main window runs, and the marks checked in the picture's pixels.

#include "ProbeBoard.h"
#include "faults/EntryForms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

// The Enter key pressed and released in a control, as a keyboard sends it.
void TypeEnter(QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

struct PictureCase {
    EntryKind Kind;
    const char* Typed; // into Edit1
    std::int32_t X, Y; // board point of the mark
    int DX, DY;        // offset from its pixel, in pin radii: (-1, 0) frame, (0, -1) ring
    Colour Ink;
    std::int32_t DisplayMode;
};

TEST(EntryToPicture, EachWindowMarksTheBoard) {
    const PictureCase cases[] = {
        {EntryKind::Open, "19", 300, 300, -1, 0, colours::White, OpenDisplay},    // nail 19 framed
        {EntryKind::Short, "7", 450, 100, 0, -1, colours::White, ShortDisplay},   // R7 pin 2
        {EntryKind::Net, "gnd", 100, 200, 0, -1, colours::White, NetDisplay},     // U1 pin 4
        {EntryKind::Comp, "r7,1", 450, 100, 0, -1, colours::Purple, CompDisplay}, // R7 pin 2
        {EntryKind::Comp, "r7,1", 400, 100, 0, -1, colours::White, CompDisplay},  // R7 pin 1
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        ProbeImageBench b;
        QWidget owner;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<EntryForm*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            form->Edit(1)->setText(QString::fromLatin1(c.Typed));
            // Enter through the boxes to OK, as the operator does.
            for (int n = 1; n <= 3 && form->isVisible(); ++n) {
                if (QLineEdit* edit = form->Edit(n)) {
                    TypeEnter(edit);
                }
            }
            if (form->isVisible()) {
                TypeEnter(form->OkButton());
            }
            if (form->isVisible()) {
                ADD_FAILURE() << "Enter on OK did not close the window";
                form->reject();
            }
        });
        RunEntryWindow(&owner, b.ws, c.Kind);
        b.Redraw();

        EXPECT_EQ(b.State().DisplayMode, c.DisplayMode);
        const int r = PinRadius(b.State());
        const int x = PixelX(b.ws, c.X, c.Y) + c.DX * r;
        const int y = PixelY(b.ws, c.X, c.Y) + c.DY * r;
        EXPECT_EQ(PixelAt(b.canvas, x, y), c.Ink);
    }
}

} // namespace
} // namespace dorvik::test
