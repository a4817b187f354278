// The viewer's conveniences through the real main window: the wheel, dragging the picture, the
// search field, the View and File items, dropped files and the remembered recent boards.

#include "shell/MainWindow.h"

#include "WindowFixture.h"
#include "shell/DrawingArea.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/FindField.h"
#include "shell/Remembered.h"
#include "shell/ViewerExtensions.h"
#include "support/BoardText.h"
#include "support/MessageBoxAnswers.h"
#include "support/ModalAnswer.h"
#include "view/Workspace.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace dorvik {
namespace {

using test::MessageBoxAnswers;
using test::ModalAnswer;

class ViewerWindowTest : public test::WindowFixture {
protected:
    // Starts with nothing remembered from earlier runs.
    void SetUp() override {
        QSettings(QStringLiteral("Dorvik"), QStringLiteral("Dorvik")).clear();
        WindowFixture::SetUp();
    }

    QAction* Item(const char* name) const {
        for (QAction* item : form->Viewer().MenuActions()) {
            if (item->objectName() == QLatin1String(name)) {
                return item;
            }
        }
        return nullptr;
    }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, at, form->Image1().mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&form->Image1(), &event);
    }

    void Wheel(QPoint at, int delta) {
        QWheelEvent event(at, form->Image1().mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&form->Image1(), &event);
    }

    // A key typed into the search field: press with its text, then release.
    void Type(FindField& field, int key, const QString& text = {}) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier, text);
            QCoreApplication::sendEvent(&field, &event);
        }
    }

    void TypeText(FindField& field, const QString& text) {
        for (const QChar c : text) {
            Type(field, c.toUpper().unicode(), QString(c));
        }
    }

    WindowState& State() const { return form->Work().State; }
};

TEST_F(ViewerWindowTest, WheelZoomsAboutThePointerOnlyWithABoard) {
    Wheel({100, 80}, 120);
    EXPECT_EQ(State().Zoom, 0.0f); // no board: nothing, and no error box
    Open(WriteBoard("worked.brd"));
    Wheel({100, 80}, 120);
    EXPECT_EQ(State().Zoom, 2.0f);
    // A touchpad's small deltas make a notch once they add up to one.
    Wheel({100, 80}, -60);
    EXPECT_EQ(State().Zoom, 2.0f);
    Wheel({100, 80}, -60);
    EXPECT_EQ(State().Zoom, 1.0f);
    EXPECT_EQ(State().PanX, 0);
    EXPECT_EQ(State().PanY, 0);
}

TEST_F(ViewerWindowTest, DragPansAndItsReleaseIsNoClick) {
    Open(WriteBoard("worked.brd"));
    State().ClickX = 7;
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, {100, 100});
    Mouse(QEvent::MouseMove, Qt::LeftButton, {130, 110});
    EXPECT_EQ(State().PanX, 30); // redrawn as it moves
    Mouse(QEvent::MouseMove, Qt::LeftButton, {160, 90});
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {160, 90});
    EXPECT_EQ(State().PanX, 60);
    EXPECT_EQ(State().PanY, -10);
    EXPECT_EQ(State().ClickX, 7); // the release was no click

    // A press and release that hardly moved stays the click it always was.
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, {200, 120});
    Mouse(QEvent::MouseMove, Qt::LeftButton, {202, 121});
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {202, 121});
    EXPECT_EQ(State().ClickX, 202);
    EXPECT_EQ(State().ClickY, 121);
    EXPECT_EQ(State().PanX, 60);
}

TEST_F(ViewerWindowTest, TypingInTheSearchFieldNeverReachesTheKeyTable) {
    Open(WriteBoard("worked.brd"));
    FindField& field = form->Viewer().Find();
    // O would open the Open window, E and Esc ask to exit, Space turns the board over.
    ModalAnswer answer([](QWidget& window) { window.close(); });
    field.Activate();
    TypeText(field, QStringLiteral("oe "));
    Type(field, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(answer.Answered()) << answer.ClassName().toStdString();
    EXPECT_EQ(State().ViewSide, 1);
    EXPECT_EQ(field.text(), QStringLiteral("oe "));
}

TEST_F(ViewerWindowTest, FindOffersNamesAndShowsAPartOrANet) {
    Open(WriteBoard("worked.brd"));
    FindField& field = form->Viewer().Find();
    field.Activate();
    TypeText(field, QStringLiteral("u"));
    QCompleter* completer = field.findChild<QCompleter*>();
    ASSERT_NE(completer, nullptr);
    EXPECT_EQ(completer->model()->rowCount(), 1);
    EXPECT_EQ(completer->model()->index(0, 0).data().toString(), QStringLiteral("U1"));
    TypeText(field, QStringLiteral("1"));
    Type(field, Qt::Key_Return);
    EXPECT_EQ(State().DisplayMode, CompDisplay);
    EXPECT_EQ(Text(State().CompText1), ",U1,");
    EXPECT_EQ(Text(State().CompText2), ",,");

    field.Activate();
    TypeText(field, QStringLiteral("gnd"));
    Type(field, Qt::Key_Return);
    EXPECT_EQ(State().DisplayMode, NetDisplay);
    EXPECT_EQ(Text(State().NetText), ",GND,");

    field.Activate();
    TypeText(field, QStringLiteral("X9"));
    Type(field, Qt::Key_Return);
    EXPECT_EQ(State().DisplayMode, NetDisplay); // unchanged
    EXPECT_EQ(form->Work().Controls.StatusText(), "Not found: X9");
}

TEST_F(ViewerWindowTest, NewItemsWaitForABoard) {
    for (const char* name : {"Find", "FitBoard", "ZoomToMarks"}) {
        ASSERT_NE(Item(name), nullptr) << name;
        EXPECT_FALSE(Item(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(form->Viewer().Find().isEnabled());
    for (const char* name : {"SavePicture", "Print", "RecentBoards"}) {
        ASSERT_NE(Item(name), nullptr) << name;
        EXPECT_TRUE(Item(name)->isEnabled()) << name;
    }
    Open(WriteBoard("worked.brd"));
    for (const char* name : {"Find", "FitBoard", "ZoomToMarks"}) {
        EXPECT_TRUE(Item(name)->isEnabled()) << name;
    }
}

TEST_F(ViewerWindowTest, FitBoardFitsTheResizedAreaAndZoomToMarksFindsThem) {
    Open(WriteBoard("worked.brd"));
    const QSize first = form->Picture().size();
    form->resize(form->size() + QSize(-200, -100));
    ASSERT_TRUE(test::WaitUntil([&] { return form->Picture().size() != first; }));
    EXPECT_EQ(State().ImageWidth, first.width()); // a resize alone keeps the old fit
    Item("FitBoard")->trigger();
    EXPECT_EQ(State().ImageWidth, form->Picture().width());
    EXPECT_EQ(State().ImageHeight, form->Picture().height());
    EXPECT_EQ(State().Zoom, 1.0f);

    Item("ZoomToMarks")->trigger(); // nothing marked
    EXPECT_EQ(State().Zoom, 1.0f);
    FindField& field = form->Viewer().Find();
    field.Activate();
    TypeText(field, QStringLiteral("GND"));
    Type(field, Qt::Key_Return);
    Item("ZoomToMarks")->trigger();
    EXPECT_GT(State().Zoom, 1.0f);
}

TEST_F(ViewerWindowTest, ADroppedBoardOpensAsOpenFileDoes) {
    const QString path = WriteBoard("dropped.brd");
    const auto dropFile = [&](const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &drop);
    };
    dropFile(path);
    EXPECT_EQ(State().BoardLoaded, 1);
    EXPECT_EQ(form->Work().Board.PartCount, 2);
    EXPECT_EQ(RecentBoards(), QStringList{path});

    // A fault list dropped on the window is read as File > Open Report reads it; the board stays.
    const QString list = dir.filePath(QStringLiteral("faults.txt"));
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("net GND # dropped\nopen 1 2\n");
    file.close();
    dropFile(list);
    EXPECT_EQ(form->FaultCommands().Panel().List().LineCount(), 2u);
    EXPECT_EQ(RecentBoards(), QStringList{path});
    EXPECT_EQ(form->Work().Board.PartCount, 2);
}

TEST_F(ViewerWindowTest, RecentBoardsKeepTheLastEightThatStillExist) {
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths << WriteBoard(QStringLiteral("b%1.brd").arg(i).toLatin1().constData());
        Open(paths.back());
    }
    Open(paths[3]); // again: to the front, once
    QStringList expected{paths[3], paths[9], paths[8], paths[7],
                         paths[6], paths[5], paths[4], paths[2]};
    EXPECT_EQ(RecentBoards(), expected);

    QFile::remove(paths[9]);
    expected.removeAll(paths[9]);
    EXPECT_EQ(RecentBoards(), expected);
    EXPECT_EQ(QSettings(QStringLiteral("Dorvik"), QStringLiteral("Dorvik"))
                  .value(QStringLiteral("RecentBoards"))
                  .toStringList(),
              expected); // the missing one is gone from the settings too

    // The submenu lists them; choosing Recent Boards itself reopens the newest.
    QMenu* menu = Item("RecentBoards")->menu();
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), expected.size());
    EXPECT_EQ(menu->actions()[1]->text(), expected[1]);
    menu->actions()[1]->trigger();
    EXPECT_EQ(RecentBoards().first(), expected[1]);
    Item("RecentBoards")->trigger();
    EXPECT_EQ(RecentBoards().first(), expected[1]);
}

TEST_F(ViewerWindowTest, SavePictureWritesThePictureWithItsCaption) {
    Open(WriteBoard("worked.brd"));
    const QString png = dir.filePath(QStringLiteral("ticket.png"));
    form->Viewer().SetSaveChooser([&](QWidget*) { return png; });
    Item("SavePicture")->trigger();
    const QImage saved(png);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), form->Picture().size() + QSize(0, 24));
    EXPECT_EQ(saved.pixel(0, 0), form->Picture().pixel(0, 0));
    int captionInk = 0;
    for (int y = form->Picture().height(); y < saved.height(); ++y) {
        for (int x = 0; x < saved.width(); ++x) {
            captionInk += qGray(saved.pixel(x, y)) > 128 ? 1 : 0;
        }
    }
    EXPECT_GT(captionInk, 100) << "the caption is written in white under the picture";

    // A file that cannot be written says so.
    form->Viewer().SetSaveChooser(
        [&](QWidget*) { return dir.filePath(QStringLiteral("no/such/dir/x.png")); });
    MessageBoxAnswers answer({QMessageBox::Ok});
    Item("SavePicture")->trigger();
    EXPECT_TRUE(answer.OnlyText().startsWith(QStringLiteral("Cannot save the picture to ")))
        << answer.OnlyText().toStdString();
}

TEST_F(ViewerWindowTest, PrintShowsThePreviewWithTheWhiteBackgroundSwitch) {
    Open(WriteBoard("worked.brd"));
    bool hasSwitch = false;
    ModalAnswer answer([&](QWidget& window) {
        hasSwitch = window.findChild<QAction*>(QStringLiteral("WhiteBackground")) != nullptr;
        window.close();
    });
    Item("Print")->trigger();
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(answer.ClassName(), QStringLiteral("QPrintPreviewDialog"));
    EXPECT_TRUE(hasSwitch);
}

} // namespace
} // namespace dorvik
