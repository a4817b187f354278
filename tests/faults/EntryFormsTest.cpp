// The entry windows through their widgets: controls whole and apart, Enter key handling on
// release, OK, the close box, and the message for a probe box that is not a number.

#include "faults/EntryForms.h"
#include "board/BoardData.h"
#include "support/FakeControls.h"
#include "support/MessageBoxAnswers.h"
#include "support/ModalAnswer.h"
#include "support/RecordingSurface.h"
#include "support/WindowChecks.h"
#include "view/Workspace.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace dorvik::test {
namespace {

struct EntryFormsTest : ::testing::Test {
    EntryFormsTest() {
        ws.State.Zoom = 4.0f;
        ws.State.PanX = 12;
        ws.State.DisplayMode = BoardDisplay;
    }

    std::unique_ptr<EntryForm> Show(EntryKind kind) {
        auto form = MakeEntryForm(kind, ws, nullptr);
        form->show();
        form->activateWindow();
        QApplication::processEvents();
        return form;
    }

    static void ReleaseEnter(QWidget* target, Qt::Key key = Qt::Key_Return) {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }

    static void PressEnter(QWidget* target, Qt::Key key = Qt::Key_Return) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }

    // Enter pressed and released in a control, as a keyboard sends it.
    static void TypeEnter(QWidget* target, Qt::Key key = Qt::Key_Return) {
        PressEnter(target, key);
        ReleaseEnter(target, key);
    }

    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    RecordingSurface canvas;
    FakeControls controls;
    Workspace ws{*board, canvas, controls};
};

struct WindowCase {
    EntryKind Kind;
    const char* Title;
    QSize Size;
    int Texts;
    int Edits;
    const char* Ok;
    const char* Heading;
    int MaxLength;
};

TEST_F(EntryFormsTest, EachWindowShowsItsControlsWholeAndApart) {
    const WindowCase cases[] = {
        {EntryKind::Open, "Open", {481, 356}, 7, 3, "OkBitBtn", "OPEN", 32767},
        {EntryKind::Short, "Short", {441, 346}, 7, 3, "OkBitBtn", "SHORT", 32767},
        {EntryKind::Net, "Nets", {481, 246}, 4, 1, "OkBitBtn", "NETS", 77},
        {EntryKind::Comp, "Component", {471, 346}, 7, 3, "BitBtn1", "Component Fail", 47},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.Title);
        const auto form = MakeEntryForm(c.Kind, ws, nullptr);
        EXPECT_EQ(form->windowTitle(), QString::fromLatin1(c.Title));
        EXPECT_EQ(form->size(), c.Size);
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("StaticText1"))->text(),
                  QString::fromLatin1(c.Heading));

        QStringList controls = {QStringLiteral("HeaderControl1"), QStringLiteral("StatusBar1"),
                                QString::fromLatin1(c.Ok)};
        for (int n = 1; n <= c.Texts; ++n) {
            controls << QStringLiteral("StaticText%1").arg(n);
        }
        for (int n = 1; n <= c.Edits; ++n) {
            controls << QStringLiteral("Edit%1").arg(n);
        }
        EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("StaticText%1").arg(c.Texts + 1)),
                  nullptr);
        EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("Edit%1").arg(c.Edits + 1)), nullptr);
        for (const std::string& problem : Overlaps(*form, controls)) {
            ADD_FAILURE() << problem;
        }
        for (const std::string& problem : TextsNotWhole(*form)) {
            ADD_FAILURE() << problem;
        }
        for (int n = 1; n <= c.Edits; ++n) {
            EXPECT_TRUE(form->Edit(n)->text().isEmpty());
            EXPECT_EQ(form->Edit(n)->maxLength(), c.MaxLength);
            EXPECT_EQ(QFontInfo(form->Edit(n)->font()).family(), QLatin1String(ProgramFontFamily));
        }
        EXPECT_EQ(form->OkButton()->text(), QStringLiteral("OK"));
        EXPECT_EQ(form->focusWidget(), form->Edit(1));
    }
}

TEST_F(EntryFormsTest, EnterReleaseWalksTheBoxesThenOkPressesIt) {
    for (const EntryKind kind : {EntryKind::Open, EntryKind::Short, EntryKind::Comp}) {
        const auto form = Show(kind);
        form->Edit(1)->setText(QStringLiteral("13"));
        TypeEnter(form->Edit(1));
        EXPECT_EQ(form->focusWidget(), form->Edit(2));
        TypeEnter(form->Edit(2), Qt::Key_Enter);
        EXPECT_EQ(form->focusWidget(), form->Edit(3));
        TypeEnter(form->Edit(3));
        EXPECT_EQ(form->focusWidget(), form->OkButton());
        EXPECT_TRUE(form->isVisible()); // moving on to OK does not press it

        PressEnter(form->OkButton());
        EXPECT_TRUE(form->isVisible()); // like every Enter here, it acts on the release
        ReleaseEnter(form->OkButton());
        EXPECT_EQ(form->result(), QDialog::Accepted);
        EXPECT_FALSE(form->isVisible());
    }
    EXPECT_EQ(Text(ws.State.CompText1), ",13,");
    EXPECT_EQ(ws.State.DisplayMode, CompDisplay);
}

TEST_F(EntryFormsTest, EnterPressOrAReleaseWithoutItsPressDoesNothing) {
    const auto form = Show(EntryKind::Open);
    form->Edit(1)->setText(QStringLiteral("13"));
    PressEnter(form->Edit(1));
    EXPECT_EQ(form->focusWidget(), form->Edit(1));
    // The release of an Enter pressed in another window.
    ReleaseEnter(form->Edit(2));
    form->OkButton()->setFocus();
    ReleaseEnter(form->OkButton());
    ReleaseEnter(form->OkButton());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ws.State.Probe1, 0);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form->Edit(1), &escape);
    EXPECT_TRUE(form->isVisible());

    const auto nets = Show(EntryKind::Net);
    nets->Edit(1)->setText(QStringLiteral("GND"));
    ReleaseEnter(nets->Edit(1));
    EXPECT_TRUE(nets->isVisible());
    EXPECT_EQ(ws.State.DisplayMode, BoardDisplay);
}

TEST_F(EntryFormsTest, OpenOkStoresTheProbes) {
    const auto form = Show(EntryKind::Open);
    form->Edit(1)->setText(QStringLiteral("12"));
    form->Edit(3)->setText(QStringLiteral("  34"));
    form->OkButton()->click();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ((std::array{ws.State.Probe1, ws.State.Probe2, ws.State.Probe3}),
              (std::array{12, 0, 34}));
    EXPECT_EQ(ws.State.DisplayMode, OpenDisplay);
    EXPECT_EQ(ws.State.Zoom, 1.0f);
    EXPECT_EQ(ws.State.PanX, 0);
    EXPECT_EQ(ws.State.NewEntry, 'T');
}

TEST_F(EntryFormsTest, NetsEnterInTheBoxPressesOk) {
    const auto form = Show(EntryKind::Net);
    form->Edit(1)->setText(QStringLiteral("gnd"));
    TypeEnter(form->Edit(1));
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(Text(ws.State.NetText), ",GND,");
    EXPECT_EQ(ws.State.DisplayMode, NetDisplay);
}

TEST_F(EntryFormsTest, BoxesTakeNoMoreThanTheirFieldsHold) {
    const auto nets = Show(EntryKind::Net);
    nets->Edit(1)->setText(QString(100, QLatin1Char('a')));
    nets->OkButton()->click();
    EXPECT_EQ(Text(ws.State.NetText), "," + std::string(77, 'A') + ",");

    const auto comp = Show(EntryKind::Comp);
    comp->Edit(2)->setText(QString(60, QLatin1Char('u')));
    comp->OkButton()->click();
    EXPECT_EQ(Text(ws.State.CompText2), "," + std::string(47, 'U') + ",");
}

// Runs `step` once the next modal window is up.
void WhenModal(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step = std::move(step)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        step(modal);
    });
}

TEST_F(EntryFormsTest, ProbeThatIsNoNumberShowsTheMessageAndStaysOpen) {
    struct Case {
        const char* Edit1;
        const char* Edit2;
        const char* Message;
        std::int32_t Probe1;
    };
    const Case cases[] = {
        {"12 ", "5", "'12 ' is not a valid integer value", 7},
        {"1,22,123", "", "'1,22,123' is not a valid integer value", 7},
        {"3", "<b>x</b>", "'<b>x</b>' is not a valid integer value", 3},
    };
    for (const Case& c : cases) {
        ws.State.Probe1 = 7;
        const auto form = Show(EntryKind::Short);
        form->Edit(1)->setText(QString::fromLatin1(c.Edit1));
        form->Edit(2)->setText(QString::fromLatin1(c.Edit2));
        MessageBoxAnswers answer({QMessageBox::Ok});
        form->OkButton()->click();
        ASSERT_EQ(answer.Asked().size(), 1u) << c.Edit1;
        const MessageBoxRequest& box = answer.Asked()[0];
        EXPECT_EQ(box.Text, QString::fromLatin1(c.Message));
        EXPECT_EQ(box.Icon, QMessageBox::NoIcon);
        EXPECT_EQ(box.Buttons, QMessageBox::Ok);
        EXPECT_EQ(box.Parent, form.get());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(ws.State.Probe1, c.Probe1);
        EXPECT_EQ(ws.State.DisplayMode, BoardDisplay);
        EXPECT_EQ(ws.State.Zoom, 4.0f);
    }
}

// The operator types a wrong probe, goes to OK and presses Enter; the message box closes on the
// press of the next Enter, whose release then comes to OK. It must not press OK again.
TEST_F(EntryFormsTest, TheEnterThatAnswersTheMessageDoesNotPressOkAgain) {
    RealMessageBoxes real;
    const auto form = Show(EntryKind::Open);
    QTest::keyClicks(form->Edit(1), QStringLiteral("abc"));
    for (int tab = 0; tab < 3; ++tab) {
        QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(form->focusWidget(), form->OkButton());

    QTest::keyPress(form->OkButton(), Qt::Key_Return);
    {
        ModalAnswer box([](QWidget& window) { QTest::keyPress(&window, Qt::Key_Return); });
        QTest::keyRelease(form->OkButton(), Qt::Key_Return);
        ASSERT_TRUE(box.Answered());
        EXPECT_EQ(box.Text(), "'abc' is not a valid integer value");
    }
    ModalAnswer again(ModalAnswer::Press(QMessageBox::Ok));
    QTest::keyRelease(form->focusWidget(), Qt::Key_Return);
    WaitUntil([&] { return again.Answered(); }, 200);
    EXPECT_FALSE(again.Answered()) << again.Text().toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ws.State.DisplayMode, BoardDisplay);
}

TEST_F(EntryFormsTest, RunEntryWindowShowsAFreshModalWindowAndDestroysIt) {
    QWidget owner;
    WhenModal([](QWidget* modal) {
        auto* form = qobject_cast<EntryForm*>(modal);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Component"));
        form->Edit(1)->setText(QStringLiteral("u321,22,123"));
        form->Edit(2)->setText(QStringLiteral("C567"));
        form->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    RunEntryWindow(&owner, ws, EntryKind::Comp);
    EXPECT_EQ(Text(ws.State.CompText1), ",U321,22,123,");
    EXPECT_EQ(Text(ws.State.CompText2), ",C567,");
    EXPECT_EQ(Text(ws.State.CompText3), EmptyList);
    EXPECT_EQ(ws.State.DisplayMode, CompDisplay);
    EXPECT_TRUE(owner.findChildren<QDialog*>().isEmpty());

    // A new window starts empty; its close box leaves everything as it was.
    WhenModal([](QWidget* modal) {
        auto* form = qobject_cast<EntryForm*>(modal);
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(form->Edit(1)->text().isEmpty());
        form->Edit(1)->setText(QStringLiteral("U9"));
        form->close();
    });
    RunEntryWindow(&owner, ws, EntryKind::Comp);
    EXPECT_EQ(Text(ws.State.CompText1), ",U321,22,123,");
    EXPECT_EQ(ws.State.DisplayMode, CompDisplay);
}

TEST_F(EntryFormsTest, EmptyEntriesKeepTheDisplay) {
    ws.State.DisplayMode = NetDisplay;
    ws.State.Probe1 = 5;
    const auto open = Show(EntryKind::Open);
    open->OkButton()->click();
    EXPECT_EQ(open->result(), QDialog::Accepted);
    EXPECT_EQ(ws.State.Probe1, 0);
    EXPECT_EQ(ws.State.DisplayMode, NetDisplay);
    EXPECT_EQ(ws.State.Zoom, 4.0f);
}

} // namespace
} // namespace dorvik::test
