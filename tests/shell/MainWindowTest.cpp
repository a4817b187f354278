#include "shell/MainWindow.h"

#include "ModalAnswer.h"
#include "faults/EntryForms.h"
#include "help/AboutBox.h"
#include "help/HelpForm.h"
#include "shell/ControlsReport.h"
#include "shell/DrawingArea.h"
#include "shell/StartUp.h"
#include "shell/StateReport.h"
#include "shell/StatusPanels.h"
#include "support/BoardText.h"
#include "support/NetlistText.h"
#include "view/Workspace.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace dorvik {
namespace {

using test::ModalAnswer;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<TForm1>(*board, QStringLiteral(DORVIK_SOURCE_DIR "/data/"));
        form->show();
        ASSERT_TRUE(test::WaitUntil([&] { return form->isVisible(); }));
    }

    QString WriteBoard(const char* name, std::string_view plain) const {
        const QString path = dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string stored = test::Encode(plain);
        file.write(stored.data(), static_cast<qint64>(stored.size()));
        return path;
    }

    // File > Open File with `path` chosen in the dialog.
    void Open(const QString& path) {
        form->SetFileChooser([path](QWidget*) { return path; });
        form->findChild<QAction*>(QStringLiteral("OpenFile"))->trigger();
    }

    QString LoadWorkedExample() {
        const QString path = WriteBoard("worked.brd", test::WorkedExample);
        Open(path);
        return path;
    }

    void ReleaseKey(int qtKey, Qt::KeyboardModifiers modifiers = {}, bool autoRepeat = false) {
        QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(form.get(), &release);
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

    QTemporaryDir dir;
    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    std::unique_ptr<TForm1> form;
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
    EXPECT_EQ(status.PanelWidth(0), 820);
    EXPECT_EQ(status.PanelWidth(1), 100);
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

TEST_F(MainWindowTest, LaysOutTheToolBarAsDesigned) {
    struct Placed {
        const char* Name;
        QRect Geometry;
    };
    const Placed controls[] = {
        {"RoateButton", {5, 4, 32, 29}},      {"TextButton", {46, 4, 30, 29}},
        {"LeftButton", {88, 8, 18, 22}},      {"UpButton", {103, 3, 22, 17}},
        {"DownButton", {104, 20, 21, 16}},    {"RightButton", {123, 8, 18, 22}},
        {"TopButomButton", {157, 4, 53, 30}}, {"HomeButton", {221, 4, 58, 30}},
        {"Image3", {288, 2, 132, 34}},
    };
    const auto* panel3 = form->findChild<QWidget*>(QStringLiteral("Panel3"));
    ASSERT_NE(panel3, nullptr);
    EXPECT_EQ(panel3->size(), QSize(424, 38));
    for (const Placed& c : controls) {
        const auto* control = panel3->findChild<QWidget*>(QLatin1String(c.Name));
        ASSERT_NE(control, nullptr) << c.Name;
        EXPECT_EQ(control->geometry(), c.Geometry) << c.Name;
    }
    EXPECT_FALSE(panel3->findChild<QLabel*>(QStringLiteral("Image3"))->pixmap().isNull());

    struct Caption {
        const char* Name;
        int PixelSize;
    };
    for (const Caption& c :
         {Caption{"TextButton", 23}, Caption{"TopButomButton", 20}, Caption{"HomeButton", 17}}) {
        EXPECT_EQ(Button(c.Name)->font().pixelSize(), c.PixelSize) << c.Name;
        EXPECT_TRUE(Button(c.Name)->font().bold()) << c.Name;
    }
    for (const char* glyph :
         {"RoateButton", "LeftButton", "UpButton", "DownButton", "RightButton"}) {
        const QIcon icon = Button(glyph)->icon();
        EXPECT_FALSE(icon.pixmap(16, 16, QIcon::Normal).isNull()) << glyph;
        EXPECT_NE(icon.pixmap(16, 16, QIcon::Normal).toImage(),
                  icon.pixmap(16, 16, QIcon::Disabled).toImage())
            << glyph << ": the disabled look is the strip's second half";
    }

    const auto* panel4 = form->findChild<QLabel*>(QStringLiteral("Panel4"));
    ASSERT_NE(panel4, nullptr);
    EXPECT_EQ(panel4->geometry(), QRect(424, 2, 569, 38));
    EXPECT_EQ(panel4->text(), "***WELCOME YOU TO VOSTREL DORVIK***");
    EXPECT_EQ(panel4->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
    EXPECT_EQ(panel4->font().pixelSize(), 20);

    EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("ToolBar1"))->height(), 43);
    EXPECT_EQ(form->StatusBar1().height(), 21);
    EXPECT_EQ(form->StatusBar1().font().pixelSize(), 15);
    EXPECT_EQ(form->StatusBar1().palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
    // The restored window gives the drawing area its designed size.
    EXPECT_EQ(form->Image1().size(), RestoredDrawingSize);
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
        ModalAnswer unexpected(ModalAnswer::Press(QMessageBox::Ok));
        Open(writeText("netlist.brd", netlist));
        EXPECT_FALSE(unexpected.Answered());
    }
    EXPECT_EQ(form->Work().State.BoardLoaded, 1);
    EXPECT_EQ(board->PartCount, 2);
    EXPECT_EQ(board->PinCount, 3);
    EXPECT_EQ(board->NailCount, 1);
    EXPECT_GT(form->Work().State.FitScale, 0.0f);

    // A record that cannot be read: the rest is read and the operator is told once.
    {
        ModalAnswer answer(ModalAnswer::Press(QMessageBox::Ok));
        Open(writeText("broken.ipc", netlist + "327GND\n"));
        EXPECT_TRUE(answer.Answered());
        EXPECT_EQ(answer.Text(),
                  "The netlist was read with 1 finding; the first: line 4: record cut short at "
                  "column 6 (the coordinates end at column 57); record skipped");
    }
    EXPECT_EQ(board->PinCount, 3);

    // No pads at all: said so, and the board stays as it was.
    {
        ModalAnswer answer(ModalAnswer::Press(QMessageBox::Ok));
        Open(writeText("empty.ipc", "C  nothing\nP  UNITS CUST 0\n"));
        EXPECT_TRUE(answer.Answered());
        EXPECT_EQ(answer.Text(), "The netlist holds no board: line 2: no pads of parts (317, 327 "
                                 "or 367 records with a reference designator) in 2 lines");
    }
    EXPECT_EQ(board->PinCount, 3);
}

TEST_F(MainWindowTest, CancelledDialogChangesNothing) {
    const Snapshot before = Take();
    form->SetFileChooser([](QWidget*) { return QString(); });
    ModalAnswer unexpected(ModalAnswer::Press(QMessageBox::Ok));
    form->OpenFileClick();
    EXPECT_FALSE(unexpected.Answered());
    EXPECT_EQ(Take(), before);
}

// Paths that cannot be opened for reading and updating, each made real for the user the tests
// run as: a root user may write to any file, but not to a directory or to a running program.
std::vector<std::pair<std::string, QString>> UnopenablePaths(const QTemporaryDir& dir) {
    std::vector<std::pair<std::string, QString>> paths = {
        {"missing", dir.filePath(QStringLiteral("missing.brd"))},
        {"directory", dir.path()},
        {"program being run", QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))},
    };
    const QString readOnly = dir.filePath(QStringLiteral("read-only.brd"));
    QFile file(readOnly);
    if (::geteuid() != 0 && file.open(QIODevice::WriteOnly)) {
        file.write(test::Encode(test::WorkedExample).c_str());
        file.close();
        file.setPermissions(QFile::ReadOwner);
        paths.emplace_back("write-protected", readOnly);
    }
    const QString fifo = dir.filePath(QStringLiteral("pipe.brd"));
    if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0) {
        paths.emplace_back("named pipe", fifo); // opens for update, but would never end
    }
    paths.emplace_back("device", QStringLiteral("/dev/zero"));
    paths.emplace_back("embedded zero", dir.filePath(QStringLiteral("a")) + QChar(u'\0'));
    return paths;
}

TEST_F(MainWindowTest, FailedOpenShowsTheMessageAndChangesNothing) {
    const auto paths = UnopenablePaths(dir);
    for (int round = 0; round < 2; ++round) {
        if (round == 1) {
            LoadWorkedExample(); // the commands stay enabled and the board stays drawn
        }
        for (const auto& [what, path] : paths) {
            const Snapshot before = Take();
            ModalAnswer answer(ModalAnswer::Press(QMessageBox::Ok));
            Open(path);
            EXPECT_TRUE(answer.Answered()) << what;
            EXPECT_EQ(answer.Text(), "CAN NOT OPEN VOSTREL.BRD FILE") << what;
            EXPECT_EQ(answer.Title(), "Dorvik") << what;
            EXPECT_TRUE(Take() == before) << what << " in round " << round;
        }
    }
}

TEST_F(MainWindowTest, ExitAsksFirst) {
    LoadWorkedExample();
    const Snapshot before = Take();
    {
        ModalAnswer cancel(ModalAnswer::Press(QMessageBox::Cancel));
        form->findChild<QAction*>(QStringLiteral("Exit"))->trigger();
        EXPECT_EQ(cancel.Text(), "Are you sure to exit?");
        EXPECT_EQ(cancel.Title(), "Dorvik");
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(Take() == before);

    ModalAnswer ok(ModalAnswer::Press(QMessageBox::Ok));
    ReleaseKey(Qt::Key_E);
    EXPECT_TRUE(ok.Answered());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, TheCloseBoxEndsWithoutAQuestion) {
    ModalAnswer unexpected(ModalAnswer::Press(QMessageBox::Cancel));
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(unexpected.Answered());
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
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &press);
    EXPECT_EQ(form->Work().State.ViewSide, 1) << "a press does nothing";

    ReleaseKey(Qt::Key_Space, {}, /*autoRepeat=*/true);
    EXPECT_EQ(form->Work().State.ViewSide, 1) << "a held key does not repeat";

    ReleaseKey(Qt::Key_Space);
    EXPECT_EQ(form->Work().State.ViewSide, -1);
    EXPECT_EQ(Button("TopButomButton")->text(), "BOT");

    ReleaseKey(Qt::Key_V, Qt::ShiftModifier);
    EXPECT_EQ(form->Work().State.TextFlag, 'Y');
    ReleaseKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->Work().State.TextFlag, 'N');

    ReleaseKey(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(form->Work().State.Zoom, 2.0f);
    ReleaseKey(Qt::Key_Minus);
    EXPECT_EQ(form->Work().State.Zoom, 1.0f);
}

TEST_F(MainWindowTest, AnErrorInACommandIsShownAndTheProgramGoesOn) {
    // Before any board the zoom is 0, and a zoom step divides by it.
    const Snapshot before = Take();
    {
        ModalAnswer answer(ModalAnswer::Press(QMessageBox::Ok));
        ReleaseKey(Qt::Key_Plus, Qt::KeypadModifier);
        EXPECT_TRUE(answer.Answered());
        EXPECT_EQ(answer.Title(), "Dorvik");
        EXPECT_TRUE(answer.Text().contains("Invalid floating point operation") ||
                    answer.Text().contains("Floating point division by zero"))
            << answer.Text().toStdString();
    }
    EXPECT_TRUE(Take() == before);

    // The key R reads its glyph from the current directory, which has none here.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    ModalAnswer answer(ModalAnswer::Press(QMessageBox::Ok));
    ReleaseKey(Qt::Key_R);
    QDir::setCurrent(previous);
    EXPECT_EQ(answer.Text(), "Cannot open file arrow1l.bmp");
    EXPECT_EQ(form->Work().Rotation, 1);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(MainWindowTest, RotateButtonLoadsItsGlyphFromTheDataDirectory) {
    LoadWorkedExample();
    const qint64 before = Button("RoateButton")->icon().cacheKey();
    ModalAnswer unexpected(ModalAnswer::Press(QMessageBox::Ok));
    Button("RoateButton")->click();
    EXPECT_FALSE(unexpected.Answered()) << unexpected.Text().toStdString();
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
