// dorvik-log on a line's PostgreSQL database: the same history, exports and check as on an SQLite
// file, the line's own defects, a database that holds no log left untouched, a server that does
// not answer, and send from the bench's outbox.

#include "LineDatabase.h"
#include "LogTool.h"

#include "repairlog/RawRecords.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace dorvik::test {
namespace {

class LogToolOnPostgres : public LogTool {
protected:
    void SetUp() override {
        LogTool::SetUp();
        if (!line_.Available()) {
            GTEST_SKIP() << "no PostgreSQL server: " << line_.Problem().toStdString();
        }
    }

    LogLocation Line() const { return ParseLogLocation(line_.Conninfo(), DefaultBenchFile()); }

    // A statement on the line database, as its owner would run it.
    void Exec(const QString& statement) {
        QString error;
        const auto store = RecordStore::Open(Line(), error);
        ASSERT_NE(store, nullptr) << error.toStdString();
        QSqlQuery query(store->Database());
        ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }

    LineDatabase line_;
};

TEST_F(LogToolOnPostgres, GivesWhatAnSqliteFileOfTheSameRecordsGives) {
    const std::vector<RepairRecord> records = Sample();
    const QString file = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, file, {}}, records);
    Fill(Line(), records);
    for (const QStringList& command :
         {QStringList{"history", "SN \"7\";x"}, QStringList{"export", "--csv"},
          QStringList{"export", "--cfx", "--since", "2026-11-02"}, QStringList{"check"}}) {
        const ProgramRun line = RunOn(line_.Conninfo(), command);
        const ProgramRun bench = RunOn(file, command);
        EXPECT_EQ(line.ExitCode, 0) << line.Err.toStdString();
        EXPECT_TRUE(line.Err.isEmpty()) << line.Err.toStdString();
        EXPECT_EQ(line.Out, bench.Out) << command.join(' ').toStdString();
    }
    EXPECT_EQ(RunOn(line_.Conninfo(), {"history", "SN \"7\";x"}).Out,
              HistoryText({records[0], records[1], records[3]}));
}

TEST_F(LogToolOnPostgres, CheckFindsTheLinesDefects) {
    Fill(Line(), Sample());
    {
        QString error;
        const auto store = RecordStore::Open(Line(), error);
        ASSERT_NE(store, nullptr) << error.toStdString();
        RepairRecord orphan = SampleRecord("SN-ORPHAN");
        orphan.Id = "orphan";
        orphan.Reverses = "gone";
        ASSERT_EQ(InsertRaw(store->Database(), orphan), QString());
    }
    Exec("ALTER TABLE repair_record DISABLE TRIGGER repair_record_never_changed");
    Exec("DROP TRIGGER repair_item_never_truncated ON repair_item");
    const ProgramRun run = RunOn(line_.Conninfo(), {"check"});
    EXPECT_EQ(run.ExitCode, 1) << run.Err.toStdString();
    EXPECT_EQ(run.Out, "reversal orphan cancels gone, a record the log does not hold\n"
                       "guard trigger repair_record_never_changed on repair_record is disabled: "
                       "its records can be changed or deleted\n"
                       "guard trigger repair_item_never_truncated on repair_item is missing: its "
                       "records can be changed or deleted\n");
}

TEST_F(LogToolOnPostgres, ADatabaseWithoutALogIsRefusedAndLeftEmpty) {
    for (const QStringList& command :
         {QStringList{"history", "SN"}, QStringList{"export", "--cfx"}, QStringList{"check"}}) {
        ExpectOneErrorLine(RunOn(line_.Conninfo(), command), "it holds no repair log");
    }
    QString error;
    const auto store = RecordStore::OpenForReading(Line(), error);
    EXPECT_EQ(store, nullptr);
    EXPECT_EQ(error, "it holds no repair log") << "no table was made";
}

TEST_F(LogToolOnPostgres, AReadingSessionCannotWrite) {
    Fill(Line(), Sample());
    QString error;
    const auto store = RecordStore::OpenForReading(Line(), error);
    ASSERT_NE(store, nullptr) << error.toStdString();
    EXPECT_FALSE(store->Insert(std::vector{SampleRecord("SN-NEW")}, error));
    EXPECT_TRUE(error.contains("read-only")) << error.toStdString();
}

TEST_F(LogToolOnPostgres, AServerThatDoesNotAnswerIsNamedWithoutItsPassword) {
    const QString nowhere = "host=127.0.0.1 port=1 dbname=repairs user=bench password=secret";
    for (const QStringList& command : {QStringList{"history", "SN"}, QStringList{"check"}}) {
        const ProgramRun run = RunOn(nowhere, command);
        ExpectOneErrorLine(run, "dorvik-log: user=bench dbname=repairs host=127.0.0.1 port=1: ");
        EXPECT_FALSE(run.Err.contains("secret"));
    }
}

TEST_F(LogToolOnPostgres, SendMovesTheOutboxToTheLine) {
    EXPECT_EQ(RunOn(line_.Conninfo(), {"send"}).Out, "sent: 0\n") << "no outbox yet";
    EXPECT_FALSE(QFileInfo::exists(DefaultBenchFile())) << "and none is made";

    const std::vector<RepairRecord> records = Sample();
    Fill({LogKind::Sqlite, DefaultBenchFile(), {}}, records);
    const ProgramRun down = RunOn("host=127.0.0.1 port=1 dbname=repairs", {"send"});
    EXPECT_EQ(down.Out, "sent: 0\n");
    ExpectOneErrorLine(down, "4 records still wait in " + DefaultBenchFile());

    const ProgramRun sent = RunOn(line_.Conninfo(), {"send"});
    EXPECT_EQ(sent.ExitCode, 0) << sent.Err.toStdString();
    EXPECT_EQ(sent.Out, "sent: 4\n");
    EXPECT_TRUE(sent.Err.isEmpty());
    EXPECT_EQ(RunOn(line_.Conninfo(), {"send"}).Out, "sent: 0\n");
    EXPECT_EQ(RunOn(line_.Conninfo(), {"history", "SN-OTHER"}).Out, HistoryText({records[2]}));
}

} // namespace
} // namespace dorvik::test
