// The viewer's conveniences in a real X display, worked with the real pointer and keyboard
// (xdotool): a wheel notch, a drag of the picture, and typing a name into the search field.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The state blocks the program printed, each as its Name=value lines.
QList<QStringList> StateBlocks(const QString& out) {
    QList<QStringList> blocks;
    for (const QString& line : out.split('\n')) {
        if (line.startsWith(QLatin1String("ImageWidth="))) {
            blocks.append(QStringList());
        }
        if (!blocks.isEmpty() && line.contains('=')) {
            blocks.back() << line;
        }
    }
    return blocks;
}

TEST(EndToEnd, WheelDragAndTypingThroughTheRealWindow) {
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfbRun.isEmpty() || xdotool.isEmpty()) {
        GTEST_SKIP() << "xvfb-run or xdotool is not installed (Debian packages xvfb, xdotool); "
                        "./test.sh installs them";
    }
    QString shown;
    QString out;
    QTemporaryDir dir;
    for (int attempt = 0; attempt < 3; ++attempt) {
        dir = QTemporaryDir();
        ASSERT_TRUE(dir.isValid());
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
                       QStringLiteral("/bin/sh"),
                       QStringLiteral(DORVIK_SOURCE_DIR "/tests/e2e/drive-viewer.sh"),
                       QStringLiteral(DORVIK_PROGRAM),
                       QStringLiteral(DORVIK_SOURCE_DIR "/examples/demo.brd"), dir.path()});
        ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
        const bool ended = process.waitForFinished(120000);
        if (!ended) {
            process.kill();
            process.waitForFinished();
        }
        QFile outFile(dir.filePath(QStringLiteral("out")));
        QFile errFile(dir.filePath(QStringLiteral("err")));
        out = outFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(outFile.readAll()) : QString();
        const QString err =
            errFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(errFile.readAll()) : QString();
        shown = out + "--- program stderr\n" + err + "--- driver\n" +
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        if (ended && shown.contains(QLatin1String("Xvfb failed to start"))) {
            continue;
        }
        ASSERT_TRUE(ended) << shown.toStdString();
        ASSERT_EQ(process.exitCode(), 0) << shown.toStdString();
        break;
    }

    const QList<QStringList> states = StateBlocks(out);
    ASSERT_EQ(states.size(), 4) << shown.toStdString();
    EXPECT_TRUE(states[0].contains(QStringLiteral("Zoom=1"))) << shown.toStdString();
    // The wheel: one notch up.
    EXPECT_TRUE(states[1].contains(QStringLiteral("Zoom=2"))) << shown.toStdString();
    // The drag: 60 pixels right and 30 down at zoom 2 are 30 and 15 zoom-1 pixels of pan, and
    // its release asked nothing.
    const auto pan = [&](int k, const char* name) {
        for (const QString& line : states[k]) {
            if (line.startsWith(QLatin1String(name) + '=')) {
                return line.section('=', 1).toInt();
            }
        }
        return -1;
    };
    EXPECT_EQ(pan(2, "PanX") - pan(1, "PanX"), 30) << shown.toStdString();
    EXPECT_EQ(pan(2, "PanY") - pan(1, "PanY"), 15) << shown.toStdString();
    EXPECT_EQ(pan(2, "ClickX"), pan(1, "ClickX")) << shown.toStdString();
    // Typing: the part's component display, and no exit question from the E typed first.
    EXPECT_TRUE(states[3].contains(QStringLiteral("CompText1=,R7,"))) << shown.toStdString();
    EXPECT_TRUE(states[3].contains(QStringLiteral("DisplayMode=4"))) << shown.toStdString();
    EXPECT_FALSE(out.contains(QLatin1String("message:"))) << shown.toStdString();
}

} // namespace
