// The fault list in a real X display (a virtual one from xvfb-run), worked with the real pointer
// and keyboard through xdotool (tests/e2e/drive-fault-list.sh): a board and a tester's report
// opened from the command line, Next, Previous, a click on a row, Up in the list, a tick, and
// Save List through its file dialog; then the saved file is checked.

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
                          "----------------------------------------\n";

constexpr char SavedList[] =
    "short 6 3 # Short #1: +12V (BRC 20375, 4 ohms) with N0004 (BRC 219157, 4 ohms)\n"
    "short 1 8 # [x] Short #2: GND (BRC 20376, 2 ohms) with N0007 (BRC 219158, 2 ohms)\n"
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
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfbRun.isEmpty() || xdotool.isEmpty()) {
        GTEST_SKIP() << "xvfb-run or xdotool is not installed (Debian packages xvfb, xdotool); "
                        "./test.sh installs them";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString report = dir.filePath(QStringLiteral("ticket_report_out_1.txt"));
    {
        QFile file(report);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Ticket);
    }

    // Several test runs may start virtual displays at once: each starts its search for a free
    // display number at its own place, and tries again if the server still lost the race.
    QString out;
    std::string shown;
    for (int attempt = 0; attempt < 3; ++attempt) {
        QFile::remove(dir.filePath(QStringLiteral("in")));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QStringLiteral(DORVIK_SOURCE_DIR));
        const QString firstDisplay =
            QString::number(100 + QRandomGenerator::global()->bounded(400));
        process.start(xvfbRun,
                      {QStringLiteral("-a"), QStringLiteral("-n"), firstDisplay,
                       QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                       QStringLiteral("sh"),
                       QStringLiteral(DORVIK_SOURCE_DIR "/tests/e2e/drive-fault-list.sh"),
                       QStringLiteral(DORVIK_PROGRAM),
                       QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"), report, dir.path()});
        ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
        const bool ended = process.waitForFinished(180000);
        if (!ended) {
            process.kill();
            process.waitForFinished();
        }
        QFile outFile(dir.filePath(QStringLiteral("out")));
        QFile errFile(dir.filePath(QStringLiteral("err")));
        out = outFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(outFile.readAll()) : QString();
        const QString err =
            QString::fromUtf8(process.readAllStandardError()) +
            (errFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(errFile.readAll()) : QString());
        shown = out.toStdString() + "--- stderr\n" + err.toStdString();
        if (ended && err.contains(QLatin1String("Xvfb failed to start"))) {
            continue;
        }
        ASSERT_TRUE(ended) << shown;
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << shown;
        ASSERT_EQ(process.exitCode(), 0) << shown;
        break;
    }

    // Before anything: no line shown. Next, Next, Previous from the menu, the click on the third
    // row, Up in the list (which must not pan the board as well).
    const QStringList lines = out.split(u'\n');
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
