// The fault list in a real X display (a virtual one from xvfb-run), worked with the real pointer
// and keyboard through xdotool (tests/e2e/drive-fault-list.sh): a board and a tester's report
// opened from the command line, Next, Previous, a click on a row, Up in the list, a tick, and
// Save List through its file dialog; then the saved file is checked.

#include "VirtualDisplay.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// Against examples/demo.brd: +12V's first nail is 6, N0004's 3, GND's 1, N0007's 8; r1 is R1.
constexpr char Ticket[] = "Shorts Report for \"shorts\".\n"
                          "----------------------------------------\n"
                          "Short #1, Thresh 9, Delay 50us      Ohms\n"
                          "From: +12V                 20375    4\n"
                          "To:   N0004               219157    4\n"
                          "Total of 2 nodes, Message is:  None.\n"
                          "----------------------------------------\n"
                          "Short #2, Thresh 9, Delay 50us      Ohms\n"
                          "From: GND                  20376    2\n"
                          "To:   N0007               219158    2\n"
                          "Total of 2 nodes, Message is:  None.\n"
                          "------End, 2 Problems Reported-----------\n"
                          "r1 HAS FAILED\n"
                          "\n"
                          "Measured:   11.5K\n"
                          "Nominal:    10.000K\n"
                          "Resistance in OHMS\n"
                          "----------------------------------------\n"
                          "Serial #: QA0E2E\n";

constexpr char SavedList[] =
    "# serial: QA0E2E\n"
    "# kind: Short\n"
    "short 6 3 # Short #1: +12V (BRC 20375, 4 ohms) with N0004 (BRC 219157, 4 ohms)\n"
    "# kind: Short\n"
    "short 1 8 # [x] Short #2: GND (BRC 20376, 2 ohms) with N0007 (BRC 219158, 2 ohms)\n"
    "# kind: Analog\n"
    "comp R1 # r1 HAS FAILED: Measured 11.5K, Nominal 10.000K, Resistance in OHMS\n";

// The value of `name` in each state the script printed, in order.
QStringList Values(const QStringList& lines, const QString& name) {
    QStringList values;
    for (const QString& line : lines) {
        if (line.startsWith(name + u'=')) {
            values << line.mid(name.size() + 1);
        }
    }
    return values;
}

TEST(EndToEnd, StepsThroughAReportTicksAFaultAndSavesTheList) {
    if (!test::DriverToolsInstalled()) {
        GTEST_SKIP() << test::DriverToolsMissing;
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString report = dir.filePath(QStringLiteral("ticket_report_out_1.txt"));
    {
        QFile file(report);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Ticket);
    }

    const test::DisplayRun run =
        test::RunDriver("drive-fault-list.sh",
                        {QStringLiteral(DORVIK_PROGRAM),
                         QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"), report},
                        dir.path(), 180000);
    const std::string shown = run.Shown();
    ASSERT_TRUE(test::EndedWell(run));

    // Before anything: no line shown. Next, Next, Previous from the menu, the click on the third
    // row, Up in the list (which must not pan the board as well).
    const QStringList lines = run.Out.split(u'\n');
    EXPECT_EQ(Values(lines, QStringLiteral("DisplayMode")),
              (QStringList{"0", "2", "2", "2", "4", "2"}))
        << shown;
    EXPECT_EQ(Values(lines, QStringLiteral("Probe2")), (QStringList{"0", "3", "8", "3", "0", "8"}))
        << shown;
    EXPECT_EQ(Values(lines, QStringLiteral("CompText1")).value(4), ",R1,") << shown;
    EXPECT_EQ(Values(lines, QStringLiteral("PanY")), QStringList(6, QStringLiteral("0"))) << shown;
    EXPECT_TRUE(lines.contains(QLatin1String("faults: 3"))) << shown;

    QFile saved(dir.filePath(QStringLiteral("saved-list.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << shown;
    EXPECT_EQ(saved.readAll(), QByteArray(SavedList)) << shown;
}

} // namespace
} // namespace dorvik
