// The program as an operator's desktop runs it: a real X display (a virtual one from xvfb-run),
// driven through its script interface, with the picture it saves checked pixel by pixel.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(EndToEnd, DrawsTheDemoBoardInARealDisplay) {
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty()) {
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

    // Several test runs may start virtual displays at once: each starts its search for a free
    // display number at its own place, and tries again if the server still lost the race.
    QString out;
    std::string shown;
    bool ended = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QStringLiteral(DORVIK_SOURCE_DIR));
        const QString firstDisplay =
            QString::number(100 + QRandomGenerator::global()->bounded(400));
        process.start(xvfbRun,
                      {QStringLiteral("-a"), QStringLiteral("-n"), firstDisplay,
                       QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                       QStringLiteral(DORVIK_PROGRAM), QStringLiteral("--script"), scriptPath});
        ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
        ended = process.waitForFinished(120000);
        if (!ended) {
            process.kill();
            process.waitForFinished();
        }
        out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        shown = out.toStdString() + "--- stderr\n" + err.toStdString();
        if (ended && err.contains(QLatin1String("Xvfb failed to start"))) {
            continue;
        }
        ASSERT_TRUE(ended) << shown;
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << shown;
        ASSERT_EQ(process.exitCode(), 0) << shown;
        break;
    }
    ASSERT_TRUE(ended) << shown;

    const QStringList lines = out.split('\n');
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
