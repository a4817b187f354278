// The board and the report shown belong together: opening another board under a list looks for
// its lines on that board, and a warning above the list says when the board loaded does not look
// like the report's (few of its faults on it, or the board library naming another file).

#include "WindowFixture.h"

#include "repairlog/LogLocation.h"
#include "repairlog/RecordFixture.h"
#include "repairlog/RecordStore.h"
#include "repairui/RepairStation.h"
#include "shell/BoardWarning.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/RepairCommands.h"
#include "support/MessageBoxAnswers.h"

#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// The worked example's probes, part and net, and the other board's probes.
constexpr char MainList[] = "# serial: SN-77\n"
                            "# board: MAIN-7\n"
                            "short 12 13 # Short #1\n"
                            "comp R7 # Analog #2\n"
                            "open 31 32 # Open #3\n"
                            "net VCC # Net #4\n";

// The worked example's outline with other parts, nets and nails: Q4 and C2 on A1 and B1, nails
// 31 and 32.
constexpr std::string_view OtherBoard = "str_length:\n"
                                        "12 16\n"
                                        "var_data:\n"
                                        "5 2 4 2 0 0\n"
                                        "Format:\n"
                                        "0 0\n"
                                        "3000 0\n"
                                        "3000 2000\n"
                                        "0 2000\n"
                                        "0 0\n"
                                        "Parts:\n"
                                        "Q4 1 2\n"
                                        "C2 1 4\n"
                                        "Pins:\n"
                                        "1000 1000 31 0 A1\n"
                                        "1100 1000 32 0 B1\n"
                                        "1100 1100 31 0 A1\n"
                                        "1000 1100 32 0 B1\n"
                                        "Nails:\n"
                                        "31 1000 1000 1 A1\n"
                                        "32 1100 1100 1 B1\n";

constexpr char FewOnOther[] = "This board has only 1 of the 4 faults' names and probes: is it the "
                              "board of this report?";

class ReportBoard : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        worked = WriteBoard("worked.brd");
        other = WriteBoard("other.brd", OtherBoard);
    }

    FaultListCommands& Faults() const { return form->FaultCommands(); }
    FaultListPanel& Panel() const { return Faults().Panel(); }

    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < Panel().Table().rowCount(); ++row) {
            texts << Panel().Table().item(row, column)->text();
        }
        return texts;
    }
    QStringList OnBoardColumn() const { return Column(4); }

    QString worked;
    QString other;
};

TEST_F(ReportBoard, AnotherBoardLooksForTheLinesOnItAndKeepsTheRestOfTheList) {
    { // R7 was repaired on SN-77 before: the list marks its fault a repeat.
        QString error;
        auto log = RecordStore::OpenSqlite(DefaultBenchFile(), error);
        ASSERT_NE(log, nullptr) << error.toStdString();
        RepairRecord earlier = test::SampleRecord("SN-77");
        earlier.Refdes = "R7";
        ASSERT_TRUE(log->Insert({&earlier, 1}, error)) << error.toStdString();
    }
    form->OpenChosenFile(worked);
    Faults().OpenReport(WriteText("list.txt", MainList));
    ASSERT_TRUE(test::WaitUntil([&] { return form->Repairs().Station().HistoryComplete(); }));
    Panel().ShowLine(2);
    Panel().SetRepaired(0, true);
    EXPECT_EQ(OnBoardColumn(), (QStringList{"yes", "yes", "no", "yes"}));
    EXPECT_EQ(Faults().BoardWarning().toStdString(), "");
    const QStringList history = Column(5);
    ASSERT_EQ(history, (QStringList{"", "repeat", "", ""}));

    {
        test::MessageBoxAnswers leave({QMessageBox::Ok}); // the tick is not in the log
        form->OpenChosenFile(other);
        EXPECT_EQ(leave.Asked().size(), 1u);
    }
    EXPECT_EQ(OnBoardColumn(), (QStringList{"no", "no", "yes", "no"}));
    EXPECT_EQ(Faults().BoardWarning().toStdString(), FewOnOther);
    const QTableWidget& table = Panel().Table();
    EXPECT_TRUE(Panel().List().Faults()[0].Repaired);
    EXPECT_EQ(table.item(0, 0)->checkState(), Qt::Checked);
    EXPECT_EQ(table.item(1, 0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Panel().List().Current(), 2u);
    EXPECT_EQ(table.currentRow(), 2);
    EXPECT_EQ(Column(5), history);
    EXPECT_EQ(Column(2), (QStringList{"short 12 13", "comp R7", "open 31 32", "net VCC"}));
}

TEST_F(ReportBoard, WarnsWhenFewerThanHalfTheFaultsAreOnTheBoard) {
    struct Case {
        const char* Text;
        const char* Warning;
    };
    const Case cases[] = {
        {"open 99\n",
         "This board has only 0 of the 1 faults' names and probes: is it the board of this "
         "report?"},
        {"open 12\nopen 99\n", ""},
        // A fault is on the board when all its lines are.
        {"open 12\nopen 99 # + the same fault\n",
         "This board has only 0 of the 1 faults' names and probes: is it the board of this "
         "report?"},
        {"open 12\nnet GND\nopen 97\nopen 98\nopen 99\n",
         "This board has only 2 of the 5 faults' names and probes: is it the board of this "
         "report?"},
    };
    form->OpenChosenFile(worked);
    const auto* warning = Panel().findChild<QLabel*>(QStringLiteral("BoardWarning"));
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(warning->wordWrap());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        Faults().OpenReport(WriteText("list.txt", c.Text));
        ASSERT_TRUE(Panel().isVisible());
        EXPECT_EQ(Faults().BoardWarning().toStdString(), c.Warning);
        EXPECT_EQ(warning->isVisible(), *c.Warning != '\0');
    }
    // A report that names no fault is refused before it is shown; a list without one says nothing.
    EXPECT_EQ(FewFaultsOnBoardWarning(FaultList()), "");
    // Where the operator looks: above the list.
    const QLayout& body = *Panel().widget()->layout();
    EXPECT_LT(body.indexOf(warning), body.indexOf(&Panel().Table()));
}

TEST_F(ReportBoard, WarnsWhenTheBoardLibraryGivesAnotherFile) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString link = dir.filePath(QStringLiteral("link.brd"));
    ASSERT_TRUE(QFile::link(worked, link));
    const QString list = WriteText("list.txt", MainList);
    struct Case {
        QString Open;
        QString Given;
        QString Warning;
    };
    const Case cases[] = {
        {worked, worked, ""},
        {worked, link, ""},
        {link, worked, ""},
        {worked, dir.filePath(QStringLiteral("sub/../worked.brd")), ""},
        {worked, other,
         "The board library gives other.brd for the report's board MAIN-7, but worked.brd is "
         "open."},
        {worked, dir.filePath(QStringLiteral("gone.brd")),
         "The board library gives gone.brd for the report's board MAIN-7, but worked.brd is "
         "open."},
        {worked, "", ""},
    };
    QString given;
    std::string asked;
    Faults().SetBoardExpectation([&](const ReportUnit& unit) {
        asked = unit.Board;
        return given;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE((c.Open + " given " + c.Given).toStdString());
        form->OpenChosenFile(c.Open);
        given = c.Given;
        asked.clear();
        Faults().OpenReport(list);
        EXPECT_EQ(asked, "MAIN-7");
        EXPECT_EQ(Faults().BoardWarning().toStdString(), c.Warning.toStdString());
    }

    // The library changes: its owner asks again.
    given = other;
    Faults().RecheckBoard();
    EXPECT_EQ(Faults().BoardWarning().toStdString(),
              "The board library gives other.brd for the report's board "
              "MAIN-7, but worked.brd is open.");
}

TEST_F(ReportBoard, TheWarningGoesWhenTheReportsBoardIsOpened) {
    Faults().SetBoardExpectation([&](const ReportUnit&) { return worked; });
    form->OpenChosenFile(other);
    Faults().OpenReport(WriteText("list.txt", MainList));
    EXPECT_EQ(Faults().BoardWarning().toStdString(),
              std::string(FewOnOther) + "\nThe board library gives worked.brd for the report's "
                                        "board MAIN-7, but other.brd is open.");
    form->OpenChosenFile(worked);
    EXPECT_EQ(Faults().BoardWarning().toStdString(), "");
    EXPECT_FALSE(Panel().findChild<QLabel*>(QStringLiteral("BoardWarning"))->isVisible());
    EXPECT_EQ(OnBoardColumn(), (QStringList{"yes", "yes", "no", "yes"}));
}

} // namespace
} // namespace dorvik
