// The entry windows through their widgets: layout names, Enter key handling on release, OK, the
// close box, and the message for a probe box that is not a number.

#include "faults/EntryForms.h"
#include "board/BoardData.h"
#include "support/FakeControls.h"
#include "support/RecordingSurface.h"
#include "view/Workspace.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
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

    static void PressEnter(QWidget* target) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
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
    int Edits;
    const char* Ok;
    const char* Heading;
    QRect HeadingGeometry;
    QRect Edit1Geometry;
    int MaxLength;
};

TEST_F(EntryFormsTest, WindowsAreLaidOutWithTheirControlNames) {
    const WindowCase cases[] = {
        {EntryKind::Open,
         "Open",
         {481, 356},
         3,
         "OkBitBtn",
         "OPEN",
         {158, 8, 62, 28},
         {102, 128, 257, 28},
         32767},
        {EntryKind::Short,
         "Short",
         {441, 346},
         3,
         "OkBitBtn",
         "SHORT",
         {141, 8, 75, 28},
         {104, 114, 217, 28},
         32767},
        {EntryKind::Net,
         "Nets",
         {481, 246},
         1,
         "OkBitBtn",
         "NETS",
         {166, 16, 59, 28},
         {102, 101, 257, 28},
         77},
        {EntryKind::Comp,
         "Component",
         {471, 346},
         3,
         "BitBtn1",
         "Component Fail",
         {112, 10, 152, 28},
         {115, 120, 225, 32},
         47},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.Title);
        const auto form = MakeEntryForm(c.Kind, ws, nullptr);
        EXPECT_EQ(form->windowTitle(), QString::fromLatin1(c.Title));
        EXPECT_EQ(form->size(), c.Size);

        const auto* heading = form->findChild<QLabel*>(QStringLiteral("StaticText1"));
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->text(), QString::fromLatin1(c.Heading));
        EXPECT_EQ(heading->geometry(), c.HeadingGeometry);
        EXPECT_TRUE(heading->font().bold());
        EXPECT_EQ(heading->font().pixelSize(), 19);
        EXPECT_EQ(heading->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x00));
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("StaticText2"))->font().pixelSize(), 19);
        EXPECT_EQ(form->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
        EXPECT_EQ(form->font().pixelSize(), 16);

        for (int n = 1; n <= 3; ++n) {
            const auto* edit = form->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
            EXPECT_EQ(edit != nullptr, n <= c.Edits) << n;
            if (edit != nullptr) {
                EXPECT_TRUE(edit->text().isEmpty());
                EXPECT_EQ(edit->maxLength(), c.MaxLength);
            }
        }
        EXPECT_EQ(form->Edit(1)->geometry(), c.Edit1Geometry);

        const auto* ok = form->findChild<QPushButton*>(QString::fromLatin1(c.Ok));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_TRUE(ok->font().bold());
        EXPECT_EQ(ok->palette().color(QPalette::ButtonText), QColor(0x80, 0x00, 0x80));
        EXPECT_NE(form->findChild<QStatusBar*>(QStringLiteral("StatusBar1")), nullptr);
        EXPECT_NE(form->findChild<QWidget*>(QStringLiteral("HeaderControl1")), nullptr);
        EXPECT_EQ(form->focusWidget(), form->Edit(1));
    }
}

TEST_F(EntryFormsTest, EnterReleaseWalksTheBoxesThenOkPressesIt) {
    for (const EntryKind kind : {EntryKind::Open, EntryKind::Short, EntryKind::Comp}) {
        const auto form = Show(kind);
        form->Edit(1)->setText(QStringLiteral("13"));
        ReleaseEnter(form->Edit(1));
        EXPECT_EQ(form->focusWidget(), form->Edit(2));
        ReleaseEnter(form->Edit(2), Qt::Key_Enter);
        EXPECT_EQ(form->focusWidget(), form->Edit(3));
        ReleaseEnter(form->Edit(3));
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

TEST_F(EntryFormsTest, EnterPressInABoxDoesNothing) {
    const auto form = Show(EntryKind::Open);
    form->Edit(1)->setText(QStringLiteral("13"));
    PressEnter(form->Edit(1));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ws.State.Probe1, 0);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form->Edit(1), &escape);
    EXPECT_TRUE(form->isVisible());
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
    ReleaseEnter(form->Edit(1));
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
        QString text;
        QString title;
        WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            text = box->text();
            title = box->windowTitle();
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        });
        form->OkButton()->click();
        EXPECT_EQ(text, QString::fromLatin1(c.Message));
        EXPECT_EQ(title, QStringLiteral("Dorvik"));
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(ws.State.Probe1, c.Probe1);
        EXPECT_EQ(ws.State.DisplayMode, BoardDisplay);
        EXPECT_EQ(ws.State.Zoom, 4.0f);
    }
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
