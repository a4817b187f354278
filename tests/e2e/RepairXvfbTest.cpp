// A repair from a real report to a record in the repair log, through the real window in a virtual
// X display (tests/e2e/drive-repair.sh): the serial scanned into the Serial field, a fault ticked
// from the keyboard, Enter in the Repair window; then the record is read back from the database,
// the bench's SQLite file and a line's PostgreSQL database alike.

#include "VirtualDisplay.h"
#include "repairlog/RecordStore.h"
#include "support/OwnDataFolder.h"
#include "support/PostgresServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// Against examples/demo.brd (the ticket names no serial: the operator scans it).
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
                          "------End, 2 Problems Reported-----------\n";

constexpr char Serial[] = "QA-E2E-0042";

class RepairEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::DriverToolsInstalled()) {
            GTEST_SKIP() << test::DriverToolsMissing;
        }
        ASSERT_TRUE(dir.isValid());
        report = dir.filePath(QStringLiteral("ticket_report_out_2.txt"));
        QFile file(report);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Ticket);
    }
    void TearDown() override { qunsetenv("DORVIK_REPAIR_LOG"); }

    // Records a repair through the window into the log `database`, and reads it back there.
    void RecordThroughTheWindow(const QString& database) {
        qputenv("DORVIK_REPAIR_LOG", database.toUtf8());
        const test::DisplayRun run = test::RunDriver(
            "drive-repair.sh",
            {QStringLiteral(DORVIK_PROGRAM), QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"),
             report, QString::fromLatin1(Serial)},
            dir.path(), 180000);
        const std::string shown = run.Shown();
        ASSERT_TRUE(test::EndedWell(run));
        EXPECT_TRUE(run.Out.contains(QStringLiteral("unit: %1\n").arg(Serial))) << shown;
        const qsizetype at = run.Out.indexOf(QLatin1String("repaired: 2 "));
        ASSERT_GE(at, 0) << shown;
        const QString id = run.Out.mid(at + 12, 36);
        EXPECT_TRUE(run.Out.contains(QStringLiteral("history: 1\nrecord: ") + id)) << shown;

        QString error;
        const auto log = RecordStore::Open(ParseLogLocation(database, DefaultBenchFile()), error);
        ASSERT_NE(log, nullptr) << error.toStdString();
        const auto records = log->History(QString::fromLatin1(Serial), error);
        ASSERT_TRUE(records) << error.toStdString();
        ASSERT_EQ(records->size(), 1u) << shown;
        const RepairRecord& record = records->front();
        EXPECT_EQ(QString::fromStdString(record.Id), id);
        EXPECT_EQ(record.Action, "Resoldered");
        EXPECT_EQ(record.Result, "RepairSuccessful");
        EXPECT_EQ(record.Operator, "E2E Tester");
        EXPECT_EQ(record.Fault, 2);
        EXPECT_EQ(record.Lines, "short 1 8");
        EXPECT_EQ(record.Nets, "GND N0007");
        EXPECT_EQ(record.ReportFile, "ticket_report_out_2.txt");
        EXPECT_EQ(record.BoardFile, "demo.brd");
    }

    QTemporaryDir dir;
    test::OwnDataFolder data;
    QString report;
};

TEST_F(RepairEndToEnd, IntoTheBenchsSqliteFile) {
    RecordThroughTheWindow(dir.filePath(QStringLiteral("bench.sqlite")));
}

TEST_F(RepairEndToEnd, IntoTheLinesPostgresDatabase) {
    QString whyNot;
    auto server = test::PostgresServer::Start(whyNot);
    ASSERT_TRUE(server) << whyNot.toStdString();
    RecordThroughTheWindow(server->ConnInfo());
}

} // namespace
} // namespace dorvik
