// Scanning a unit in the real main window: the Serial field's Enter opens the unit's newest
// report from the report folders, on the board the library gives for the report's board name,
// offers the unit's other reports, and says what it cannot find.

#include "WindowFixture.h"

#include "repairui/RepairStation.h"
#include "repairui/UnitPanel.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/RepairCommands.h"
#include "shell/UnitCommands.h"
#include "shell/ViewerExtensions.h"
#include "support/MessageBoxAnswers.h"
#include "unitui/UnitReports.h"
#include "unitwatch/BenchFolders.h"
#include "unitwatch/ReportIndexService.h"
#include "widgets/TypingField.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// A fault list of `serial` on board `board`, tested at `tested`, against the worked example
// (probes 12 and 13, parts U1 and R7).
QByteArray ListOf(const char* serial, const char* board, const char* tested, const char* fault) {
    return QByteArray("# serial: ") + serial + "\n# board: " + board + "\n# tested: " + tested +
           "\n" + fault + "\n";
}

class UnitScan : public test::WindowFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(folders.isValid());
        const QDir root(folders.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("reports/line 1")) &&
                    root.mkpath(QStringLiteral("library")));
        reports = root.filePath(QStringLiteral("reports"));
        library = root.filePath(QStringLiteral("library"));
        libraryBoard =
            Write(library + QStringLiteral("/acme-rev-c.brd"), test::Encode(test::WorkedExample));
        Write(library + QStringLiteral("/boards.map"), mapText);
        older = Write(reports + QStringLiteral("/SN-1 first.txt"),
                      ListOf("SN-1", "ACME 7", "2026-03-01T08:00:00", "short 12 13 # Short #1"));
        newer = Write(reports + QStringLiteral("/line 1/SN-1 again.txt"),
                      ListOf("SN-1", "ACME 7", "2026-03-04T09:30:00", "comp R7 # Analog #1"));
        qputenv("DORVIK_REPORT_FOLDERS", reports.toUtf8());
        qputenv("DORVIK_BOARD_LIBRARY", library.toUtf8());
        WindowFixture::SetUp();
        ASSERT_TRUE(Units().Index().WaitUntilComplete(10000));
    }
    void TearDown() override {
        qunsetenv("DORVIK_REPORT_FOLDERS");
        qunsetenv("DORVIK_BOARD_LIBRARY");
    }

    static QString Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
        return path;
    }
    static QString Write(const QString& path, const std::string& bytes) {
        return Write(path, QByteArray::fromStdString(bytes));
    }

    UnitCommands& Units() const { return form->Units(); }
    FaultListCommands& Faults() const { return form->FaultCommands(); }

    // The serial typed into the Serial field and Enter, as a scanner does.
    void ScanSerial(const QString& serial) {
        TypingField& field = form->Repairs().Unit().SerialField();
        field.clear();
        QTest::keyClicks(&field, serial);
        QTest::keyClick(&field, Qt::Key_Return);
    }

    QString ShownTested() const { return QString::fromStdString(Faults().Unit().Tested); }
    std::vector<std::string> OfferedPaths() const {
        std::vector<std::string> paths;
        for (const IndexedReport& report : Units().Reports().Reports()) {
            paths.push_back(report.Path);
        }
        return paths;
    }

    QByteArray mapText = "# report board name = file\nACME 7 = acme-rev-c.brd\n";
    QTemporaryDir folders;
    QString reports;
    QString library;
    QString libraryBoard;
    QString older;
    QString newer;
};

TEST_F(UnitScan, OpensTheNewestReportOnTheBoardTheMapNames) {
    ScanSerial(QStringLiteral("SN-1"));
    EXPECT_EQ(QFileInfo(form->Viewer().BoardPath()).canonicalFilePath(),
              QFileInfo(libraryBoard).canonicalFilePath());
    EXPECT_EQ(ShownTested(), "2026-03-04T09:30:00");
    EXPECT_EQ(Faults().Panel().List().LineCount(), 1u);
    EXPECT_EQ(OfferedPaths(), (std::vector<std::string>{newer.toStdString(), older.toStdString()}));
    EXPECT_EQ(form->Repairs().Station().Serial(), "SN-1");
    EXPECT_TRUE(Faults().BoardWarning().isEmpty()) << Faults().BoardWarning().toStdString();
}

TEST_F(UnitScan, TheBoardOpenAlreadyIsNotOpenedAgain) {
    form->OpenChosenFile(libraryBoard);
    QSignalSpy opened(form.get(), &TForm1::BoardOpened);
    ScanSerial(QStringLiteral("SN-1"));
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(ShownTested(), "2026-03-04T09:30:00");
}

TEST_F(UnitScan, AnotherReportOfTheUnitOpensWhenChosen) {
    ScanSerial(QStringLiteral("SN-1"));
    auto* offered = form->findChild<QListWidget*>(QStringLiteral("UnitReports"));
    ASSERT_NE(offered, nullptr);
    ASSERT_EQ(offered->count(), 2);
    EXPECT_EQ(offered->currentRow(), 0);
    emit offered->itemActivated(offered->item(1));
    EXPECT_EQ(ShownTested(), "2026-03-01T08:00:00");
    EXPECT_EQ(offered->currentRow(), 1);
}

TEST_F(UnitScan, ASerialNoReportNamesBecomesTheUnitAndIsSaid) {
    ScanSerial(QStringLiteral("SN-404"));
    EXPECT_EQ(form->Repairs().Station().Serial(), "SN-404");
    EXPECT_EQ(Units().Reports().Note(), "No report in the report folders names SN-404.");
    EXPECT_TRUE(form->Viewer().BoardPath().isEmpty());
    EXPECT_TRUE(OfferedPaths().empty());
}

TEST_F(UnitScan, ABoardNameTheLibraryDoesNotKnowIsSaidWithBoth) {
    Write(reports + QStringLiteral("/SN-2.txt"),
          ListOf("SN-2", "NOPE 9", "2026-03-05T10:00:00", "comp U1 # Analog #1"));
    ASSERT_TRUE(test::WaitUntil([&] { return !Units().Index().ReportsOf("SN-2").empty(); }, 15000));
    test::MessageBoxAnswers answers({QMessageBox::Ok});
    ScanSerial(QStringLiteral("SN-2"));
    EXPECT_EQ(
        answers.OnlyText(),
        QStringLiteral("The board library %1 has no board for NOPE 9, the board that SN-2.txt "
                       "names.")
            .arg(library));
    EXPECT_TRUE(form->Viewer().BoardPath().isEmpty());
    EXPECT_EQ(Faults().Panel().List().LineCount(), 0u);
}

TEST_F(UnitScan, AReportWrittenWhileRunningIsFound) {
    const QString later =
        Write(reports + QStringLiteral("/line 1/SN-3 Prüfung.txt"),
              ListOf("SN-3", "acme-rev-c", "2026-03-06T11:00:00", "open 12 # Open #1"));
    ASSERT_TRUE(test::WaitUntil([&] { return !Units().Index().ReportsOf("SN-3").empty(); }, 15000));
    ScanSerial(QStringLiteral("SN-3"));
    EXPECT_EQ(OfferedPaths(), std::vector<std::string>{later.toStdString()});
    // No mapping for this name: the library's file of that base name.
    EXPECT_EQ(QFileInfo(form->Viewer().BoardPath()).canonicalFilePath(),
              QFileInfo(libraryBoard).canonicalFilePath());
    EXPECT_EQ(ShownTested(), "2026-03-06T11:00:00");
}

class UnitScanWithABadMap : public UnitScan {
protected:
    UnitScanWithABadMap() {
        mapText = "no equals sign here\n = nameless.brd\nACME 7 = gone.brd\n"
                  "ACME 7 = acme-rev-c.brd\n";
    }
};

TEST_F(UnitScanWithABadMap, SkipsItsBadLinesAndSaysThemOnce) {
    test::MessageBoxAnswers answers({QMessageBox::Ok});
    ScanSerial(QStringLiteral("SN-1"));
    ASSERT_EQ(answers.Asked().size(), 1u);
    EXPECT_EQ(answers.OnlyText(),
              QStringLiteral("3 lines of boards.map in %1 were skipped.").arg(library));
    for (const char* line : {"line 1: ", "line 2: ", "line 3: "}) {
        EXPECT_TRUE(answers.Asked().front().Detail.contains(QLatin1String(line)))
            << answers.Asked().front().Detail.toStdString();
    }
    EXPECT_EQ(ShownTested(), "2026-03-04T09:30:00"); // the good line still maps the board
    ScanSerial(QStringLiteral("SN-1")); // no second box: the answers would fail the test
}

// File > Bench Folders... without the environment: what is entered is remembered, and the bench
// reads the new folders at once.
class BenchFoldersWindow : public test::WindowFixture {};

TEST_F(BenchFoldersWindow, RemembersTheFoldersAndReadsThemAtOnce) {
    const QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("share/a")) && root.mkpath(QStringLiteral("lib")));
    QFile report(root.filePath(QStringLiteral("share/a/SN-5.txt")));
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write(ListOf("SN-5", "worked", "2026-04-01T07:00:00", "comp U1 # Analog #1"));
    report.close();
    ASSERT_TRUE(
        QFile::rename(WriteBoard("worked.brd"), root.filePath(QStringLiteral("lib/worked.brd"))));
    const QString share = root.filePath(QStringLiteral("share"));
    const QString lib = root.filePath(QStringLiteral("lib"));
    test::ModalAnswer answer([&](QWidget& window) {
        window.findChild<QPlainTextEdit*>(QStringLiteral("ReportFoldersEdit"))
            ->setPlainText(QStringLiteral("  %1  \n\n%1\n").arg(share));
        window.findChild<QLineEdit*>(QStringLiteral("BoardLibraryEdit"))->setText(lib + u' ');
        window.findChild<QAbstractButton*>(QStringLiteral("OKButton"))->click();
    });
    form->findChild<QAction*>(QStringLiteral("BenchFolders"))->trigger();
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ(StoredBenchFolders(), (BenchFolders{{share}, lib}));
    EXPECT_EQ(form->Units().Index().Folders(), QStringList{share});
    ASSERT_TRUE(form->Units().Index().WaitUntilComplete(15000));
    TypingField& field = form->Repairs().Unit().SerialField();
    QTest::keyClicks(&field, QStringLiteral("SN-5"));
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(QFileInfo(form->Viewer().BoardPath()).fileName(), "worked.brd");
    EXPECT_EQ(form->FaultCommands().Panel().List().LineCount(), 1u);
    StoreBenchFolders({});
}

} // namespace
} // namespace dorvik
