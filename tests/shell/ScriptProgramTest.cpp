// The script interface, tested on the built program: every command, the message boxes, the
// modal windows a script goes on inside, and the bad commands that stop it.

#include "ScriptFixture.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

using test::ProgramRun;

using ScriptProgramTest = test::ScriptFixture;
using test::Show;

TEST_F(ScriptProgramTest, RunsTheExampleScript) {
    const ProgramRun run = RunScript(QStringLiteral("size 800 600\n"
                                                    "open examples/demo.brd\n"
                                                    "key O\n"
                                                    "text 1 12\n"
                                                    "text 3   34\n"
                                                    "ok\n"
                                                    "status\n"
                                                    "state\n"
                                                    "save {dir}/open-12-34.png\n"
                                                    "quit\n"));
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    const QStringList lines = run.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 33) << Show(run);
    EXPECT_TRUE(lines[0].startsWith("status: ")) << Show(run);
    const char* names[] = {"ImageWidth", "ImageHeight", "ClickX",      "ClickY",    "Zoom",
                           "FitScale",   "ClipLeft",    "ClipTop",     "ClipRight", "ClipBottom",
                           "PanX",       "PanY",        "BoardMinX",   "BoardMinY", "CentreX",
                           "CentreY",    "ViewSide",    "NetText",     "Probe1",    "Probe2",
                           "Probe3",     "CompText1",   "CompText2",   "CompText3", "TextFlag",
                           "NewEntry",   "DisplayMode", "BoardLoaded", "Rotation",  "OutlineCount",
                           "PartCount",  "PinCount",    "NailCount"};
    for (int i = 0; i < 33; ++i) {
        EXPECT_TRUE(lines[i + 1].startsWith(QLatin1String(names[i]) + '=')) << Show(run);
    }
    for (const char* expected :
         {"ImageWidth=800", "ImageHeight=600", "Zoom=1", "Probe1=12", "Probe2=0", "Probe3=34",
          "NewEntry=N", "DisplayMode=1", "BoardLoaded=1"}) {
        EXPECT_TRUE(lines.contains(QLatin1String(expected))) << expected << '\n' << Show(run);
    }
    const QImage saved(dir.filePath(QStringLiteral("open-12-34.png")));
    EXPECT_EQ(saved.size(), QSize(800, 600));
}

struct ScriptCase {
    const char* What;
    const char* Script;
    const char* Out; // the whole of standard output
    int ExitCode = 0;
};

void PrintTo(const ScriptCase& c, std::ostream* os) {
    *os << c.What;
}

class ScriptOutputTest : public ScriptProgramTest,
                         public ::testing::WithParamInterface<ScriptCase> {};

TEST_P(ScriptOutputTest, PrintsWhatTheCommandsGive) {
    const ScriptCase& c = GetParam();
    const ProgramRun run = RunScript(QString::fromUtf8(c.Script));
    ASSERT_TRUE(run.Ended) << Show(run);
    EXPECT_EQ(run.ExitCode, c.ExitCode) << Show(run);
    EXPECT_EQ(run.Out.toStdString(), Expand(QString::fromUtf8(c.Out)).toStdString()) << Show(run);
    EXPECT_FALSE(run.Err.contains("script:")) << Show(run);
}

const ScriptCase OutputCases[] = {
    {"status before any board", "status\nquit\n", "status: Vostrel Dorvik\n"},
    {"comments and blank lines", "# a comment\n\n   \nstatus\r\nquit\n",
     "status: Vostrel Dorvik\n"},
    {"pixel of the cleared picture", "size 40 30\npixel 0 0\npixel 39 29\npixel 20 15\nquit\n",
     "pixel 0 0 #800000\npixel 39 29 #800000\npixel 20 15 #000000\n"},
    {"disabled button and menu item do nothing", "button HomeButton\nmenu Open\ncontrols\nquit\n",
     "RoateButton enabled=0 caption= colour=#000000\n"
     "TextButton enabled=0 caption=V colour=#000000\n"
     "LeftButton enabled=0 caption= colour=#000000\n"
     "UpButton enabled=0 caption= colour=#000000\n"
     "DownButton enabled=0 caption= colour=#000000\n"
     "RightButton enabled=0 caption= colour=#000000\n"
     "TopButomButton enabled=0 caption=TOP colour=#0000FF\n"
     "HomeButton enabled=0 caption=HOME colour=#FF0000\n"
     "File1 enabled=1 caption=&File colour=#000000\n"
     "OpenFile enabled=1 caption=&Open File colour=#000000\n"
     "Exit enabled=1 caption=&Exit colour=#000000\n"
     "Open enabled=0 caption=&Open colour=#000000\n"
     "Short enabled=0 caption=&Short colour=#000000\n"
     "Net enabled=0 caption=&Net colour=#000000\n"
     "Comp enabled=0 caption=&Comp. colour=#000000\n"
     "Help enabled=1 caption=&Help colour=#000000\n"
     "ShortCut enabled=1 caption=&ShortCut colour=#000000\n"
     "About enabled=1 caption=&About colour=#000000\n"},
    {"keys and buttons change the captions",
     "size 300 200\nopen {board}\nkey Space\nbutton TextButton\nkey Shift+V\nkey Ctrl+V\n"
     "controls\nquit\n",
     "RoateButton enabled=1 caption= colour=#000000\n"
     "TextButton enabled=1 caption=V colour=#FFFF00\n"
     "LeftButton enabled=1 caption= colour=#000000\n"
     "UpButton enabled=1 caption= colour=#000000\n"
     "DownButton enabled=1 caption= colour=#000000\n"
     "RightButton enabled=1 caption= colour=#000000\n"
     "TopButomButton enabled=1 caption=BOT colour=#008000\n"
     "HomeButton enabled=1 caption=HOME colour=#FF0000\n"
     "File1 enabled=1 caption=&File colour=#000000\n"
     "OpenFile enabled=1 caption=&Open File colour=#000000\n"
     "Exit enabled=1 caption=&Exit colour=#000000\n"
     "Open enabled=1 caption=&Open colour=#000000\n"
     "Short enabled=1 caption=&Short colour=#000000\n"
     "Net enabled=1 caption=&Net colour=#000000\n"
     "Comp enabled=1 caption=&Comp. colour=#000000\n"
     "Help enabled=1 caption=&Help colour=#000000\n"
     "ShortCut enabled=1 caption=&ShortCut colour=#000000\n"
     "About enabled=1 caption=&About colour=#000000\n"},
    {"a failed open is answered by ok", "open {dir}/missing.brd\nstatus\nok\nstatus\nquit\n",
     "message: CAN NOT OPEN VOSTREL.BRD FILE\nstatus: Vostrel Dorvik\nstatus: Vostrel Dorvik\n"},
    {"exit cancelled, then confirmed: nothing after it runs",
     "key Esc\ncancel\nstatus\nmenu Exit\ncancel\nkey E\nok\nstatus\n",
     "message: Are you sure to exit?\nstatus: Vostrel Dorvik\nmessage: Are you sure to exit?\n"
     "message: Are you sure to exit?\n"},
    {"an error inside an entry window, answered, then the entry",
     "size 300 200\nopen {board}\nkey O\ntext 1 12 \nok\nok\ntext 1 13\nok\nstatus\nquit\n",
     "message: '12 ' is not a valid integer value\nstatus: Vostrel Dorvik\n"},
    {"a command error is shown and the script goes on", "key KpPlus\nok\nstatus\nquit\n",
     "message: Invalid floating point operation\nstatus: Vostrel Dorvik\n"},
    {"help and about open and close",
     "key H\nclose\nkey F1\nclose\nmenu ShortCut\nclose\n"
     "menu About\nok\nstatus\nquit\n",
     "status: Vostrel Dorvik\n"},
    {"Enter closes the About box", "menu About\nkey Enter\nmenu ShortCut\nclose\nstatus\nquit\n",
     "status: Vostrel Dorvik\n"},
    {"Esc closes the exit question, and its release does not ask again",
     "key E\nkey Esc\nstatus\nmenu ShortCut\nclose\nquit\n",
     "message: Are you sure to exit?\nstatus: Vostrel Dorvik\n"},
    {"the Enter that answers a message does not press OK again",
     "size 300 200\nopen {board}\nkey O\ntext 1 abc\nenter 1\nenter 2\nenter 3\nkey Enter\n"
     "key Enter\nclose\nstatus\nquit\n",
     "message: 'abc' is not a valid integer value\nstatus: Vostrel Dorvik\n"},
    {"queries answer while a window is open", "key H\nstatus\npixel 0 0\nclose\nquit\n",
     "status: Vostrel Dorvik\npixel 0 0 #800000\n"},
    {"quit inside a window ends at once", "key H\nquit\nstatus\n", ""},
    {"a last line without its line feed", "status\nquit", "status: Vostrel Dorvik\n"},
};

INSTANTIATE_TEST_SUITE_P(Commands, ScriptOutputTest, ::testing::ValuesIn(OutputCases));

// Lines of `state` by name.
QString StateValue(const QString& out, const char* name) {
    const QString prefix = QLatin1String(name) + '=';
    for (const QString& line : out.split('\n')) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    return QStringLiteral("(missing)");
}

struct StateCase {
    const char* What;
    const char* Script; // ends with `state` and `quit`
    std::vector<std::pair<const char*, const char*>> Expected;
};

void PrintTo(const StateCase& c, std::ostream* os) {
    *os << c.What;
}

class ScriptStateTest : public ScriptProgramTest,
                        public ::testing::WithParamInterface<StateCase> {};

TEST_P(ScriptStateTest, LeavesTheStateTheCommandsMake) {
    const StateCase& c = GetParam();
    const ProgramRun run = RunScript(QString::fromUtf8(c.Script));
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    for (const auto& [name, value] : c.Expected) {
        EXPECT_EQ(StateValue(run.Out, name).toStdString(), value) << name << '\n' << Show(run);
    }
}

const StateCase StateCases[] = {
    {"a fresh window",
     "state\nquit\n",
     {{"Zoom", "0"}, {"ViewSide", "0"}, {"NetText", ""}, {"TextFlag", ""}, {"BoardLoaded", "0"}}},
    {"open fits the board to the sized area",
     "size 300 200\nopen {board}\nstate\nquit\n",
     {{"ImageWidth", "300"},
      {"ImageHeight", "200"},
      {"CentreX", "150"},
      {"CentreY", "100"},
      {"Zoom", "1"},
      {"ViewSide", "1"},
      {"TextFlag", "N"},
      {"BoardLoaded", "1"},
      {"NetText", ",,"},
      {"OutlineCount", "5"},
      {"PartCount", "2"},
      {"PinCount", "5"},
      {"NailCount", "2"}}},
    {"mouse releases store their pixel, even far outside",
     "click right -5 99999\nstate\nquit\n",
     {{"ClickX", "-5"}, {"ClickY", "99999"}, {"Zoom", "0"}}},
    {"a double click zooms about its pixel",
     "size 300 200\nopen {board}\ndblclick 190 100\nstate\nquit\n",
     {{"ClickX", "190"}, {"Zoom", "2"}, {"PanX", "-40"}, {"PanY", "0"}}},
    {"the zoom keys",
     "size 300 200\nopen {board}\nkey Plus\nkey KpPlus\nkey Minus\nstate\nquit\n",
     {{"Zoom", "2"}, {"ClickX", "150"}, {"PanX", "0"}}},
    {"the rotate button and key R both turn",
     "size 300 200\nopen {board}\nbutton RoateButton\nstate\nquit\n",
     {{"Rotation", "1"}}},
    {"an entry finishes its redraw before the next command",
     "size 300 200\nopen {board}\nkey O\ntext 1 12\nok\nstate\nquit\n",
     {{"Probe1", "12"}, {"DisplayMode", "1"}, {"NewEntry", "N"}}},
    {"Shift and Ctrl do not change a letter key",
     "size 300 200\nopen {board}\nkey Ctrl+N\ntext 1 gnd\nenter 1\nstate\nquit\n",
     {{"NetText", ",GND,"}, {"DisplayMode", "3"}}},
    {"closing an entry window keeps the entries",
     "size 300 200\nopen {board}\nkey Shift+S\ntext 1 12\nclose\nstate\nquit\n",
     {{"Probe1", "0"}, {"DisplayMode", "0"}}},
    {"the menu opens the same windows",
     "size 300 200\nopen {board}\nmenu Comp\ntext 1 u1,1\ntext 2 r7\nok\nstate\nquit\n",
     {{"CompText1", ",U1,1,"}, {"CompText2", ",R7,"}, {"DisplayMode", "4"}}},
    {"Enter moves on through the boxes",
     "size 300 200\nopen {board}\nkey O\ntext 1 12\nenter 1\nenter 2\nenter 3\ntext 2 13\nok\n"
     "state\nquit\n",
     {{"Probe1", "12"}, {"Probe2", "13"}, {"DisplayMode", "1"}}},
    {"a typed text keeps to the box's length limit",
     "size 300 200\nopen {board}\nkey N\ntext 1 "
     "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
     "\nok\nstate\nquit\n",
     {{"NetText",
       ",XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX,"}}},
    {"a failed open after a good one changes nothing",
     "size 300 200\nopen {board}\nopen {dir}\nok\nstate\nquit\n",
     {{"BoardLoaded", "1"}, {"PartCount", "2"}, {"ImageWidth", "300"}}},
};

INSTANTIATE_TEST_SUITE_P(Commands, ScriptStateTest, ::testing::ValuesIn(StateCases));

struct BadCase {
    const char* Script;
    int Line;
    const char* Reason; // a part of the reason
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << QString::fromUtf8(c.Script).trimmed().replace('\n', QLatin1String(" | ")).toStdString();
}

class BadScriptTest : public ScriptProgramTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadScriptTest, StopsWithTheLineAndExitStatus2) {
    const BadCase& c = GetParam();
    const ProgramRun run = RunScript(QString::fromUtf8(c.Script) + "status\nquit\n");
    ASSERT_TRUE(run.Ended) << Show(run);
    EXPECT_EQ(run.ExitCode, 2) << Show(run);
    const QString expected = QStringLiteral("script: line %1: ").arg(c.Line);
    EXPECT_TRUE(run.Err.contains(expected)) << expected.toStdString() << '\n' << Show(run);
    EXPECT_TRUE(run.Err.contains(QLatin1String(c.Reason))) << Show(run);
    EXPECT_FALSE(run.Out.contains("status:")) << "nothing runs after a bad command\n" << Show(run);
}

const BadCase BadCases[] = {
    {"jump\n", 1, "unknown command 'jump'"},
    {"\n# comment\nsize 10\n", 3, "'size' takes 2 arguments"},
    {"click left 1.0 2\n", 1, "not a whole number"},
    {"key Alt+F4\n", 1, "unknown key"},
    {"ok\n", 1, "'ok' needs an open secondary window"},
    {"close\n", 1, "'close' needs an open secondary window"},
    {"cancel\n", 1, "Cancel"},
    {"text 1 12\n", 1, "no edit box Edit1"},
    {"enter 2\n", 1, "no edit box Edit2"},
    {"key H\nok\n", 2, "no OK button"},
    {"key H\ntext 1 5\n", 2, "no edit box Edit1"},
    {"key H\nopen {board}\n", 2, "acts on the main window"},
    {"menu About\nsize 100 100\n", 2, "acts on the main window"},
    {"key H\nclick left 1 1\n", 2, "acts on the main window"},
    {"open {dir}/missing.brd\nmenu Exit\n", 2, "acts on the main window"},
    {"open {board}\nkey O\ncancel\n", 3, "Cancel"},
    {"size 40 30\npixel 40 0\n", 2, "outside the picture"},
    {"save {dir}/no/such/folder/x.png\n", 1, "cannot write"},
};

INSTANTIATE_TEST_SUITE_P(Commands, BadScriptTest, ::testing::ValuesIn(BadCases));

TEST_F(ScriptProgramTest, EndingWithAWindowOpenIsABadCommand) {
    for (const char* script : {"key H\n", "open {dir}/missing.brd\n# left open\n"}) {
        const ProgramRun run = RunScript(QString::fromUtf8(script));
        ASSERT_TRUE(run.Ended) << Show(run);
        EXPECT_EQ(run.ExitCode, 2) << Show(run);
        EXPECT_TRUE(run.Err.contains("script: line ")) << Show(run);
    }
}

TEST_F(ScriptProgramTest, OpensTheBoardGivenBeforeTheScript) {
    ProgramRun run = RunScript(QStringLiteral("state\nquit\n"), {board});
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    EXPECT_EQ(StateValue(run.Out, "BoardLoaded"), "1");
    EXPECT_EQ(StateValue(run.Out, "PartCount"), "2");

    // A board that fails gives its message box to the script, which answers it.
    run = RunScript(QStringLiteral("ok\nstate\nquit\n"), {dir.filePath("missing.brd")});
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    EXPECT_TRUE(run.Out.startsWith("message: CAN NOT OPEN VOSTREL.BRD FILE\n")) << Show(run);
    EXPECT_EQ(StateValue(run.Out, "BoardLoaded"), "0");
}

TEST_F(ScriptProgramTest, ReadsTheScriptFromStandardInput) {
    const ProgramRun run =
        test::RunProgram({QStringLiteral("--script"), QStringLiteral("-")}, "status\nquit\n");
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    EXPECT_EQ(run.Out, "status: Vostrel Dorvik\n");
}

// A tool may drive the program line by line, reading each answer before it sends the next.
TEST_F(ScriptProgramTest, TakesCommandsFromStandardInputAsTheyArrive) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(DORVIK_PROGRAM),
                  {QStringLiteral("--script"), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForStarted());
    const auto answer = [&process](const char* command) {
        process.write(command);
        while (!process.canReadLine() && process.waitForReadyRead(test::ProgramDeadlineMs)) {
        }
        return process.readLine();
    };
    EXPECT_EQ(answer("status\n"), "status: Vostrel Dorvik\n");
    EXPECT_EQ(answer("size 50 40\npixel 49 39\n"), "pixel 49 39 #800000\n");
    process.write("quit\n");
    EXPECT_TRUE(process.waitForFinished(test::ProgramDeadlineMs));
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(ScriptProgramTest, StaysOpenForTheOperatorAtTheEndOfTheScript) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(DORVIK_PROGRAM),
                  {QStringLiteral("--script"), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForStarted());
    process.write("status\n");
    process.closeWriteChannel();
    while (!process.canReadLine() && process.waitForReadyRead(test::ProgramDeadlineMs)) {
    }
    EXPECT_EQ(process.readLine(), "status: Vostrel Dorvik\n");
    EXPECT_FALSE(process.waitForFinished(1000)) << "the program ended with its script";
    process.kill();
    process.waitForFinished();
}

TEST(ProgramCommandLine, HelpAndWrongArguments) {
    ProgramRun run = test::RunProgram({QStringLiteral("--help")});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Out.startsWith("Usage: dorvik [--script FILE] [--report REPORT] [BOARD]"))
        << Show(run);

    for (const QStringList& arguments :
         {QStringList{"--bogus"}, QStringList{"--script"}, QStringList{"a.brd", "b.brd"}}) {
        run = test::RunProgram(arguments);
        EXPECT_EQ(run.ExitCode, 2) << Show(run);
        EXPECT_TRUE(run.Err.contains("Usage: dorvik [--script FILE] [--report REPORT] [BOARD]"))
            << Show(run);
        EXPECT_TRUE(run.Out.isEmpty()) << Show(run);
    }

    for (const QString& script : {QStringLiteral("/no/such/script.txt"), QStringLiteral("/tmp")}) {
        run = test::RunProgram({QStringLiteral("--script"), script});
        EXPECT_EQ(run.ExitCode, 2) << Show(run);
        EXPECT_TRUE(run.Err.contains("cannot read the script " + script)) << Show(run);
    }
}

} // namespace
} // namespace dorvik
