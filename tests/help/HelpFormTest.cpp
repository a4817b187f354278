#include "help/HelpForm.h"

#include "HelpTestFiles.h"
#include "support/WindowChecks.h"

#include <QLabel>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

const QColor kGreen(0x00, 0x80, 0x00);
const QColor kWhite(0xFF, 0xFF, 0xFF);

QList<QLabel*> Texts(const TForm6& form) {
    QList<QLabel*> texts;
    for (QLabel* label : form.findChildren<QLabel*>()) {
        if (label->objectName().startsWith("HelpText")) {
            texts.append(label);
        }
    }
    return texts;
}

QLabel* TextWithCaption(const TForm6& form, const QString& caption) {
    for (QLabel* label : Texts(form)) {
        if (label->text() == caption) {
            return label;
        }
    }
    return nullptr;
}

TEST(HelpForm, WindowIsABlackResizableHelpWindow) {
    TForm6 form(test::DataDirectory());
    EXPECT_EQ(form.windowTitle(), "Help");
    EXPECT_NE(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_TRUE(form.autoFillBackground());
    EXPECT_EQ(form.font().pixelSize(), 19);
    EXPECT_EQ(Texts(form).size(), 37);
}

struct ExpectedText {
    const char* caption;
    QPoint position;
    QColor colour;
};

TEST(HelpForm, TextsStandAtTheirPlacesInTheirColours) {
    const ExpectedText expected[] = {
        {"ACTION", {48, 16}, kGreen},           {"KEBOARD", {216, 16}, kGreen},
        {"MOUSE CLICK", {360, 16}, kGreen},     {"Zoom  In", {48, 42}, kWhite},
        {"Zoom  Out", {48, 63}, kWhite},        {"--", {216, 60}, kWhite},
        {"Single -- Left", {360, 108}, kWhite}, {"H, [ F1 ]", {218, 394}, kWhite},
        {"E, [ ESC ]", {219, 419}, kWhite},
    };
    TForm6 form(test::DataDirectory());
    for (const ExpectedText& text : expected) {
        SCOPED_TRACE(text.caption);
        const QLabel* label = TextWithCaption(form, text.caption);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->pos(), text.position);
        EXPECT_EQ(label->height(), 28);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_EQ(label->palette().color(QPalette::WindowText), text.colour);
    }
}

TEST(HelpForm, ShowsEveryTextWholeAndApart) {
    TForm6 form(test::DataDirectory());
    for (const std::string& problem : test::TextsNotWhole(form)) {
        ADD_FAILURE() << problem;
    }
    QStringList controls;
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        controls << label->objectName();
    }
    for (const std::string& problem : test::Overlaps(form, controls)) {
        ADD_FAILURE() << problem;
    }
}

TEST(HelpForm, ArrowPicturesShowTheRedArrowOfTheirStrip) {
    struct ExpectedPicture {
        const char* name;
        QRect geometry;
    };
    const ExpectedPicture expected[] = {
        {"UpArrow", {216, 156, 18, 16}},
        {"DownArrow", {216, 180, 17, 17}},
        {"LeftArrow", {216, 204, 17, 17}},
        {"RightArrow", {216, 228, 17, 17}},
    };
    TForm6 form(test::DataDirectory());
    for (const ExpectedPicture& picture : expected) {
        SCOPED_TRACE(picture.name);
        QLabel* label = form.findChild<QLabel*>(picture.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), picture.geometry);
        EXPECT_FALSE(label->hasScaledContents());
        EXPECT_EQ(label->pixmap().size(), QSize(32, 16));
        // Unscaled from the top-left: the middle of the first 16 x 16 image is the red arrow,
        // its corner the olive square.
        const QImage shown = label->grab().toImage();
        EXPECT_EQ(shown.pixelColor(8, 8), QColor(0xFF, 0x00, 0x00));
        EXPECT_EQ(shown.pixelColor(0, 0), QColor(0x80, 0x80, 0x00));
    }
}

TEST(HelpForm, MissingPicturesLeaveTheirPlacesEmpty) {
    TForm6 form(QStringLiteral("/nonexistent"));
    const QLabel* label = form.findChild<QLabel*>("UpArrow");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->pixmap().isNull());
    EXPECT_EQ(Texts(form).size(), 37);
}

// Clicks go through the window as a user's would, so they reach whatever lies under the point.
struct Click {
    const char* what;
    QPoint point;
    Qt::MouseButton button;
    bool closes;
};

class HelpFormClick : public ::testing::TestWithParam<Click> {};

TEST_P(HelpFormClick, OnlyALeftClickOnTheBackgroundCloses) {
    const Click& click = GetParam();
    TForm6 form(test::DataDirectory());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.windowHandle(), click.button, {}, click.point);
    EXPECT_EQ(form.isVisible(), !click.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, HelpFormClick,
    ::testing::Values(Click{"Background", {500, 450}, Qt::LeftButton, true},
                      Click{"BackgroundBetweenColumns", {150, 38}, Qt::LeftButton, true},
                      Click{"BackgroundRightButton", {500, 450}, Qt::RightButton, false},
                      Click{"TextZoomIn", {55, 50}, Qt::LeftButton, false},
                      Click{"HeadingKeboard", {220, 20}, Qt::LeftButton, false},
                      Click{"UpArrowPicture", {220, 160}, Qt::LeftButton, false}),
    [](const ::testing::TestParamInfo<Click>& info) { return std::string(info.param.what); });

TEST(HelpForm, EscapeDoesNotClose) {
    TForm6 form(test::DataDirectory());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    form.close(); // the close box
    EXPECT_FALSE(form.isVisible());
}

} // namespace
} // namespace dorvik
