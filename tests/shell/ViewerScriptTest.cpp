// The viewer's script commands on the built program: wheel, drag, find, export and the new menu
// items, and the bad forms of them that stop a script.

#include "ScriptFixture.h"
#include "shell/Remembered.h"
#include "shell/ScriptCommand.h"

#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

namespace dorvik {
namespace {

using test::ProgramRun;

class ViewerScriptTest : public test::ScriptFixture {
protected:
    // The value of Name=value lines of the output, the last one printed.
    static QString Value(const ProgramRun& run, const char* name) {
        QString value;
        for (const QString& line : run.Out.split('\n')) {
            if (line.startsWith(QLatin1String(name) + '=')) {
                value = line.mid(static_cast<qsizetype>(std::strlen(name)) + 1);
            }
        }
        return value;
    }
};

using test::Show;

TEST_F(ViewerScriptTest, WheelAndDragMoveTheView) {
    const ProgramRun run = RunScript(QStringLiteral("wheel 10 10 up\n" // no board: nothing
                                                    "size 400 300\n"
                                                    "open {board}\n"
                                                    "wheel 100 80 up\n"
                                                    "wheel 100 80 up\n"
                                                    "drag 200 150 240 130\n"
                                                    "state\n"
                                                    "wheel 100 80 down\n"
                                                    "drag 50 50 52 51\n" // no drag: a click
                                                    "state\n"
                                                    "quit\n"));
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    const QStringList lines = run.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 * 33) << Show(run);
    EXPECT_EQ(lines[4], QStringLiteral("Zoom=4")) << Show(run);
    EXPECT_EQ(lines[2], QStringLiteral("ClickX=0")) << "the drag's release is no click";
    EXPECT_EQ(lines[33 + 4], QStringLiteral("Zoom=2")) << Show(run);
    EXPECT_EQ(lines[33 + 2], QStringLiteral("ClickX=52")) << Show(run);
    EXPECT_EQ(lines[33 + 3], QStringLiteral("ClickY=51")) << Show(run);
    EXPECT_NE(lines[10], QStringLiteral("PanX=0")) << Show(run);
}

TEST_F(ViewerScriptTest, FindShowsThePartOrTheNet) {
    const ProgramRun run = RunScript(QStringLiteral("find U1\n" // no board: nothing
                                                    "status\n"
                                                    "size 400 300\n"
                                                    "open {board}\n"
                                                    "find r7\n"
                                                    "state\n"
                                                    "find VCC\n"
                                                    "state\n"
                                                    "find nothing here\n"
                                                    "status\n"
                                                    "key V\n" // the main window's keys still act
                                                    "state\n"
                                                    "quit\n"));
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    const QStringList lines = run.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + 3 * 33) << Show(run);
    EXPECT_EQ(lines[0], QStringLiteral("status: Vostrel Dorvik"));
    EXPECT_EQ(lines[1 + 21], QStringLiteral("CompText1=,R7,")) << Show(run);
    EXPECT_EQ(lines[1 + 26], QStringLiteral("DisplayMode=4")) << Show(run);
    EXPECT_EQ(lines[34 + 17], QStringLiteral("NetText=,VCC,")) << Show(run);
    EXPECT_EQ(lines[34 + 26], QStringLiteral("DisplayMode=3")) << Show(run);
    EXPECT_EQ(lines[67], QStringLiteral("status: Not found: nothing here")) << Show(run);
    EXPECT_EQ(lines[68 + 24], QStringLiteral("TextFlag=Y")) << Show(run);
}

TEST_F(ViewerScriptTest, MenuItemsFitAndZoomToTheMarks) {
    const ProgramRun run = RunScript(QStringLiteral("menu FitBoard\n" // disabled: nothing
                                                    "size 400 300\n"
                                                    "open {board}\n"
                                                    "size 300 200\n"
                                                    "state\n"
                                                    "menu FitBoard\n"
                                                    "state\n"
                                                    "find GND\n"
                                                    "menu ZoomToMarks\n"
                                                    "state\n"
                                                    "quit\n"));
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    const QStringList lines = run.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3 * 33) << Show(run);
    EXPECT_EQ(lines[0], QStringLiteral("ImageWidth=400"));
    EXPECT_EQ(lines[33], QStringLiteral("ImageWidth=300"));
    EXPECT_EQ(lines[33 + 1], QStringLiteral("ImageHeight=200"));
    EXPECT_EQ(lines[66 + 17], QStringLiteral("NetText=,GND,")) << Show(run);
    EXPECT_NE(lines[66 + 4], QStringLiteral("Zoom=1")) << Show(run);
}

TEST_F(ViewerScriptTest, RecentBoardsReopensTheLastBoard) {
    const ProgramRun run = RunScript(QStringLiteral("size 400 300\n"
                                                    "open {board}\n"
                                                    "key Plus\n"
                                                    "menu RecentBoards\n"
                                                    "state\n"
                                                    "quit\n"));
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    EXPECT_EQ(Value(run, "Zoom"), QStringLiteral("1")) << "opened afresh: " << Show(run);
    EXPECT_EQ(Value(run, "BoardLoaded"), QStringLiteral("1")) << Show(run);
}

TEST_F(ViewerScriptTest, ExportWritesPngAndPdfWithTheCaption) {
    const ProgramRun run = RunScript(QStringLiteral("size 400 300\n"
                                                    "open {board}\n"
                                                    "export {dir}/ticket.png\n"
                                                    "export {dir}/ticket.pdf\n"
                                                    "export {dir}/none/ticket.png\n"));
    ASSERT_TRUE(run.Ended) << Show(run);
    EXPECT_EQ(run.ExitCode, 2) << Show(run);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("script: line 5: cannot write "))) << Show(run);
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("ticket.png"))).size(), QSize(400, 324));
    QFile pdf(dir.filePath(QStringLiteral("ticket.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF-"));
}

TEST_F(ViewerScriptTest, WindowPlacementIsLeftAloneByScripts) {
    const QString script = QStringLiteral("open {board}\nstate\nkey E\nok\n");
    const ProgramRun plain = RunScript(script);
    ASSERT_TRUE(plain.Ended && plain.ExitCode == 0) << Show(plain);

    // What an operator's run left: a small restored window.
    QWidget operatorWindow;
    operatorWindow.resize(300, 200);
    RememberWindowPlacement(operatorWindow);
    const QSettings settings(QStringLiteral("Dorvik"), QStringLiteral("Dorvik"));
    const QByteArray remembered = settings.value(QStringLiteral("Window/Geometry")).toByteArray();

    const ProgramRun run = RunScript(script);
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << Show(run);
    EXPECT_EQ(Value(run, "ImageWidth"), Value(plain, "ImageWidth")) << Show(run);
    EXPECT_EQ(Value(run, "ImageHeight"), Value(plain, "ImageHeight")) << Show(run);
    EXPECT_EQ(QSettings(QStringLiteral("Dorvik"), QStringLiteral("Dorvik"))
                  .value(QStringLiteral("Window/Geometry"))
                  .toByteArray(),
              remembered);
}

TEST(ViewerScriptCommand, ReadsTheViewerCommands) {
    struct Case {
        const char* Line;
        ScriptVerb Verb;
        int X, Y, X2, Y2;
        bool Up;
        const char* Argument;
    };
    const Case cases[] = {
        {"wheel 10 -20 up", ScriptVerb::Wheel, 10, -20, 0, 0, true, ""},
        {"wheel 0 0 down", ScriptVerb::Wheel, 0, 0, 0, 0, false, ""},
        {"drag 1 2 -3 4", ScriptVerb::Drag, 1, 2, -3, 4, false, ""},
        {"find U 12 ", ScriptVerb::Find, 0, 0, 0, 0, false, "U 12 "},
        {"find ", ScriptVerb::Find, 0, 0, 0, 0, false, ""},
        {"export a b.pdf", ScriptVerb::Export, 0, 0, 0, 0, false, "a b.pdf"},
        {"menu ZoomToMarks", ScriptVerb::Menu, 0, 0, 0, 0, false, "ZoomToMarks"},
        {"menu RecentBoards", ScriptVerb::Menu, 0, 0, 0, 0, false, "RecentBoards"},
    };
    for (const Case& c : cases) {
        const ParsedLine parsed = ParseScriptLine(QString::fromLatin1(c.Line));
        ASSERT_EQ(parsed.What, ParsedLine::Kind::Command)
            << c.Line << ": " << parsed.Error.toStdString();
        const ScriptCommand& command = parsed.Command;
        EXPECT_EQ(command.Verb, c.Verb) << c.Line;
        EXPECT_EQ(command.X, c.X) << c.Line;
        EXPECT_EQ(command.Y, c.Y) << c.Line;
        EXPECT_EQ(command.X2, c.X2) << c.Line;
        EXPECT_EQ(command.Y2, c.Y2) << c.Line;
        EXPECT_EQ(command.Up, c.Up) << c.Line;
        EXPECT_EQ(command.Argument, QLatin1String(c.Argument)) << c.Line;
    }
}

TEST(ViewerScriptCommand, RefusesBadForms) {
    const char* lines[] = {"wheel 1 2",    "wheel 1 2 left", "wheel x 2 up", "drag 1 2 3",
                           "drag 1 2 3 y", "drag 1  2 3 4",  "find",         "export",
                           "menu Zoom",    "menu OpenFile2"};
    for (const char* line : lines) {
        const ParsedLine parsed = ParseScriptLine(QString::fromLatin1(line));
        EXPECT_EQ(parsed.What, ParsedLine::Kind::Error) << line;
        EXPECT_FALSE(parsed.Error.isEmpty()) << line;
    }
}

} // namespace
} // namespace dorvik
