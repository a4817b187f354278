// The program as an operator's desktop runs it: a real X display (a virtual one from xvfb-run),
// driven through its script interface, with the picture it saves checked pixel by pixel.

#include "VirtualDisplay.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

TEST(EndToEnd, DrawsTheDemoBoardInARealDisplay) {
    if (test::XvfbRun().isEmpty()) {
        GTEST_SKIP() << "xvfb-run is not installed (Debian package xvfb); ./test.sh installs it";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString picture = dir.filePath(QStringLiteral("demo.png"));
    const QString scriptPath = dir.filePath(QStringLiteral("script.txt"));
    QFile script(scriptPath);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("size 640 400\n"
                 "open examples/demo.brd\n"
                 "key V\n"
                 "status\n"
                 "pixel 0 0\n"
                 "state\n"
                 "key H\n"
                 "close\n"
                 // Esc and Enter close the windows on their press; the releases act nowhere.
                 "key E\n"
                 "key Esc\n"
                 "menu About\n"
                 "key Enter\n"
                 "save " +
                 picture.toUtf8() +
                 "\n"
                 "quit\n");
    script.close();

    const test::DisplayRun run = test::RunInVirtualDisplay(
        {QStringLiteral(DORVIK_PROGRAM), QStringLiteral("--script"), scriptPath}, 120000);
    const std::string shown = run.Shown();
    ASSERT_TRUE(test::EndedWell(run));

    const QStringList lines = run.Out.split('\n');
    EXPECT_EQ(lines.count(QStringLiteral("message: Are you sure to exit?")), 1) << shown;
    for (const char* expected :
         {"status: Vostrel Dorvik", "pixel 0 0 #800000", "ImageWidth=640", "ImageHeight=400",
          "Zoom=1", "ViewSide=1", "TextFlag=Y", "BoardLoaded=1", "PartCount=100"}) {
        EXPECT_TRUE(lines.contains(QLatin1String(expected))) << expected << '\n' << shown;
    }

    const QImage image(picture);
    ASSERT_EQ(image.size(), QSize(640, 400)) << "the saved picture";
    EXPECT_EQ(image.pixel(0, 0), qRgb(0x80, 0x00, 0x00));
    EXPECT_EQ(image.pixel(639, 399), qRgb(0x80, 0x00, 0x00));
    // The board is drawn: its outline, its pins in blue and, with the text on, its part names.
    int blue = 0;
    int olive = 0;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            const QRgb p = image.pixel(x, y);
            blue += p == qRgb(0, 0, 0xFF) ? 1 : 0;
            olive += qRed(p) > 0x40 && qRed(p) == qGreen(p) && qBlue(p) == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 500) << "pin marks";
    EXPECT_GT(olive, 500) << "outline and part names";
}

} // namespace
} // namespace dorvik
