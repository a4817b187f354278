// dorvik-log on a line's PostgreSQL database, on a server the suite starts: the same history,
// exports and check as on an SQLite file, the line's own defects, a database that holds no log
// left untouched, and send from the bench's outbox.

#include "LogTool.h"

#include "repairlog/RawRecords.h"
#include "support/PostgresFixture.h"

#include <QFileInfo>

namespace dorvik::test {
namespace {

// One server for the suite; each test its own database on it.
class LogToolOnPostgres : public WithPostgresDatabase<LogTool> {
protected:
    LogLocation Line() const { return ParseLogLocation(Conninfo(), DefaultBenchFile()); }

    // A statement on the line database, as its owner would run it.
    void Exec(const QString& statement) {
        ASSERT_TRUE(Server().Execute(statement, DatabaseName())) << Server().Error().toStdString();
    }
};

TEST_F(LogToolOnPostgres, GivesWhatAnSqliteFileOfTheSameRecordsGives) {
    const std::vector<RepairRecord> records = Sample();
    const QString file = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, file, {}}, records);
    Fill(Line(), records);
    for (const QStringList& command :
         {QStringList{"history", "SN \"7\";x"}, QStringList{"export", "--csv"},
          QStringList{"export", "--cfx", "--since", "2026-11-02"}, QStringList{"check"},
          QStringList{"pareto", "--board", "MB-200", "--by", "net"},
          QStringList{"figures", "--board", "MB-200", "--until", "2026-11-03"}}) {
        const ProgramRun line = RunOn(Conninfo(), command);
        const ProgramRun bench = RunOn(file, command);
        EXPECT_EQ(line.ExitCode, 0) << line.Err.toStdString();
        EXPECT_TRUE(line.Err.isEmpty()) << line.Err.toStdString();
        EXPECT_EQ(line.Out, bench.Out) << command.join(' ').toStdString();
    }
    EXPECT_EQ(RunOn(Conninfo(), {"history", "SN \"7\";x"}).Out,
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
    const ProgramRun run = RunOn(Conninfo(), {"check"});
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
        ExpectOneErrorLine(RunOn(Conninfo(), command), "it holds no repair log");
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

TEST_F(LogToolOnPostgres, SendMovesTheOutboxToTheLine) {
    const ProgramRun nothing = RunOn(Conninfo(), {"send"});
    EXPECT_EQ(nothing.ExitCode, 0) << nothing.Err.toStdString();
    EXPECT_EQ(nothing.Out, "sent: 0\n") << "no outbox yet";
    EXPECT_FALSE(QFileInfo::exists(DefaultBenchFile())) << "and none is made";
    // Nothing to send, but the line is out of reach: that is no success.
    const ProgramRun unreachable = RunOn("host=127.0.0.1 port=1 dbname=repairs", {"send"});
    EXPECT_EQ(unreachable.Out, "sent: 0\n");
    ExpectOneErrorLine(unreachable, "port=1: ");

    const std::vector<RepairRecord> records = Sample();
    Fill({LogKind::Sqlite, DefaultBenchFile(), {}}, records);
    const ProgramRun down = RunOn("host=127.0.0.1 port=1 dbname=repairs", {"send"});
    EXPECT_EQ(down.Out, "sent: 0\n");
    ExpectOneErrorLine(down, "4 records still wait in " + DefaultBenchFile());

    const ProgramRun sent = RunOn(Conninfo(), {"send"});
    EXPECT_EQ(sent.ExitCode, 0) << sent.Err.toStdString();
    EXPECT_EQ(sent.Out, "sent: 4\n");
    EXPECT_TRUE(sent.Err.isEmpty());
    EXPECT_EQ(RunOn(Conninfo(), {"send"}).Out, "sent: 0\n");
    EXPECT_EQ(RunOn(Conninfo(), {"history", "SN-OTHER"}).Out, HistoryText({records[2]}));
}

} // namespace
} // namespace dorvik::test
