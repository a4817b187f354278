// The repair station through the script, on the built program: the unit from the report, the
// operator, a tick recorded through the Repair window, an undo, the unit's history and visits,
// and the repair log refusing a tick with a message that names it.

#include "ScriptFixture.h"
#include "support/OwnDataFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

using test::ProgramRun;
using test::Show;

// Against the worked example: probes 12 (VCC) and 13 (GND), parts U1 and R7.
constexpr char UnitList[] = "# serial: SN-0001\n"
                            "# board: WORKED-EX\n"
                            "# kind: Short circuit\n"
                            "short 12 13 # Short #1: VCC to GND\n"
                            "comp U1,1 R7 # + common devices\n"
                            "open 12 # Open #2\n";

class RepairScript : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        qunsetenv("DORVIK_REPAIR_LOG");
        WriteList("list.txt", UnitList);
    }
    void TearDown() override { qunsetenv("DORVIK_REPAIR_LOG"); }

    test::OwnDataFolder data; // each test its own bench file

    void WriteList(const char* name, const QByteArray& text) const {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    static QStringList Lines(const ProgramRun& run, const QString& prefix) {
        QStringList found;
        for (const QString& line : run.Out.split(u'\n')) {
            if (line.startsWith(prefix)) {
                found << line;
            }
        }
        return found;
    }

    // The columns of the n-th "record: " line.
    static QStringList Record(const ProgramRun& run, int n) {
        const QStringList records = Lines(run, QStringLiteral("record: "));
        return n < records.size() ? records[n].mid(8).split(u'\t') : QStringList();
    }
};

enum Column {
    Id,
    Recorded,
    Shown,
    Serial,
    Board,
    BoardFile,
    ReportFile,
    FaultNo,
    Kind,
    LinesCol,
    Description,
    Nets,
    Probes,
    Action,
    Result,
    Refdes,
    Comment,
    Operator,
    Bench,
    Version,
    Reverses,
    Columns
};

const QRegularExpression
    Uuid(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"));
const QRegularExpression
    IsoMs(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z$"));

TEST_F(RepairScript, RecordsATickAndItsUndo) {
    const ProgramRun run = RunScript(QStringLiteral("open {board}\n"
                                                    "report {dir}/list.txt\n"
                                                    "operator Anna Kowalska\n"
                                                    "unit\n"
                                                    "fault 1\n"
                                                    "tick 1\n"
                                                    "action Solder bridge removed\n"
                                                    "refdes U1\n"
                                                    "comment bridge at pin 1\n"
                                                    "ok\n"
                                                    "tick 3\n"
                                                    "key Esc\n"
                                                    "faults\n"
                                                    "logstatus\n"
                                                    "history\n"
                                                    "tick 2\n"
                                                    "ok\n"
                                                    "history\n"
                                                    "faults\n"
                                                    "quit\n"));
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    EXPECT_EQ(Lines(run, "unit: "), QStringList{"unit: SN-0001"}) << Show(run);
    EXPECT_EQ(Lines(run, "board: "), QStringList{"board: WORKED-EX"});
    EXPECT_EQ(Lines(run, "visits: "), QStringList{"visits: 0"});
    EXPECT_EQ(Lines(run, "loop: "), QStringList{"loop: 0"});
    EXPECT_EQ(Lines(run, "log: "), QStringList{"log: sqlite waiting=0"});

    const QStringList repaired = Lines(run, "repaired: ");
    ASSERT_EQ(repaired.size(), 1) << Show(run) << "Esc in the Repair window records nothing";
    ASSERT_TRUE(repaired[0].startsWith("repaired: 1 "));
    const QString id = repaired[0].section(u' ', 2);
    EXPECT_TRUE(Uuid.match(id).hasMatch()) << id.toStdString();
    // Ticked once recorded; the Esc left fault 2 unticked.
    EXPECT_TRUE(run.Out.contains("fault 1: short 12 13 # [x] Short #1: VCC to GND\n")) << Show(run);
    EXPECT_TRUE(run.Out.contains("fault 3: open 12 # Open #2\n")) << Show(run);

    const QStringList history = Lines(run, "history: ");
    EXPECT_EQ(history, (QStringList{"history: 1", "history: 2"}));
    const QStringList record = Record(run, 0);
    ASSERT_EQ(record.size(), Columns) << Show(run);
    EXPECT_EQ(record[Id], id);
    EXPECT_TRUE(IsoMs.match(record[Recorded]).hasMatch()) << record[Recorded].toStdString();
    EXPECT_TRUE(IsoMs.match(record[Shown]).hasMatch());
    EXPECT_LE(record[Shown], record[Recorded]);
    const QStringList expected[] = {
        {"SN-0001", "WORKED-EX", "worked.brd", "list.txt", "1", "Short circuit",
         "short 12 13 | comp U1,1 R7", "Short #1: VCC to GND | common devices", "VCC GND", "12 13",
         "Solder bridge removed", "RepairSuccessful", "U1", "bridge at pin 1", "Anna Kowalska"}};
    EXPECT_EQ(record.mid(Serial, Bench - Serial), expected[0]);
    EXPECT_EQ(record[Version], "2.2");
    EXPECT_EQ(record[Reverses], "");

    // The undo: asked first, then a reversal naming the repair, and the tick gone.
    EXPECT_TRUE(run.Out.contains("message: Undo the repair of fault 1 (Solder bridge removed by "
                                 "Anna Kowalska)?"))
        << Show(run);
    const QStringList unrepaired = Lines(run, "unrepaired: ");
    ASSERT_EQ(unrepaired.size(), 1) << Show(run);
    EXPECT_TRUE(unrepaired[0].startsWith("unrepaired: 2 ")) << "the line the tick was asked on";
    const QStringList reversal = Record(run, 2);
    ASSERT_EQ(reversal.size(), Columns) << Show(run);
    EXPECT_EQ(reversal[Reverses], id);
    EXPECT_EQ(reversal[Id], unrepaired[0].section(u' ', 2));
    EXPECT_EQ(Lines(run, "fault 1: ").last(), "fault 1: short 12 13 # Short #1: VCC to GND");
}

TEST_F(RepairScript, TheLogRemembersTicksAndVisitsAcrossRuns) {
    const ProgramRun first = RunScript(QStringLiteral("open {board}\n"
                                                      "report {dir}/list.txt\n"
                                                      "tick 3\n"
                                                      "refdes R7\n"
                                                      "ok\n"
                                                      "quit\n"));
    ASSERT_TRUE(first.Ended && first.ExitCode == 0) << Show(first);
    // The same report again in a new run: its tick comes back from the log. Then three more
    // visits of the unit (other reports), each with a repair of R7.
    for (const char* name : {"b.txt", "c.txt", "d.txt"}) {
        WriteList(name, UnitList);
    }
    const ProgramRun second = RunScript(QStringLiteral("open {board}\n"
                                                       "report {dir}/list.txt\n"
                                                       "faults\n"
                                                       "unit\n"
                                                       "report {dir}/b.txt\n"
                                                       "unit\n"
                                                       "tick 3\n"
                                                       "refdes R7\n"
                                                       "ok\n"
                                                       "report {dir}/c.txt\n"
                                                       "tick 3\n"
                                                       "ok\n"
                                                       "report {dir}/d.txt\n"
                                                       "unit\n"
                                                       "quit\n"));
    ASSERT_TRUE(second.Ended && second.ExitCode == 0) << Show(second);
    EXPECT_TRUE(second.Out.contains("fault 3: open 12 # [x] Open #2\n")) << Show(second);
    EXPECT_EQ(Lines(second, "visits: "), (QStringList{"visits: 0", "visits: 1", "visits: 3"}))
        << Show(second);
    EXPECT_EQ(Lines(second, "loop: "), (QStringList{"loop: 0", "loop: 0", "loop: 1"}));
}

TEST_F(RepairScript, HostileTextsAreRecordedAsTyped) {
    const QString hostile = QStringLiteral("O'Brien; \"x\" '); DROP TABLE repair_record; --");
    const ProgramRun run = RunScript(QStringLiteral("open {board}\n"
                                                    "report {dir}/list.txt\n"
                                                    "serial %1\n"
                                                    "operator %1\n"
                                                    "tick 1\n"
                                                    "comment %1\n"
                                                    "ok\n"
                                                    "serial %2\n"
                                                    "ok\n"
                                                    "serial %1\n"
                                                    "history\n"
                                                    "unit\n"
                                                    "quit\n")
                                         .arg(hostile, QString(10000, u'7')));
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    EXPECT_TRUE(run.Out.contains("message: A serial number has at most 128 characters; this one "
                                 "has 10000."))
        << Show(run);
    EXPECT_EQ(Lines(run, "history: "), QStringList{"history: 1"}) << Show(run);
    const QStringList record = Record(run, 0);
    ASSERT_EQ(record.size(), Columns) << Show(run);
    EXPECT_EQ(record[Serial], hostile);
    EXPECT_EQ(record[Operator], hostile);
    EXPECT_EQ(record[Comment], hostile);
    EXPECT_EQ(Lines(run, "unit: "), QStringList{"unit: " + hostile});
}

TEST_F(RepairScript, ALogThatCannotRecordLeavesTheFaultUnticked) {
    QDir().mkpath(dir.filePath(QStringLiteral("logs")));
    const QString garbage = dir.filePath(QStringLiteral("logs/garbage.sqlite"));
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'z'));
    }
    struct Case {
        QString Database;
        const char* Says;
    };
    const Case cases[] = {
        {garbage, "file is not a database"},
        {dir.filePath(QStringLiteral("logs")), "it is not a file"},
    };
    for (const Case& c : cases) {
        qputenv("DORVIK_REPAIR_LOG", c.Database.toUtf8());
        const ProgramRun run = RunScript(QStringLiteral("open {board}\n"
                                                        "report {dir}/list.txt\n"
                                                        "tick 1\n"
                                                        "ok\n"
                                                        "faults\n"
                                                        "quit\n"));
        ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
        const QStringList messages = Lines(run, "message: ");
        ASSERT_EQ(messages.size(), 1) << Show(run);
        EXPECT_TRUE(messages[0].contains(c.Database)) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(QLatin1String(c.Says))) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].endsWith("The fault stays unticked.")) << messages[0].toStdString();
        EXPECT_TRUE(run.Out.contains("fault 1: short 12 13 # Short #1: VCC to GND\n")) << Show(run);
        EXPECT_TRUE(Lines(run, "repaired: ").isEmpty());
    }
}

TEST_F(RepairScript, RepairCommandsNeedTheirWindow) {
    struct Case {
        const char* Script;
        const char* Reason;
    };
    for (const Case& c : {Case{"action Replaced\n", "needs an open secondary window"},
                          Case{"key O\naction Replaced\n", "acts on the Repair window"},
                          Case{"report {dir}/list.txt\ntick 9\n", "there is no fault line 9"},
                          Case{"report {dir}/list.txt\ntick 1\naction Fixed\n",
                               "'Fixed' is not an action of the Repair window"},
                          Case{"operator\n", "'operator' needs a TEXT"},
                          Case{"tick x\n", "'x' is not a fault line number"}}) {
        const ProgramRun run = RunScript(QStringLiteral("open {board}\n") + c.Script);
        EXPECT_EQ(run.ExitCode, 2) << c.Script << Show(run);
        EXPECT_TRUE(run.Err.contains(QLatin1String(c.Reason))) << c.Script << Show(run);
    }
}

} // namespace
} // namespace dorvik
