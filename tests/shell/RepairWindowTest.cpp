// The repair station in the real main window: the questions before unlogged ticks are lost, the
// Serial field and Save List's name, the unit's history with repeats and the loop warning, and a
// line database out of reach said in the status bar while ticks go on into the outbox.

#include "WindowFixture.h"

#include "repairlog/LogLocation.h"
#include "repairlog/LogSettings.h"
#include "repairlog/RecordFixture.h"
#include "repairlog/RecordStore.h"
#include "repairui/RepairStation.h"
#include "repairui/UnitPanel.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/RepairCommands.h"
#include "support/MessageBoxAnswers.h"
#include "widgets/TypingField.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// Against the worked example: probes 12 and 13, parts U1 and R7.
constexpr char TickedList[] = "# serial: SN-77\n"
                              "short 12 13 # [x] Short #1\n"
                              "comp R7 # Analog #2\n";

class RepairWindow : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        form->OpenChosenFile(WriteBoard("worked.brd"));
        list = WriteText("list.txt", TickedList);
    }

    FaultListCommands& Faults() const { return form->FaultCommands(); }
    FaultListPanel& Panel() const { return Faults().Panel(); }
    RepairStation& Station() const { return form->Repairs().Station(); }

    // Ticks fault line k through the Repair window, pressing Record.
    void TickAndRecord(std::size_t k) {
        test::ModalAnswer repair([](QWidget& window) {
            window.findChild<QAbstractButton*>(QStringLiteral("OKButton"))->click();
        });
        const std::size_t fault = Panel().List().PlaceOf(k).Fault;
        Panel().RequestTick(k);
        ASSERT_TRUE(test::WaitUntil([&] { return Panel().List().Faults()[fault].Repaired; }));
    }

    QString list;
};

TEST_F(RepairWindow, LeavingAListWithTicksTheLogDoesNotHoldAsksFirst) {
    struct Case {
        const char* Going;
        std::function<void()> Leave;
        const char* Ends;
    };
    const Case cases[] = {
        {"another report", [this] { Faults().OpenReport(list); }, "Open list.txt anyway?"},
        {"another board", [this] { form->OpenChosenFile(WriteBoard("b.brd")); },
         "Open b.brd anyway?"},
        {"the program", [this] { form->ExitClick(); }, "Exit anyway?"},
    };
    Faults().OpenReport(list);
    ASSERT_TRUE(Panel().List().Faults()[0].Repaired);
    for (const Case& c : cases) {
        test::MessageBoxAnswers answers({QMessageBox::Cancel});
        c.Leave();
        ASSERT_EQ(answers.Asked().size(), 1u) << c.Going;
        EXPECT_EQ(answers.Asked()[0].Text,
                  QStringLiteral("1 of the faults ticked in the list is not in the repair log; "
                                 "Save List keeps them. ") +
                      QLatin1String(c.Ends))
            << c.Going;
        EXPECT_TRUE(form->isVisible()) << c.Going;
        EXPECT_TRUE(Panel().List().Faults()[0].Repaired) << c.Going << ": the list was kept";
    }
    // Once the tick is in the log, nothing is asked.
    {
        test::MessageBoxAnswers answers({QMessageBox::Ok});
        Panel().RequestTick(0); // the unlogged tick goes, after its question
    }
    TickAndRecord(0);
    test::MessageBoxAnswers none;
    Faults().OpenReport(list);
    EXPECT_TRUE(none.Asked().empty());
}

TEST_F(RepairWindow, TheSerialFieldNamesTheUnitAndTheSavedList) {
    Faults().OpenReport(WriteText("plain.txt", "short 12 13 # Short #1\n"));
    EXPECT_EQ(Station().Serial(), "");
    TypingField& field = form->Repairs().Unit().SerialField();
    field.Activate();
    QTest::keyClicks(&field, QStringLiteral("SN/8:1 X"));
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(Station().Serial(), "SN/8:1 X");
    EXPECT_FALSE(field.hasFocus()) << "Enter gives the keys back to the window";

    QString offered;
    const QString typed = dir.filePath(QStringLiteral("chosen"));
    Faults().SetSaveChooser([&](QWidget*, const QString& name) {
        offered = name;
        return typed;
    });
    Faults().SaveListClick();
    EXPECT_EQ(offered, "SN_8_1_X.txt");
    QFile saved(typed + QStringLiteral(".txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << "a name without an ending gets .txt";
    EXPECT_TRUE(saved.readAll().startsWith("# serial: SN/8:1 X\n"));
}

TEST_F(RepairWindow, TheUnitsHistoryMarksRepeatsAndTheLoop) {
    // Three earlier visits of SN-77, each a repair of R7, one of them undone.
    {
        QString error;
        auto log = RecordStore::OpenSqlite(DefaultBenchFile(), error);
        ASSERT_NE(log, nullptr) << error.toStdString();
        std::vector<RepairRecord> earlier;
        for (const char* report : {"v1.csv", "v2.csv", "v3.csv", "v4.csv"}) {
            RepairRecord r = test::SampleRecord("SN-77");
            r.ReportFile = report;
            r.Refdes = "R7";
            earlier.push_back(r);
        }
        earlier.push_back(test::ReversalOf(earlier.back()));
        ASSERT_TRUE(log->Insert(earlier, error)) << error.toStdString();
    }
    Faults().OpenReport(list);
    ASSERT_TRUE(test::WaitUntil([&] { return Station().HistoryComplete(); }));
    EXPECT_EQ(Station().EarlierVisits(), 3u);
    const auto* loop = form->findChild<QLabel*>(QStringLiteral("LoopWarning"));
    ASSERT_NE(loop, nullptr);
    EXPECT_TRUE(loop->isVisible());
    const QTableWidget& table = Panel().Table();
    EXPECT_EQ(table.item(0, 5)->text(), "") << "the short names no part";
    EXPECT_EQ(table.item(1, 5)->text(), "repeat") << "R7 was repaired before";
    const auto* history = form->findChild<QTableWidget*>(QStringLiteral("HistoryTable"));
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->rowCount(), 3) << "the standing repairs, not the undone one";
}

TEST_F(RepairWindow, TheRepairLogWindowSetsTheDatabaseAndTheLoopLimit) {
    const QString file = dir.filePath(QStringLiteral("other.sqlite"));
    // A connection with a password is refused and the window stays; then a file and a limit.
    test::MessageBoxAnswers answers({QMessageBox::Ok});
    int shown = 0;
    test::ModalAnswer first([&](QWidget& window) {
        ++shown;
        window.findChild<QLineEdit*>(QStringLiteral("RepairLogEdit"))
            ->setText(QStringLiteral("host=db dbname=repairs password=secret"));
        window.findChild<QAbstractButton*>(QStringLiteral("OKButton"))->click();
        QTimer::singleShot(0, &window, [&window, &file] {
            window.findChild<QLineEdit*>(QStringLiteral("RepairLogEdit"))->setText(file);
            window.findChild<QSpinBox*>(QStringLiteral("LoopLimitEdit"))->setValue(2);
            window.findChild<QAbstractButton*>(QStringLiteral("OKButton"))->click();
        });
    });
    form->Repairs().RepairLogItem->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(answers.OnlyText().contains("keeps no password"))
        << answers.OnlyText().toStdString();
    EXPECT_EQ(Station().Log().Location().SqlitePath, file);
    EXPECT_EQ(Station().LoopLimit(), 2);
    EXPECT_EQ(StoredLogSetting(), file) << "remembered";
    EXPECT_FALSE(StoredLogSetting().contains("secret"));
}

TEST_F(RepairWindow, ALineOutOfReachKeepsTicksInTheOutboxAndSaysSo) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    qputenv("DORVIK_REPAIR_LOG",
            QStringLiteral("host=127.0.0.1 port=%1 dbname=repairs user=bench").arg(port).toUtf8());
    Station().UseLogSetting(QString()); // the log again, now the line's
    qunsetenv("DORVIK_REPAIR_LOG");
    Faults().OpenReport(WriteText("plain.txt", "short 12 13 # Short #1\ncomp R7 # Analog\n"));
    TickAndRecord(1);
    EXPECT_EQ(Station().LogStatusLine(), "log: postgresql waiting=1");
    const auto* waiting = form->findChild<QLabel*>(QStringLiteral("RepairLogWaiting"));
    ASSERT_NE(waiting, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return waiting->text().contains("not reached"); }, 15000))
        << waiting->text().toStdString();
    EXPECT_TRUE(waiting->isVisible());
    EXPECT_TRUE(waiting->text().startsWith("Repair log: 1 waiting for the line database"))
        << waiting->text().toStdString();
    // In the outbox, on disk.
    QString error;
    auto outbox = RecordStore::OpenSqlite(DefaultBenchFile(), error);
    ASSERT_NE(outbox, nullptr) << error.toStdString();
    EXPECT_EQ(outbox->UnsentCount(error), 1);
}

} // namespace
} // namespace dorvik
