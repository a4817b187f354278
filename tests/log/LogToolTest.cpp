// dorvik-log on SQLite logs: every command, its exit status and output, the one error line, and
// that it never makes a missing file nor writes to a log.

#include "LogTool.h"

#include "repairlog/LogCheck.h"
#include "repairlog/RawRecords.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvik::test {
namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(LogTool, HelpPrintsTheUsage) {
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"-h"},
                                    QStringList{"--db", "x.sqlite", "export", "--help"}}) {
        const ProgramRun run = Run(args);
        EXPECT_EQ(run.ExitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.Out.startsWith("Usage: dorvik-log [--db DATABASE] COMMAND [OPTIONS]\n"));
        EXPECT_TRUE(run.Out.contains("export --cfx"));
        EXPECT_TRUE(run.Err.isEmpty());
    }
}

TEST_F(LogTool, BadArgumentsGiveOneLineAndTheUsage) {
    const QString log = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, log, {}}, Sample());
    struct Case {
        QStringList Args;
        const char* Says;
    };
    const Case cases[] = {
        {{"--db", log}, "no command given"},
        {{"--db", log, "frob"}, "unknown command frob"},
        {{"--db", log, "--frob"}, "unknown option --frob"},
        {{"--db", log, "pareto"}, "pareto needs --board NAME"},
        {{"--db", log, "pareto", "--board", "B", "--by", "refdes"},
         "--by takes part, net, probe, action or operator, not refdes"},
        {{"--db", log, "figures", "--board", "B", "--by", "part"}, "figures: unknown option --by"},
        {{"--db", log, "figures", "--board"}, "--board needs a value"},
        {{"--db", log, "figures", "--board", "A", "--board", "B"}, "--board is given twice"},
        {{"--db", log, "history"}, "history takes one SERIAL"},
        {{"--db", log, "history", "a", "b"}, "history takes one SERIAL"},
        {{"--db", log, "export"}, "export takes --csv or --cfx"},
        {{"--db", log, "export", "--csv", "--cfx"}, "one of --csv and --cfx"},
        {{"--db", log, "export", "--csv", "--since"}, "--since needs a DAY"},
        {{"--db", log, "export", "--cfx", "--until", "2026-11-02", "--until", "2026-11-03"},
         "--until is given twice"},
        {{"--db", log, "export", "--csv", "-o"}, "-o needs a FILE"},
        {{"--db", log, "export", "--csv", "--bogus"}, "unknown option --bogus"},
        {{"--db", log, "send", "now"}, "send takes no arguments"},
        {{"--db", log, "check", "all"}, "check takes no arguments"},
        {{"--db"}, "--db needs a DATABASE"},
        {{"--db", "  ", "history", "SN"}, "--db needs a DATABASE"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Run(c.Args);
        EXPECT_EQ(run.ExitCode, 2) << c.Says;
        EXPECT_TRUE(run.Out.isEmpty()) << c.Says;
        const QString first = run.Err.section(u'\n', 0, 0);
        EXPECT_TRUE(first.startsWith("dorvik-log: ")) << first.toStdString();
        EXPECT_TRUE(first.endsWith(QString::fromUtf8(c.Says))) << first.toStdString();
        EXPECT_TRUE(run.Err.contains("\n\nUsage: dorvik-log")) << c.Says;
    }
    EXPECT_TRUE(Run({"--db", log, "frob"}).Err.startsWith("dorvik-log: " + log + ": "))
        << "the line names the database";
}

TEST_F(LogTool, AMissingFileIsNamedAndNeverMade) {
    const QString typo = Path("folder/repairs.sqllite");
    for (const QStringList& command :
         {QStringList{"history", "SN1"}, QStringList{"export", "--csv"},
          QStringList{"export", "--cfx", "-o", Path("out.jsonl")}, QStringList{"check"}}) {
        const ProgramRun run = RunOn(typo, command);
        ExpectOneErrorLine(run, "dorvik-log: " + typo + ": there is no such file");
        EXPECT_TRUE(run.Out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(Path("folder")));
    EXPECT_FALSE(QFileInfo::exists(Path("out.jsonl")));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());

    // Without --db: the bench's own file, which is not made either.
    const ProgramRun run = Run({"history", "SN1"});
    ExpectOneErrorLine(run, DefaultBenchFile() + ": there is no such file");
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(DefaultBenchFile()).path()));
}

TEST_F(LogTool, WhatIsNoRepairLogIsRefused) {
    QFile text(Path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(2048, 'n'));
    text.close();
    ExpectOneErrorLine(RunOn(Path("notes.txt"), {"check"}), "not a database");
    ExpectOneErrorLine(RunOn(dir_.path(), {"check"}), "it is not a file");
    QFile empty(Path("empty.sqlite"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    ExpectOneErrorLine(RunOn(Path("empty.sqlite"), {"history", "SN"}), "it holds no repair log");
    EXPECT_EQ(QFileInfo(Path("empty.sqlite")).size(), 0);
}

TEST_F(LogTool, ALineDatabaseThatDoesNotAnswerIsNamedWithoutItsPassword) {
    const QString nowhere = "host=127.0.0.1 port=1 dbname=repairs user=bench password=secret";
    for (const QStringList& command : {QStringList{"history", "SN"}, QStringList{"check"}}) {
        const ProgramRun run = RunOn(nowhere, command);
        ExpectOneErrorLine(run, "dorvik-log: user=bench dbname=repairs host=127.0.0.1 port=1: ");
        EXPECT_FALSE(run.Err.contains("secret"));
    }
}

TEST_F(LogTool, HistoryIsTheUnitsRecordsOldestFirst) {
    const QString log = Path("repairs.sqlite");
    const std::vector<RepairRecord> records = Sample();
    Fill({LogKind::Sqlite, log, {}}, records);
    const ProgramRun run = RunOn(log, {"history", "SN \"7\";x"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty());
    EXPECT_EQ(run.Out, HistoryText({records[0], records[1], records[3]}));
    EXPECT_EQ(run.Out.count(u'\n'), 4) << "the comment's tab and line end are blanks";
    EXPECT_TRUE(run.Out.section(u'\n', 0, 0).startsWith("id\trecorded\tshown\tserial\t"));

    const ProgramRun none = RunOn(log, {"history", "SN-NONE"});
    EXPECT_EQ(none.ExitCode, 0);
    EXPECT_EQ(none.Out, QString::fromStdString(TabSeparatedHeader() + "\n"));
}

TEST_F(LogTool, TheEnvironmentNamesTheLogWithoutDb) {
    const QString log = Path("from-env.sqlite");
    Fill({LogKind::Sqlite, log, {}}, Sample());
    qputenv(LogEnvironmentVariable, log.toUtf8());
    const ProgramRun run = Run({"history", "SN-OTHER"});
    qunsetenv(LogEnvironmentVariable);
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out.count(u'\n'), 2);
}

TEST_F(LogTool, ExportsTheDaysGivenToStandardOutputOrAFile) {
    const QString log = Path("repairs.sqlite");
    const std::vector<RepairRecord> records = Sample(); // on 2 (twice), 3 and 4 November
    Fill({LogKind::Sqlite, log, {}}, records);
    struct Case {
        QStringList Days;
        int Rows;
    };
    const Case cases[] = {
        {{}, 4},
        {{"--since", "2026-11-03"}, 2},
        {{"--until", "2026-11-02"}, 2},
        {{"--since", "2026-11-03", "--until", "2026-11-03"}, 1},
        {{"--since", "2026-11-05"}, 0},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunOn(log, QStringList{"export", "--csv"} + c.Days);
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_EQ(run.Out.count("\r\n"), c.Rows + 1) << c.Days.join(' ').toStdString();
        EXPECT_TRUE(run.Out.startsWith("id,recorded,shown,serial,"));
    }
    const ProgramRun all = RunOn(log, {"export", "--csv"});
    EXPECT_TRUE(all.Out.contains("\"pins \"\"3\"\"; 4, 5\tand\nmore\"")) << "quoted as RFC 4180";

    const ProgramRun toFile = RunOn(log, {"export", "--csv", "-o", Path("all.csv")});
    EXPECT_EQ(toFile.ExitCode, 0) << toFile.Err.toStdString();
    EXPECT_TRUE(toFile.Out.isEmpty());
    EXPECT_EQ(QString::fromUtf8(Bytes(Path("all.csv"))), all.Out);

    const ProgramRun cfx = RunOn(log, {"export", "--cfx"});
    EXPECT_EQ(cfx.ExitCode, 0) << cfx.Err.toStdString();
    // SN "7";x at its bench without a report, SN-OTHER by report; SN "7";x's visit by report
    // gives nothing, its only repair was reversed.
    EXPECT_EQ(cfx.Out.count(u'\n'), 2) << cfx.Out.toStdString();
    EXPECT_FALSE(cfx.Out.contains(QString::fromStdString(records[1].Id)));
    EXPECT_TRUE(cfx.Out.contains(QString::fromStdString(records[0].Id)));
    EXPECT_TRUE(cfx.Out.contains(QString::fromStdString(records[2].Id)));
    EXPECT_EQ(RunOn(log, {"export", "--cfx"}).Out, cfx.Out) << "the same lines again";
    const ProgramRun cfxFile = RunOn(log, {"export", "--cfx", "-o", Path("all.jsonl")});
    EXPECT_EQ(cfxFile.ExitCode, 0);
    EXPECT_EQ(QString::fromUtf8(Bytes(Path("all.jsonl"))), cfx.Out);
}

TEST_F(LogTool, ADayThatIsNoDayIsRefused) {
    const QString log = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, log, {}}, Sample());
    struct Case {
        QStringList Days;
        const char* Says;
    };
    const Case cases[] = {
        {{"--since", "2026-02-30"}, "--since 2026-02-30 is no day (YYYY-MM-DD)"},
        {{"--until", "2026-1-05"}, "--until 2026-1-05 is no day (YYYY-MM-DD)"},
        {{"--since", "yesterday"}, "--since yesterday is no day (YYYY-MM-DD)"},
        {{"--until", ""}, "--until  is no day (YYYY-MM-DD)"},
        {{"--since", "2026-11-04", "--until", "2026-11-03"},
         "--since 2026-11-04 comes after --until 2026-11-03"},
    };
    for (const Case& c : cases) {
        for (const char* form : {"--csv", "--cfx"}) {
            const ProgramRun run = RunOn(log, QStringList{"export", form} + c.Days);
            ExpectOneErrorLine(run, log + ": " + c.Says);
            EXPECT_TRUE(run.Out.isEmpty());
        }
    }
}

TEST_F(LogTool, AnOutputThatCannotBeWrittenLeavesNothing) {
    const QString log = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, log, {}}, Sample());
    const QString missing = Path("no/such/folder/out.csv");
    const ProgramRun run = RunOn(log, {"export", "--csv", "-o", missing});
    ExpectOneErrorLine(run, log + ": " + missing + " cannot be written");
    EXPECT_FALSE(QFileInfo::exists(Path("no")));
    ExpectOneErrorLine(RunOn(log, {"export", "--cfx", "-o", dir_.path()}), "cannot be written");

    // An export that fails leaves the file it was to replace as it was.
    QFile kept(Path("kept.csv"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("yesterday's export\r\n");
    kept.close();
    ExpectOneErrorLine(RunOn(Path("typo.sqlite"), {"export", "--csv", "-o", Path("kept.csv")}),
                       "there is no such file");
    EXPECT_EQ(Bytes(Path("kept.csv")), "yesterday's export\r\n");
}

TEST_F(LogTool, AnOutputThatIsAPipeIsWrittenAndStaysAPipe) {
    const QString log = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, log, {}}, Sample());
    const QByteArray fifo = Path("out.fifo").toLocal8Bit();
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // Open for reading first, so that the tool's open does not wait; the export fits the pipe.
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const ProgramRun run = RunOn(log, {"export", "--csv", "-o", Path("out.fifo")});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    QByteArray got(1 << 16, '\0');
    const ssize_t size = ::read(reader, got.data(), static_cast<std::size_t>(got.size()));
    ::close(reader);
    got.resize(size > 0 ? size : 0);
    EXPECT_EQ(QString::fromUtf8(got), RunOn(log, {"export", "--csv"}).Out);
    struct stat after {};
    ASSERT_EQ(::stat(fifo.constData(), &after), 0);
    EXPECT_TRUE(S_ISFIFO(after.st_mode)) << "not replaced by a file";
}

TEST_F(LogTool, CheckPrintsAFindingALine) {
    const QString log = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, log, {}}, Sample());
    const ProgramRun clean = RunOn(log, {"check"});
    EXPECT_EQ(clean.ExitCode, 0) << clean.Err.toStdString();
    EXPECT_TRUE(clean.Out.isEmpty());
    EXPECT_TRUE(clean.Err.isEmpty());
    {
        QString error;
        const auto store = RecordStore::OpenSqlite(log, error);
        ASSERT_NE(store, nullptr);
        RepairRecord orphan = SampleRecord("SN-ORPHAN");
        orphan.Id = "orphan";
        orphan.Reverses = "gone";
        ASSERT_EQ(InsertRaw(store->Database(), orphan), QString());
    }
    const ProgramRun found = RunOn(log, {"check"});
    EXPECT_EQ(found.ExitCode, 1) << found.Err.toStdString();
    EXPECT_EQ(found.Out, "reversal orphan cancels gone, a record the log does not hold\n");
    EXPECT_TRUE(found.Err.isEmpty());
}

TEST_F(LogTool, ReadingCommandsLeaveTheLogAsItWas) {
    const QString log = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, log, {}}, Sample());
    const QByteArray before = Bytes(log);
    for (const QStringList& command :
         {QStringList{"history", "SN-OTHER"}, QStringList{"export", "--csv"},
          QStringList{"export", "--cfx"}, QStringList{"check"}}) {
        EXPECT_EQ(RunOn(log, command).ExitCode, 0) << command.join(' ').toStdString();
    }
    EXPECT_EQ(Bytes(log), before);
    EXPECT_EQ(Bytes(log + "-wal").size(), 0) << "nothing written ahead either";
}

TEST_F(LogTool, SendWithAnSqliteLogSendsNothingAndSaysSo) {
    const QString log = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, log, {}}, Sample());
    const ProgramRun run = RunOn(log, {"send"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "sent: 0\n");
    EXPECT_EQ(run.Err,
              "dorvik-log: " + log + ": an SQLite log has no line database; nothing to send\n");
    const ProgramRun missing = RunOn(Path("none.sqlite"), {"send"});
    EXPECT_EQ(missing.Out, "sent: 0\n");
    EXPECT_FALSE(QFileInfo::exists(Path("none.sqlite")));
}

TEST_F(LogTool, ParetoAndFiguresOfABoardFromTheRepairsThatStand) {
    const QString file = Path("repairs.sqlite");
    Fill({LogKind::Sqlite, file, {}}, Sample()); // one of the three repairs is undone
    const struct {
        QStringList Args;
        const char* Out;
    } cases[] = {
        {{"pareto", "--board", "MB-200"}, "U5\t2\t100.0\n"},
        {{"pareto", "--board", "MB-200", "--by", "net"}, "GND\t2\t50.0\nVCC\t2\t100.0\n"},
        {{"pareto", "--by", "operator", "--board", "MB-200", "--since", "2026-11-04"},
         "anna\t1\t100.0\n"},
        {{"pareto", "--board", "OTHER"}, ""},
        {{"figures", "--board", "MB-200"},
         "units\t2\nrepairs\t2\nrepeat_rate\t0.0\nnff_rate\t0.0\nmttr_seconds\t95\n"},
        {{"figures", "--board", "MB-200", "--until", "2026-11-03"},
         "units\t1\nrepairs\t1\nrepeat_rate\t0.0\nnff_rate\t0.0\nmttr_seconds\t95\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunOn(file, c.Args);
        EXPECT_EQ(run.ExitCode, 0) << c.Args.join(' ').toStdString() << run.Err.toStdString();
        EXPECT_EQ(run.Out, QString::fromUtf8(c.Out)) << c.Args.join(' ').toStdString();
    }
}

} // namespace
} // namespace dorvik::test
