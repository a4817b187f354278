// The fault list in the main window and through the script: a report read, its lines shown by
// click, keys and Next/Previous, a fault ticked and the list saved.

#include "ProgramRun.h"
#include "repairlog/LogLocation.h"
#include "repairlog/RecordStore.h"
#include "shell/DrawingArea.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/MainWindow.h"
#include "support/MessageBoxAnswers.h"
#include "support/ModalAnswer.h"
#include "support/OwnDataFolder.h"
#include "view/Workspace.h"
#include "widgets/MessageBoxes.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace dorvik {
namespace {

// Against examples/demo.brd: nail 1 is on GND (top), nail 3 on N0004 (bottom).
constexpr char DemoList[] = "# serial: QA0DEMO\n"
                            "# kind: Short circuit\n"
                            "short 1 3 # Short #1\n"
                            "comp J1 C1 # + common devices\n"
                            "net N0004\n"
                            "open 3 # [x] Open #2\n";

// What each message box said, in order.
QStringList Texts(const test::MessageBoxAnswers& answers) {
    QStringList texts;
    for (const MessageBoxRequest& box : answers.Asked()) {
        texts << box.Text;
    }
    return texts;
}

QString Write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// The main window, shown, with an empty board and a scratch folder.
class FaultListWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form.show();
    }

    QTemporaryDir dir;
    test::OwnDataFolder data; // before the window, whose repair log takes its bench file there
    BoardData board;
    TForm1 form{board, QStringLiteral(DORVIK_SOURCE_DIR "/data/")};
};

TEST_F(FaultListWindow, ShowsTicksAndSavesTheList) {
    FaultListCommands& faults = form.FaultCommands();
    EXPECT_FALSE(faults.NextItem->isEnabled());

    form.OpenChosenFile(QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"));
    const int widthBefore = form.Image1().width();
    faults.OpenReport(Write(dir, "list.txt", DemoList));
    FaultListPanel& panel = faults.Panel();
    ASSERT_EQ(panel.List().LineCount(), 4u);
    EXPECT_TRUE(panel.isVisible());
    // The panel took its room from the drawing area, and the board was fitted to what is left.
    EXPECT_LT(form.Image1().width(), widthBefore);
    EXPECT_EQ(form.Work().State.ImageWidth, form.Image1().width());
    EXPECT_EQ(form.Work().State.Zoom, 1.0f);
    EXPECT_TRUE(faults.NextItem->isEnabled());

    faults.NextItem->trigger();
    EXPECT_EQ(form.Work().State.DisplayMode, ShortDisplay);
    EXPECT_EQ(form.Work().State.Probe2, 3);
    // A click on the third row shows the net; the window's own state follows it.
    panel.Table().setCurrentCell(2, 2);
    EXPECT_EQ(form.Work().State.DisplayMode, NetDisplay);
    EXPECT_EQ(panel.List().Current(), 2u);
    faults.PreviousItem->trigger();
    EXPECT_EQ(form.Work().State.DisplayMode, CompDisplay);

    // Tick the first fault: the Repair window opens, Record commits the repair, and only then
    // does the tick show. Untick the last, whose tick is not in the repair log: asked first.
    {
        test::ModalAnswer repair([](QWidget& window) {
            window.findChild<QAbstractButton*>(QStringLiteral("OKButton"))->click();
        });
        panel.Table().item(0, 0)->setCheckState(Qt::Checked);
        EXPECT_FALSE(panel.List().Faults()[0].Repaired) << "ticked before the record";
        ASSERT_TRUE(test::WaitUntil([&] { return panel.List().Faults()[0].Repaired; }));
        EXPECT_EQ(repair.Title(), "Repair");
    }
    {
        test::MessageBoxAnswers answers({QMessageBox::Ok});
        panel.Table().item(3, 0)->setCheckState(Qt::Unchecked);
        ASSERT_TRUE(test::WaitUntil([&] { return !panel.List().Faults().back().Repaired; }));
        EXPECT_TRUE(answers.OnlyText().contains("not in the repair log"))
            << answers.OnlyText().toStdString();
    }
    QString error;
    const auto log = RecordStore::OpenSqlite(DefaultBenchFile(), error);
    ASSERT_NE(log, nullptr) << error.toStdString();
    const auto records = log->History(QStringLiteral("QA0DEMO"), error);
    ASSERT_TRUE(records && records->size() == 1u) << error.toStdString();
    const RepairRecord& record = records->front();
    EXPECT_EQ(record.Fault, 1);
    EXPECT_EQ(record.Kind, "Short circuit");
    EXPECT_EQ(record.Lines, "short 1 3 | comp J1 C1");
    EXPECT_EQ(record.Action, "Replaced");
    EXPECT_EQ(record.Refdes, "J1 C1");
    EXPECT_EQ(record.ReportFile, "list.txt");
    EXPECT_EQ(record.BoardFile, "demo.brd");
    EXPECT_LE(record.Shown, record.Recorded);
    const QString saved = dir.filePath(QStringLiteral("saved.txt"));
    faults.SetSaveChooser([&](QWidget*, const QString&) { return saved; });
    faults.SaveListItem->trigger();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("# serial: QA0DEMO\n"
                                         "# kind: Short circuit\n"
                                         "short 1 3 # [x] Short #1\n"
                                         "comp J1 C1 # + common devices\n"
                                         "net N0004\n"
                                         "open 3 # Open #2\n"));
}

// Presses and releases a key in the widget that has the focus, as the keyboard does: what the
// widget leaves goes on to the widgets around it.
void Stroke(QWidget& focused, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&focused, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&focused, &release);
}

TEST_F(FaultListWindow, ListKeysAreTheListsOnlyWhileItHasTheFocus) {
    form.OpenChosenFile(QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"));
    FaultListCommands& faults = form.FaultCommands();
    faults.OpenReport(Write(dir, "list.txt", DemoList));
    FaultListPanel& panel = faults.Panel();
    const WindowState& s = form.Work().State;

    // Reading the report neither takes the focus nor shows a line.
    EXPECT_EQ(panel.Table().focusPolicy(), Qt::ClickFocus);
    EXPECT_FALSE(panel.Table().hasFocus());
    EXPECT_FALSE(panel.List().Current().has_value());

    // Worked in the list: Down shows the next line and does not also pan the board; Space ticks
    // the fault and does not turn the board over; a letter is the main window's (V: names).
    QTableWidget& table = panel.Table();
    panel.ShowLine(0);
    Stroke(table, Qt::Key_Down);
    EXPECT_EQ(panel.List().Current(), 1u);
    EXPECT_EQ(s.DisplayMode, CompDisplay);
    EXPECT_EQ(s.PanY, 0);
    table.setCurrentCell(0, 2);
    const std::int32_t side = s.ViewSide;
    test::ModalAnswer repair([](QWidget& window) {
        window.findChild<QAbstractButton*>(QStringLiteral("OKButton"))->click();
    });
    Stroke(table, Qt::Key_Space); // on the line's names: Space ticks whichever cell is current
    ASSERT_TRUE(test::WaitUntil([&] { return panel.List().Faults()[0].Repaired; }));
    EXPECT_EQ(s.ViewSide, side);
    const char text = s.TextFlag;
    Stroke(table, Qt::Key_V);
    EXPECT_NE(s.TextFlag, text);
    EXPECT_EQ(panel.List().Current(), 0u);
}

TEST_F(FaultListWindow, SaysWhatWentWrong) {
    FaultListCommands& faults = form.FaultCommands();
    const QString list = Write(dir, "list.txt", DemoList);
    const QString noise = Write(dir, "noise.bin", QByteArray("\x00\x01\xFF garbage\n", 13));

    test::MessageBoxAnswers answer({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
    faults.OpenReport(list);
    EXPECT_EQ(Texts(answer), QStringList{"list.txt: open the board first."});
    form.OpenChosenFile(QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"));
    faults.OpenReport(noise);
    faults.OpenReport(dir.filePath(QStringLiteral("missing.txt")));
    EXPECT_EQ(Texts(answer),
              (QStringList{"list.txt: open the board first.",
                           "noise.bin: not a report of a known kind; Dorvik reads fault lists, "
                           "TRI CSV failure files and Keysight 3070 failure tickets.",
                           "missing.txt: the file cannot be read."}));
    EXPECT_EQ(faults.Panel().List().LineCount(), 0u);
}

TEST(FaultListScript, StepsThroughAReport) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString list = Write(dir, "list.txt", DemoList);
    const QByteArray script = "size 640 400\n"
                              "report " +
                              list.toUtf8() +
                              "\n"
                              "ok\n"
                              "open examples/demo.brd\n"
                              "report " +
                              list.toUtf8() +
                              "\n"
                              "faults\n"
                              "next\n"
                              "next\n"
                              "previous\n"
                              "status\n"
                              "fault 4\n"
                              "state\n"
                              "menu NextFault\n"
                              "fault 5\n";
    const test::ProgramRun run =
        test::RunProgram({QStringLiteral("--script"), QStringLiteral("-")}, script);
    const QString shown = run.Out + "--- stderr\n" + run.Err;
    EXPECT_EQ(run.ExitCode, 2) << shown.toStdString();
    EXPECT_TRUE(run.Err.contains("script: line 14: there is no fault line 5"))
        << shown.toStdString();
    const QStringList lines = run.Out.split('\n');
    for (const char* expected :
         {"message: list.txt: open the board first.", "faults: 4", "fault 1: short 1 3 # Short #1",
          "fault 2: comp J1 C1 # + common devices", "fault 3: net N0004",
          "fault 4: open 3 # [x] Open #2", "Probe1=3", "DisplayMode=1", "Zoom=1"}) {
        EXPECT_TRUE(lines.contains(QLatin1String(expected))) << expected << '\n'
                                                             << shown.toStdString();
    }
}

TEST(FaultListScript, ReportOnTheCommandLine) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString list = Write(dir, "list.txt", DemoList);
    const test::ProgramRun run =
        test::RunProgram({QStringLiteral("--script"), QStringLiteral("-"),
                          QStringLiteral("--report"), list, QStringLiteral("examples/demo.brd")},
                         "fault 1\nstate\nquit\n");
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.split('\n').contains(QLatin1String("DisplayMode=2")))
        << run.Out.toStdString();
}

} // namespace
} // namespace dorvik
