// Scanning a unit through the real window in a virtual X display (tests/e2e/drive-scan.sh): a
// report written into a watched report folder while the program runs is found by typing its
// serial into the Serial field, and opens on the board that the library's boards.map names.

#include "VirtualDisplay.h"
#include "support/OwnDataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// A ticket of a unit of board "MB DEMO 200", against examples/demo.brd's probes.
constexpr char Ticket[] = "----------------------------------------\n"
                          "Shorts Report for \"shorts\".\n"
                          "Thu Dec 10 14:02:33 2026\n"
                          "MB DEMO 200\n"
                          "Board Version:  v2\n"
                          "----------------------------------------\n"
                          "Short #1, Thresh 9, Delay 50us      Ohms\n"
                          "From: +12V                 20375    4\n"
                          "To:   N0004               219157    4\n"
                          "Total of 2 nodes, Message is:  None.\n"
                          "------End, 1 Problems Reported-----------\n"
                          "Serial #: UE-SCAN-7\n";

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(ScanEndToEnd, AReportDroppedWhileRunningOpensOnTheMappedBoard) {
    if (!test::DriverToolsInstalled()) {
        GTEST_SKIP() << test::DriverToolsMissing;
    }
    QTemporaryDir dir;
    test::OwnDataFolder data;
    const QDir work(dir.path());
    ASSERT_TRUE(work.mkpath(QStringLiteral("library")) && work.mkpath(QStringLiteral("reports")));
    // The library's board has a name of its own; only the map ties the report's name to it.
    ASSERT_TRUE(QFile::copy(QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"),
                            work.filePath(QStringLiteral("library/mb-demo-rev-b.brd"))));
    ASSERT_TRUE(WriteFile(work.filePath(QStringLiteral("library/boards.map")),
                          "# report board name = file\nMB DEMO 200 = mb-demo-rev-b.brd\n"));
    const QString ticket = work.filePath(QStringLiteral("ticket.txt"));
    ASSERT_TRUE(WriteFile(ticket, Ticket));
    const QString dropped = work.filePath(QStringLiteral("reports/line 3/UE-SCAN-7_report.txt"));
    qputenv("DORVIK_REPORT_FOLDERS", work.filePath(QStringLiteral("reports")).toUtf8());
    qputenv("DORVIK_BOARD_LIBRARY", work.filePath(QStringLiteral("library")).toUtf8());
    const test::DisplayRun run = test::RunDriver(
        "drive-scan.sh",
        {QStringLiteral(DORVIK_PROGRAM), QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"),
         ticket, dropped, QStringLiteral("UE-SCAN-7")},
        dir.path(), 180000);
    qunsetenv("DORVIK_REPORT_FOLDERS");
    qunsetenv("DORVIK_BOARD_LIBRARY");
    const std::string shown = run.Shown();
    ASSERT_TRUE(test::EndedWell(run)) << shown;
    EXPECT_TRUE(run.Out.contains(QStringLiteral("index: 0\n"))) << shown;
    EXPECT_TRUE(run.Out.contains(
        QStringLiteral("unitreports: 1\nreport: %1\t2026-12-10T14:02:33\n").arg(dropped)))
        << shown;
    EXPECT_TRUE(run.Driver.contains(QStringLiteral("title: mb-demo-rev-b.brd - "))) << shown;
    EXPECT_TRUE(run.Out.contains(QStringLiteral("unit: UE-SCAN-7\nboard: MB DEMO 200\n"))) << shown;
    EXPECT_TRUE(run.Out.contains(QStringLiteral("faults: 1\nfault 1: short 6 3 # Short #1: +12V")))
        << shown;
}

} // namespace
} // namespace dorvik
