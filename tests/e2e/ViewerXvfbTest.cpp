// The viewer's conveniences in a real X display, worked with the real pointer and keyboard
// (xdotool): a wheel notch, a drag of the picture, and typing a name into the search field.

#include "VirtualDisplay.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// The state blocks the program printed, each as its Name=value lines.
QList<QStringList> StateBlocks(const QString& out) {
    QList<QStringList> blocks;
    for (const QString& line : out.split('\n')) {
        if (line.startsWith(QLatin1String("ImageWidth="))) {
            blocks.append(QStringList());
        }
        if (!blocks.isEmpty() && line.contains('=')) {
            blocks.back() << line;
        }
    }
    return blocks;
}

TEST(EndToEnd, WheelDragAndTypingThroughTheRealWindow) {
    if (!test::DriverToolsInstalled()) {
        GTEST_SKIP() << test::DriverToolsMissing;
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const test::DisplayRun run = test::RunDriver(
        "drive-viewer.sh",
        {QStringLiteral(DORVIK_PROGRAM), QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd")},
        dir.path(), 120000);
    const QString& out = run.Out;
    const std::string shown = run.Shown();
    ASSERT_TRUE(test::EndedWell(run));

    const QList<QStringList> states = StateBlocks(out);
    ASSERT_EQ(states.size(), 4) << shown;
    EXPECT_TRUE(states[0].contains(QStringLiteral("Zoom=1"))) << shown;
    // The wheel: one notch up.
    EXPECT_TRUE(states[1].contains(QStringLiteral("Zoom=2"))) << shown;
    // The drag: 60 pixels right and 30 down at zoom 2 are 30 and 15 zoom-1 pixels of pan, and
    // its release asked nothing.
    const auto pan = [&](int k, const char* name) {
        for (const QString& line : states[k]) {
            if (line.startsWith(QLatin1String(name) + '=')) {
                return line.section('=', 1).toInt();
            }
        }
        return -1;
    };
    EXPECT_EQ(pan(2, "PanX") - pan(1, "PanX"), 30) << shown;
    EXPECT_EQ(pan(2, "PanY") - pan(1, "PanY"), 15) << shown;
    EXPECT_EQ(pan(2, "ClickX"), pan(1, "ClickX")) << shown;
    // Typing: the part's component display, and no exit question from the E typed first.
    EXPECT_TRUE(states[3].contains(QStringLiteral("CompText1=,R7,"))) << shown;
    EXPECT_TRUE(states[3].contains(QStringLiteral("DisplayMode=4"))) << shown;
    EXPECT_FALSE(out.contains(QLatin1String("message:"))) << shown;
}

} // namespace
} // namespace dorvik
