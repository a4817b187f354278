// The built program opens every kind of malformed board file, one after the other as an
// operator might, and each time shows the faults, turns, flips, zooms and answers clicks. It
// must answer every command to the end of the script. The only message box on the way says that
// a file without a single section keyword holds no board data.

#include "ProgramRun.h"
#include "support/MalformedBoards.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

TEST(MalformedBoardScript, TheProgramOpensEachFileAndKeepsWorking) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto boards = test::MalformedBoards();
    QString script = QStringLiteral("size 160 120\n");
    QStringList expectedMessages;
    for (const test::MalformedBoard& b : boards) {
        const QString path = dir.filePath(QString::fromStdString(b.Name) + ".brd");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(b.Stored.data(), static_cast<qint64>(b.Stored.size()));
        file.close();
        const auto scratch = std::make_unique<BoardData>();
        const bool noBoardData = !test::ReadStored(*scratch, b.Stored).AnyKeyword;
        if (noBoardData) {
            expectedMessages << QStringLiteral("message: %1 holds no board data.").arg(path);
        }
        script += "open " + path + "\n" + (noBoardData ? "ok\n" : "") +
                  "key O\ntext 1 1\ntext 3 2\nok\n"
                  "menu Short\ntext 1 1\ntext 2 2\nok\n"
                  "menu Net\ntext 1 N\nok\n"
                  "menu Comp\ntext 1 A\nok\n"
                  "button TopButomButton\nbutton RoateButton\nbutton TextButton\n"
                  "click left 80 60\nclick left 0 0\nclick right 159 119\nclick left -9 900\n"
                  "dblclick 40 30\nbutton LeftButton\nbutton HomeButton\nstatus\n";
    }
    script += "quit\n";
    const QString scriptPath = dir.filePath(QStringLiteral("script.txt"));
    QFile file(scriptPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(script.toUtf8());
    file.close();

    const test::ProgramRun run = test::RunProgram({QStringLiteral("--script"), scriptPath});
    ASSERT_TRUE(run.Ended) << run.Err.toStdString();
    EXPECT_EQ(run.ExitCode, 0) << run.Out.toStdString() << run.Err.toStdString();
    EXPECT_EQ(run.Out.count(QLatin1String("status: ")), static_cast<qsizetype>(boards.size()))
        << run.Out.toStdString();
    QStringList messages;
    for (const QString& line : run.Out.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("message: "))) {
            messages << line;
        }
    }
    EXPECT_FALSE(expectedMessages.isEmpty()) << "the table has files without board data";
    EXPECT_EQ(messages, expectedMessages);
}

} // namespace
} // namespace dorvik
