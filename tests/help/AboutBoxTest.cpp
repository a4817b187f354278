#include "help/AboutBox.h"

#include "HelpTestFiles.h"
#include "support/WindowChecks.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

const QColor kFuchsia(0xFF, 0x00, 0xFF);
const QColor kNavy(0x00, 0x00, 0x80);

TEST(AboutBox, LayoutOfTheBox) {
    TAboutBox box(test::DataDirectory());
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.minimumSize(), QSize(379, 220));
    EXPECT_EQ(box.maximumSize(), QSize(379, 220));

    const auto* panel = box.findChild<QFrame*>("Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(8, 8, 363, 168));
    EXPECT_EQ(panel->frameShape(), QFrame::Box);
    EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);

    const auto* icon = panel->findChild<QLabel*>("ProgramIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->geometry(), QRect(13, 12, 164, 69));
    EXPECT_TRUE(icon->hasScaledContents());
    EXPECT_EQ(icon->pixmap().size(), QSize(328, 138));

    struct Caption {
        const char* name;
        const char* text;
        QPoint position;
    };
    for (const Caption& caption : {Caption{"ProductName", "Dorvik Program", {184, 24}},
                                   Caption{"Version", "Version: 2.2", {187, 56}}}) {
        SCOPED_TRACE(caption.name);
        const auto* label = panel->findChild<QLabel*>(caption.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), panel);
        EXPECT_EQ(label->text(), caption.text);
        EXPECT_EQ(label->pos(), caption.position);
        EXPECT_EQ(label->font().pixelSize(), 16);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), kFuchsia);
    }

    const auto* ok = box.findChild<QPushButton*>("OKButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->geometry(), QRect(151, 187, 75, 24));
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->font().pixelSize(), 12);
    EXPECT_EQ(ok->palette().color(QPalette::ButtonText), kNavy);
}

TEST(AboutBox, ShowsEveryTextWholeAndApart) {
    TAboutBox box(test::DataDirectory());
    for (const std::string& problem : test::TextsNotWhole(box)) {
        ADD_FAILURE() << problem;
    }
    const QStringList controls = {QStringLiteral("ProgramIcon"), QStringLiteral("ProductName"),
                                  QStringLiteral("Version"), QStringLiteral("OKButton")};
    for (const std::string& problem : test::Overlaps(box, controls)) {
        ADD_FAILURE() << problem;
    }
}

TEST(AboutBox, ShowsTheStretchedPicture) {
    TAboutBox box(test::DataDirectory());
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    auto* icon = box.findChild<QLabel*>("ProgramIcon");
    ASSERT_NE(icon, nullptr);
    // The board's green fills the middle of the 164 x 69 area.
    const QColor middle = icon->grab().toImage().pixelColor(10, 34);
    EXPECT_GT(middle.green(), middle.red() + 40);
    EXPECT_GT(middle.green(), middle.blue() + 30);
}

// A missing or broken picture leaves the box as it is, without the picture.
TEST(AboutBox, MissingOrBrokenPictureLeavesThePictureEmpty) {
    for (const char* seed : {"", "bad_truncated.jpg", "bad_not_jpeg.bmp"}) {
        SCOPED_TRACE(seed);
        QTemporaryDir directory;
        ASSERT_TRUE(directory.isValid());
        if (*seed != '\0') {
            ASSERT_TRUE(QFile::copy(test::JpegSeed(seed), directory.filePath("about.jpg")));
        }
        TAboutBox box(directory.path());
        const auto* icon = box.findChild<QLabel*>("ProgramIcon");
        ASSERT_NE(icon, nullptr);
        EXPECT_TRUE(icon->pixmap().isNull());
        EXPECT_NE(box.findChild<QPushButton*>("OKButton"), nullptr);
    }
}

TEST(AboutBox, OkEnterAndTheCloseBoxCloseButEscapeDoesNot) {
    struct Closing {
        const char* how;
        void (*act)(TAboutBox&);
        bool closes;
    };
    const Closing closings[] = {
        {"OK button", [](TAboutBox& box) { box.findChild<QPushButton*>("OKButton")->click(); },
         true},
        {"Enter", [](TAboutBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, true},
        {"close box", [](TAboutBox& box) { box.close(); }, true},
        {"Escape", [](TAboutBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, false},
    };
    for (const Closing& closing : closings) {
        SCOPED_TRACE(closing.how);
        TAboutBox box(test::DataDirectory());
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        closing.act(box);
        EXPECT_EQ(box.isVisible(), !closing.closes);
    }
}

} // namespace
} // namespace dorvik
