#include "shell/MainWindow.h"

#include "WindowFixture.h"
#include "faults/EntryForms.h"
#include "help/AboutBox.h"
#include "help/HelpForm.h"
#include "shell/ControlsReport.h"
#include "shell/DrawingArea.h"
#include "shell/StartUp.h"
#include "shell/StateReport.h"
#include "shell/StatusPanels.h"
#include "support/BoardText.h"
#include "support/MessageBoxAnswers.h"
#include "support/ModalAnswer.h"
#include "support/NetlistText.h"
#include "support/WindowChecks.h"
#include "view/Workspace.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <tuple>

namespace dorvik {
namespace {

using test::MessageBoxAnswers;
using test::ModalAnswer;

class MainWindowTest : public test::WindowFixture {
protected:
    QString LoadWorkedExample() {
        const QString path = WriteBoard("worked.brd", test::WorkedExample);
        Open(path);
        return path;
    }

    void SendKey(QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers = {},
                 bool autoRepeat = false) {
        QKeyEvent event(type, qtKey, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(form.get(), &event);
    }

    // A key pressed and released in the main window.
    void TypeKey(int qtKey, Qt::KeyboardModifiers modifiers = {}) {
        SendKey(QEvent::KeyPress, qtKey, modifiers);
        SendKey(QEvent::KeyRelease, qtKey, modifiers);
    }

    void ReleaseMouse(Qt::MouseButton button, QPoint at) {
        QMouseEvent release(QEvent::MouseButtonRelease, at, form->Image1().mapToGlobal(at), button,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form->Image1(), &release);
    }

    QToolButton* Button(const char* name) const {
        return form->findChild<QToolButton*>(QLatin1String(name));
    }

    // What a command that must change nothing could change.
    struct Snapshot {
        std::vector<std::string> State;
        std::vector<std::string> Controls;
        std::string Status;
        QImage Picture;

        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot Take() const {
        return {StateLines(form->Work()), ControlsLines(*form), form->Work().Controls.StatusText(),
                form->Picture().copy()};
    }
};

TEST_F(MainWindowTest, StartsWithOnlyFileAndHelpCommandsEnabled) {
    EXPECT_EQ(form->windowTitle(), "Dorvik Drawing Program");
    const std::vector<std::string> expected = {
        "RoateButton enabled=0 caption= colour=#000000",
        "TextButton enabled=0 caption=V colour=#000000",
        "LeftButton enabled=0 caption= colour=#000000",
        "UpButton enabled=0 caption= colour=#000000",
        "DownButton enabled=0 caption= colour=#000000",
        "RightButton enabled=0 caption= colour=#000000",
        "TopButomButton enabled=0 caption=TOP colour=#0000FF",
        "HomeButton enabled=0 caption=HOME colour=#FF0000",
        "File1 enabled=1 caption=&File colour=#000000",
        "OpenFile enabled=1 caption=&Open File colour=#000000",
        "Exit enabled=1 caption=&Exit colour=#000000",
        "Open enabled=0 caption=&Open colour=#000000",
        "Short enabled=0 caption=&Short colour=#000000",
        "Net enabled=0 caption=&Net colour=#000000",
        "Comp enabled=0 caption=&Comp. colour=#000000",
        "Help enabled=1 caption=&Help colour=#000000",
        "ShortCut enabled=1 caption=&ShortCut colour=#000000",
        "About enabled=1 caption=&About colour=#000000",
    };
    EXPECT_EQ(ControlsLines(*form), expected);

    const StatusPanels& status = form->StatusBar1();
    EXPECT_EQ(status.objectName(), "StatusBar1");
    ASSERT_EQ(status.PanelCount(), 2);
    EXPECT_EQ(status.PanelText(0), "Vostrel Dorvik");
    EXPECT_EQ(status.PanelText(1), "Vostrel Corporation");
    EXPECT_EQ(form->Work().Controls.StatusText(), "Vostrel Dorvik");

    // A fresh window: every member zero, the picture cleared (black with a maroon frame).
    const WindowState& s = form->Work().State;
    EXPECT_EQ(s.BoardLoaded, 0);
    EXPECT_EQ(s.DisplayMode, 0);
    EXPECT_EQ(s.Zoom, 0.0f);
    EXPECT_EQ(Text(s.NetText), "");
    const QImage& picture = form->Picture();
    EXPECT_EQ(picture.size(), form->Image1().size());
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0x80, 0, 0));
    EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() / 2), qRgb(0, 0, 0));
}

TEST_F(MainWindowTest, ShowsEveryControlWholeAndApart) {
    // The restored window gives the drawing area its designed size.
    EXPECT_EQ(form->Image1().size(), RestoredDrawingSize);

    // The welcome text and the last status panel show whole in a window as wide as a bench
    // display; in the small restored window they are cut at its edge.
    form->resize(1280, 800);
    ASSERT_TRUE(test::WaitUntil([&] { return form->width() == 1280; }));
    const QStringList toolBar = {
        QStringLiteral("RoateButton"),    QStringLiteral("TextButton"),
        QStringLiteral("LeftButton"),     QStringLiteral("UpButton"),
        QStringLiteral("DownButton"),     QStringLiteral("RightButton"),
        QStringLiteral("TopButomButton"), QStringLiteral("HomeButton"),
        QStringLiteral("Image3"),         QStringLiteral("Panel4"),
    };
    for (const std::string& problem : test::Overlaps(*form, toolBar)) {
        ADD_FAILURE() << problem;
    }
    for (const std::string& problem : test::TextsNotWhole(*form)) {
        ADD_FAILURE() << problem;
    }
    // The status bar's panels are painted, not widgets: each text within its panel.
    const StatusPanels& status = form->StatusBar1();
    EXPECT_EQ(QFontInfo(status.font()).family(), QLatin1String(ProgramFontFamily));
    const QFontMetrics metrics(status.font());
    for (int i = 0; i < status.PanelCount(); ++i) {
        const QRect area = StatusPanels::TextArea(status.PanelBox(i));
        EXPECT_LE(metrics.horizontalAdvance(status.PanelText(i)), area.width()) << i;
        EXPECT_LE(metrics.height(), area.height()) << i;
        EXPECT_LE(area.right(), status.width()) << i;
    }
    // The menu bar and its drop-down menus use the program's font too.
    EXPECT_EQ(QFontInfo(form->menuBar()->font()).family(), QLatin1String(ProgramFontFamily));
    for (QMenu* menu : form->findChildren<QMenu*>()) {
        menu->ensurePolished(); // as before it is shown
        EXPECT_EQ(QFontInfo(menu->font()).family(), QLatin1String(ProgramFontFamily))
            << menu->objectName().toStdString();
    }
    const QFontMetrics menuMetrics(form->menuBar()->font());
    for (QAction* item : form->menuBar()->actions()) {
        QString caption = item->text();
        caption.remove(QLatin1Char('&'));
        EXPECT_LE(menuMetrics.horizontalAdvance(caption),
                  form->menuBar()->actionGeometry(item).width())
            << caption.toStdString();
    }

    const auto* panel4 = form->findChild<QLabel*>(QStringLiteral("Panel4"));
    ASSERT_NE(panel4, nullptr);
    EXPECT_EQ(panel4->text(), "***WELCOME YOU TO VOSTREL DORVIK***");
    EXPECT_FALSE(form->findChild<QLabel*>(QStringLiteral("Image3"))->pixmap().isNull());
    for (const char* glyph :
         {"RoateButton", "LeftButton", "UpButton", "DownButton", "RightButton"}) {
        const QIcon icon = Button(glyph)->icon();
        EXPECT_FALSE(icon.pixmap(16, 16, QIcon::Normal).isNull()) << glyph;
        EXPECT_NE(icon.pixmap(16, 16, QIcon::Normal).toImage(),
                  icon.pixmap(16, 16, QIcon::Disabled).toImage())
            << glyph << ": the disabled look is the strip's second half";
    }
}

TEST_F(MainWindowTest, MenuHintsAreKeptButNotShown) {
    EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("Comp"))->statusTip(),
              "Search Component & Pin Laocation");
    EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("Net"))->statusTip(), "Search  Net Name");
    QStatusTipEvent tip(QStringLiteral("Search Open Link"));
    QCoreApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(form->StatusBar1().PanelText(0), "Vostrel Dorvik");
    EXPECT_TRUE(form->StatusBar1().currentMessage().isEmpty());
}

TEST_F(MainWindowTest, CreatesTheSixSecondaryWindowsHiddenInOrder) {
    CreateSecondaryWindows(*form);
    std::vector<std::string> classes;
    for (const QObject* child : form->children()) {
        const auto* window = qobject_cast<const QWidget*>(child);
        if (window != nullptr && window->isWindow()) {
            EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
            classes.emplace_back(window->metaObject()->className());
        }
    }
    const std::vector<std::string> expected = {"dorvik::TForm2", "dorvik::TForm3",
                                               "dorvik::TForm4", "dorvik::TForm5",
                                               "dorvik::TForm6", "dorvik::TAboutBox"};
    EXPECT_EQ(classes, expected);
}

TEST_F(MainWindowTest, OpenFileLoadsFitsAndDrawsTheBoard) {
    LoadWorkedExample();
    const WindowState& s = form->Work().State;
    EXPECT_EQ(s.BoardLoaded, 1);
    EXPECT_EQ(s.Zoom, 1.0f);
    EXPECT_EQ(s.ViewSide, 1);
    EXPECT_EQ(s.TextFlag, 'N');
    EXPECT_EQ(s.ImageWidth, form->Image1().width());
    EXPECT_EQ(s.ImageHeight, form->Image1().height());
    EXPECT_EQ(board->OutlineCount, 5);
    EXPECT_EQ(board->PartCount, 2);
    EXPECT_EQ(board->PinCount, 5);
    EXPECT_EQ(board->NailCount, 2);
    for (const std::string& line : ControlsLines(*form)) {
        EXPECT_NE(line.find("enabled=1"), std::string::npos) << line;
    }
    // The outline runs along the fitted area's margin, inside the maroon frame.
    const QImage& picture = form->Picture();
    int drawn = 0;
    for (int y = 1; y < picture.height() - 1; ++y) {
        for (int x = 1; x < picture.width() - 1; ++x) {
            drawn += picture.pixel(x, y) != qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 100);
}

TEST_F(MainWindowTest, OpenFileReadsANetlistByItsContent) {
    // The name says board file; the content is a netlist.
    const auto writeText = [&](const char* name, const std::string& text) {
        const QString path = dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    };
    const std::string netlist = test::FeatureLine({"327", "GND", "U1", "1", 1, 0, 0}) +
                                test::FeatureLine({"327", "VCC", "U1", "2", 1, 1000, 0}) +
                                test::FeatureLine({"317", "GND", "J1", "1", 0, 0, 2000, true});
    {
        MessageBoxAnswers none;
        Open(writeText("netlist.brd", netlist));
        EXPECT_TRUE(none.Asked().empty()) << none.OnlyText().toStdString();
    }
    EXPECT_EQ(form->Work().State.BoardLoaded, 1);
    EXPECT_EQ(board->PartCount, 2);
    EXPECT_EQ(board->PinCount, 3);
    EXPECT_EQ(board->NailCount, 1);
    EXPECT_GT(form->Work().State.FitScale, 0.0f);

    // A record that cannot be read: the rest is read and the operator is told once.
    {
        MessageBoxAnswers answer({QMessageBox::Ok});
        Open(writeText("broken.ipc", netlist + "327GND\n"));
        EXPECT_EQ(answer.OnlyText(),
                  "The netlist was read with 1 finding; the first: line 4: record cut short at "
                  "column 6 (the coordinates end at column 57); record skipped");
    }
    EXPECT_EQ(board->PinCount, 3);

    // No pads at all: said so, and the board stays as it was.
    {
        MessageBoxAnswers answer({QMessageBox::Ok});
        Open(writeText("empty.ipc", "C  nothing\nP  UNITS CUST 0\n"));
        EXPECT_EQ(answer.OnlyText(),
                  "The netlist holds no board: line 2: no pads of parts (317, 327 "
                  "or 367 records with a reference designator) in 2 lines");
    }
    EXPECT_EQ(board->PinCount, 3);
}

TEST_F(MainWindowTest, CancelledDialogChangesNothing) {
    const Snapshot before = Take();
    form->SetFileChooser([](QWidget*) { return QString(); });
    MessageBoxAnswers none;
    form->OpenFileClick();
    EXPECT_TRUE(none.Asked().empty());
    EXPECT_EQ(Take(), before);
}

TEST_F(MainWindowTest, CaptionNamesTheLoadedBoard) {
    EXPECT_EQ(form->windowTitle(), "Dorvik Drawing Program");
    LoadWorkedExample();
    EXPECT_EQ(form->windowTitle(), "worked.brd - Dorvik Drawing Program");
}

TEST_F(MainWindowTest, OpensAWriteProtectedFile) {
    const QString path = WriteBoard("protected.brd", test::WorkedExample);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    // A root user may still write to it; a write-protected directory entry is what an operator
    // without root meets, and a file opened for writing would fail there.
    const bool canWrite = ::access(QFile::encodeName(path).constData(), W_OK) == 0;
    MessageBoxAnswers none;
    Open(path);
    EXPECT_TRUE(none.Asked().empty()) << none.OnlyText().toStdString();
    EXPECT_EQ(board->PartCount, 2) << (canWrite ? "as root" : "as a user");
    EXPECT_EQ(form->Work().State.BoardLoaded, 1);
}

// Paths that cannot be opened for reading, each with the reason the operator is given.
std::vector<std::tuple<std::string, QString, QString>> UnopenablePaths(const QTemporaryDir& dir) {
    std::vector<std::tuple<std::string, QString, QString>> paths = {
        {"missing", dir.filePath(QStringLiteral("missing.brd")),
         QStringLiteral("No such file or directory")},
        {"directory", dir.path(), QStringLiteral("not a regular file")},
        {"device", QStringLiteral("/dev/zero"), QStringLiteral("not a regular file")},
        {"embedded zero", dir.filePath(QStringLiteral("a")) + QChar(u'\0'),
         QStringLiteral("not a valid file name")},
    };
    const QString fifo = dir.filePath(QStringLiteral("pipe.brd"));
    if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0) {
        // Without a writer, a pipe would keep an open for reading waiting for ever.
        paths.emplace_back("named pipe", fifo, QStringLiteral("not a regular file"));
    }
    const QString unreadable = dir.filePath(QStringLiteral("unreadable.brd"));
    QFile file(unreadable);
    if (::geteuid() != 0 && file.open(QIODevice::WriteOnly)) {
        file.write(test::Encode(test::WorkedExample).c_str());
        file.close();
        file.setPermissions(QFile::WriteOwner);
        paths.emplace_back("read-protected", unreadable, QStringLiteral("Permission denied"));
    }
    return paths;
}

TEST_F(MainWindowTest, FailedOpenNamesTheFileAndTheReasonAndChangesNothing) {
    const auto paths = UnopenablePaths(dir);
    for (int round = 0; round < 2; ++round) {
        if (round == 1) {
            LoadWorkedExample(); // the commands stay enabled and the board stays drawn
        }
        for (const auto& [what, path, reason] : paths) {
            const Snapshot before = Take();
            const QString title = form->windowTitle();
            MessageBoxAnswers answer({QMessageBox::Ok});
            Open(path);
            ASSERT_EQ(answer.Asked().size(), 1u) << what;
            EXPECT_EQ(answer.Asked()[0].Text, "CAN NOT OPEN VOSTREL.BRD FILE") << what;
            EXPECT_EQ(answer.Asked()[0].Detail, path + '\n' + reason) << what;
            EXPECT_TRUE(Take() == before) << what << " in round " << round;
            EXPECT_EQ(form->windowTitle(), title) << what;
        }
    }
}

TEST_F(MainWindowTest, AFileWithoutBoardDataIsNamedAfterTheRead) {
    struct Case {
        const char* Name;
        std::string Stored;
    };
    const Case cases[] = {
        {"readme.brd", test::Encode("Dorvik\n======\nA board viewer.\n")},
        {"random.brd", std::string("\x13\x9c\x00\xf1\x42\x07\xee\x81\n\x05", 10)},
        {"empty.brd", std::string()},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QLatin1String(c.Name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.Stored.data(), static_cast<qint64>(c.Stored.size()));
        file.close();
        MessageBoxAnswers answer({QMessageBox::Ok});
        Open(path);
        EXPECT_EQ(answer.OnlyText(), path + " holds no board data.") << c.Name;
        // What the read did stays: the board counts as loaded, with empty tables.
        EXPECT_EQ(form->Work().State.BoardLoaded, 1) << c.Name;
        EXPECT_EQ(board->PartCount, 0) << c.Name;
    }
}

TEST_F(MainWindowTest, AReadErrorNamesTheFileAndTheReason) {
    // Reading the program's own memory from its start fails with an input/output error.
    const QString path = QStringLiteral("/proc/self/mem");
    MessageBoxAnswers answer({QMessageBox::Ok});
    Open(path);
    EXPECT_EQ(answer.OnlyText(), "Cannot read /proc/self/mem: Input/output error. The board "
                                 "shows what was read before.");
    EXPECT_EQ(form->Work().State.BoardLoaded, 1);
}

TEST_F(MainWindowTest, OpenFileDialogOffersBoardFilesFirst) {
    QStringList filters;
    QString family;
    {
        ModalAnswer dialog([&](QWidget& window) {
            if (auto* chooser = qobject_cast<QFileDialog*>(&window)) {
                filters = chooser->nameFilters();
                family = QFontInfo(chooser->font()).family();
            }
            window.close();
        });
        MessageBoxAnswers none;
        form->findChild<QAction*>(QStringLiteral("OpenFile"))->trigger();
        EXPECT_TRUE(dialog.Answered());
    }
    EXPECT_EQ(filters, BoardFileFilters());
    EXPECT_EQ(family, QLatin1String(ProgramFontFamily));
    EXPECT_EQ(BoardFileFilters(),
              (QStringList{QStringLiteral("Board files (*.brd *.BRD)"),
                           QStringLiteral("IPC-D-356 netlists (*.ipc *.d356 *.356)"),
                           QStringLiteral("All files (*)")}));
}

TEST_F(MainWindowTest, ExitAsksFirst) {
    LoadWorkedExample();
    const Snapshot before = Take();
    {
        MessageBoxAnswers cancel({QMessageBox::Cancel});
        form->findChild<QAction*>(QStringLiteral("Exit"))->trigger();
        ASSERT_EQ(cancel.Asked().size(), 1u);
        EXPECT_EQ(cancel.Asked()[0].Text, "Are you sure to exit?");
        EXPECT_EQ(cancel.Asked()[0].Buttons, QMessageBox::Ok | QMessageBox::Cancel);
        EXPECT_EQ(cancel.Asked()[0].Default, QMessageBox::Ok);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(Take() == before);

    MessageBoxAnswers ok({QMessageBox::Ok});
    TypeKey(Qt::Key_E);
    EXPECT_EQ(ok.OnlyText(), "Are you sure to exit?");
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, TheCloseBoxAsksFirst) {
    {
        MessageBoxAnswers cancel({QMessageBox::Cancel});
        EXPECT_FALSE(form->close());
        EXPECT_EQ(cancel.OnlyText(), "Are you sure to exit?");
        EXPECT_TRUE(form->isVisible());
    }
    MessageBoxAnswers ok({QMessageBox::Ok});
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ok.OnlyText(), "Are you sure to exit?");
    EXPECT_FALSE(form->isVisible());
}

// The keyboard's Esc first closes something else; its release then comes to the main window,
// which had no press of it and must do nothing.
TEST_F(MainWindowTest, TheReleaseOfAnEscThatClosedTheFileMenuDoesNothing) {
    auto* file = form->findChild<QMenu*>(QStringLiteral("File1"));
    ASSERT_NE(file, nullptr);
    file->popup(form->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(test::WaitUntil([&] { return file->isVisible(); }));
    MessageBoxAnswers none;
    QTest::keyPress(file, Qt::Key_Escape);
    ASSERT_TRUE(test::WaitUntil([&] { return !file->isVisible(); }));
    SendKey(QEvent::KeyRelease, Qt::Key_Escape);
    EXPECT_TRUE(none.Asked().empty()) << none.OnlyText().toStdString();
}

TEST_F(MainWindowTest, TheReleaseOfAnEscThatCancelledTheOpenFileDialogDoesNothing) {
    MessageBoxAnswers none;
    {
        ModalAnswer dialog([](QWidget& window) { QTest::keyPress(&window, Qt::Key_Escape); });
        form->findChild<QAction*>(QStringLiteral("OpenFile"))->trigger();
        ASSERT_TRUE(dialog.Answered());
        EXPECT_EQ(dialog.ClassName(), "QFileDialog");
    }
    SendKey(QEvent::KeyRelease, Qt::Key_Escape);
    EXPECT_TRUE(none.Asked().empty()) << none.OnlyText().toStdString();
    EXPECT_EQ(form->Work().State.BoardLoaded, 0);
}

TEST_F(MainWindowTest, EscClosesTheExitQuestionForGood) {
    test::RealMessageBoxes real;
    {
        // Esc in the question closes it on the press: Cancel.
        ModalAnswer question([](QWidget& box) { QTest::keyPress(&box, Qt::Key_Escape); });
        TypeKey(Qt::Key_E);
        ASSERT_TRUE(question.Answered());
        EXPECT_EQ(question.Text(), "Are you sure to exit?");
    }
    EXPECT_TRUE(form->isVisible());
    // Its release comes to the main window; the question must not come back.
    ModalAnswer again(ModalAnswer::Press(QMessageBox::Cancel));
    SendKey(QEvent::KeyRelease, Qt::Key_Escape);
    test::WaitUntil([&] { return again.Answered(); }, 200);
    EXPECT_FALSE(again.Answered()) << again.Text().toStdString();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(MainWindowTest, ResizeRedrawsAtTheNewSizeWithTheFitOfTheLastLoad) {
    LoadWorkedExample();
    const WindowState fitted = form->Work().State;
    const QSize larger = form->Image1().size() + QSize(200, 100);
    form->resize(form->size() + QSize(200, 100));
    ASSERT_TRUE(test::WaitUntil([&] { return form->Picture().size() == larger; }));

    const WindowState& s = form->Work().State;
    EXPECT_EQ(s.ImageWidth, fitted.ImageWidth);
    EXPECT_EQ(s.ImageHeight, fitted.ImageHeight);
    EXPECT_EQ(s.FitScale, fitted.FitScale);
    EXPECT_EQ(s.CentreX, fitted.CentreX);
    // A fresh picture: the frame runs along the new edges, nothing is left of the old ones.
    const QImage& picture = form->Picture();
    EXPECT_EQ(picture.pixel(larger.width() - 1, larger.height() - 1), qRgb(0x80, 0, 0));
    EXPECT_EQ(picture.pixel(fitted.ImageWidth - 1, 5), qRgb(0, 0, 0));
    EXPECT_EQ(form->Image1().size(), larger);
}

TEST_F(MainWindowTest, KeysActOnReleaseOnceWhateverTheModifiers) {
    LoadWorkedExample();
    SendKey(QEvent::KeyPress, Qt::Key_Space);
    EXPECT_EQ(form->Work().State.ViewSide, 1) << "a press does nothing";
    SendKey(QEvent::KeyPress, Qt::Key_Space, {}, /*autoRepeat=*/true);
    SendKey(QEvent::KeyRelease, Qt::Key_Space, {}, /*autoRepeat=*/true);
    EXPECT_EQ(form->Work().State.ViewSide, 1) << "a held key does not repeat";
    SendKey(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(form->Work().State.ViewSide, -1);
    EXPECT_EQ(Button("TopButomButton")->text(), "BOT");

    TypeKey(Qt::Key_V, Qt::ShiftModifier);
    EXPECT_EQ(form->Work().State.TextFlag, 'Y');
    TypeKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->Work().State.TextFlag, 'N');

    TypeKey(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(form->Work().State.Zoom, 2.0f);
    TypeKey(Qt::Key_Minus);
    EXPECT_EQ(form->Work().State.Zoom, 1.0f);
}

TEST_F(MainWindowTest, AReleaseWithoutItsPressDoesNothing) {
    LoadWorkedExample();
    const Snapshot before = Take();
    MessageBoxAnswers none;
    for (const int key : {Qt::Key_Space, Qt::Key_V, Qt::Key_Escape, Qt::Key_E, Qt::Key_Plus}) {
        SendKey(QEvent::KeyRelease, key);
    }
    // A press is used up by its release.
    TypeKey(Qt::Key_Space);
    SendKey(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(form->Work().State.ViewSide, -1);
    TypeKey(Qt::Key_Space);
    EXPECT_TRUE(Take() == before);
    // Keys held while the window loses the keyboard are released elsewhere.
    SendKey(QEvent::KeyPress, Qt::Key_V);
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(form.get(), &deactivate);
    SendKey(QEvent::KeyRelease, Qt::Key_V);
    EXPECT_TRUE(Take() == before);
    EXPECT_TRUE(none.Asked().empty()) << none.OnlyText().toStdString();
}

TEST_F(MainWindowTest, AnErrorInACommandIsShownAndTheProgramGoesOn) {
    // Before any board the zoom is 0, and a zoom step divides by it.
    const Snapshot before = Take();
    {
        MessageBoxAnswers answer({QMessageBox::Ok});
        TypeKey(Qt::Key_Plus, Qt::KeypadModifier);
        const QString text = answer.OnlyText();
        EXPECT_TRUE(text.contains("Invalid floating point operation") ||
                    text.contains("Floating point division by zero"))
            << text.toStdString();
        ASSERT_FALSE(answer.Asked().empty());
        EXPECT_EQ(answer.Asked()[0].Icon, QMessageBox::Critical);
    }
    EXPECT_TRUE(Take() == before);

    // The key R reads its glyph from the current directory, which has none here.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    MessageBoxAnswers answer({QMessageBox::Ok});
    TypeKey(Qt::Key_R);
    QDir::setCurrent(previous);
    EXPECT_EQ(answer.OnlyText(), "Cannot open file arrow1l.bmp");
    EXPECT_EQ(form->Work().Rotation, 1);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(MainWindowTest, RotateButtonLoadsItsGlyphFromTheDataDirectory) {
    LoadWorkedExample();
    const qint64 before = Button("RoateButton")->icon().cacheKey();
    MessageBoxAnswers none;
    Button("RoateButton")->click();
    EXPECT_TRUE(none.Asked().empty()) << none.OnlyText().toStdString();
    EXPECT_EQ(form->Work().Rotation, 1);
    EXPECT_NE(Button("RoateButton")->icon().cacheKey(), before);
}

TEST_F(MainWindowTest, MouseReleasesReachTheDrawingArea) {
    ReleaseMouse(Qt::RightButton, {17, 23}); // no board: only the pixel is stored
    EXPECT_EQ(form->Work().State.ClickX, 17);
    EXPECT_EQ(form->Work().State.ClickY, 23);
    EXPECT_EQ(form->Work().State.Zoom, 0.0f);
    ReleaseMouse(Qt::MiddleButton, {5, 6});
    EXPECT_EQ(form->Work().State.Zoom, 1.0f);

    LoadWorkedExample();
    const QPoint at(form->Work().State.CentreX + 40, form->Work().State.CentreY);
    ReleaseMouse(Qt::LeftButton, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, form->Image1().mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form->Image1(), &twice);
    EXPECT_EQ(form->Work().State.Zoom, 2.0f);
    EXPECT_EQ(form->Work().State.PanX, -40) << "zoomed about the released pixel";
}

} // namespace
} // namespace dorvik
