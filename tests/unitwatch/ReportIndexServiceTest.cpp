// The index of the report folders as the window has it: built by its thread after it starts,
// current as files are written, moved, removed and rewritten, and started afresh for other
// folders.

#include "unitwatch/ReportIndexService.h"

#include "support/WaitUntil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

QByteArray ListOf(const char* serial, const char* tested) {
    return QByteArray("# serial: ") + serial + "\n# board: ACME\n# tested: " + tested +
           "\nshort 12 13 # Short #1\n";
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The watcher and the settling of files take a moment.
constexpr int ChangeWaitMs = 15000;

std::vector<std::string> PathsOf(const ReportIndexService& index, const char* serial) {
    std::vector<std::string> paths;
    for (const IndexedReport& report : index.ReportsOf(QString::fromLatin1(serial))) {
        paths.push_back(report.Path);
    }
    return paths;
}

class IndexService : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("a/b")));
    }
    QString At(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    ReportIndexService index;
};

TEST_F(IndexService, WithoutFoldersIsCompleteAndEmpty) {
    index.SetFolders({});
    EXPECT_TRUE(index.Complete());
    EXPECT_TRUE(index.WaitUntilComplete(0));
    EXPECT_EQ(index.Size(), 0u);
}

TEST_F(IndexService, ReadsTheFoldersThenFollowsWhatTheTesterWrites) {
    ASSERT_TRUE(Write(At("a/SN-1 old.txt"), ListOf("SN-1", "2026-01-01T10:00:00")));
    ASSERT_TRUE(Write(At("a/b/notes.txt"), "nothing a tester writes\n"));
    index.SetFolders({dir.path()});
    ASSERT_TRUE(index.WaitUntilComplete(15000));
    EXPECT_EQ(index.Size(), 1u);
    EXPECT_EQ(PathsOf(index, "SN-1"), std::vector<std::string>{At("a/SN-1 old.txt").toStdString()});

    // A new report in a subfolder, newer: first in the unit's list.
    ASSERT_TRUE(Write(At("a/b/SN-1 new.txt"), ListOf("SN-1", "2026-02-01T10:00:00")));
    EXPECT_TRUE(test::WaitUntil([&] { return index.ReportsOf("SN-1").size() == 2; }, ChangeWaitMs));
    EXPECT_EQ(PathsOf(index, "SN-1").front(), At("a/b/SN-1 new.txt").toStdString());

    // A folder made later is watched too.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("c")));
    ASSERT_TRUE(Write(At("c/SN-2.txt"), ListOf("SN-2", "2026-02-02T10:00:00")));
    EXPECT_TRUE(test::WaitUntil([&] { return index.ReportsOf("SN-2").size() == 1; }, ChangeWaitMs));

    // Removed, and a file that was no report becomes one.
    ASSERT_TRUE(QFile::remove(At("a/SN-1 old.txt")));
    ASSERT_TRUE(Write(At("a/b/notes.txt"), ListOf("SN-3", "2026-02-03T10:00:00")));
    EXPECT_TRUE(test::WaitUntil(
        [&] { return index.ReportsOf("SN-1").size() == 1 && index.ReportsOf("SN-3").size() == 1; },
        ChangeWaitMs));
}

TEST_F(IndexService, OtherFoldersStartAfresh) {
    ASSERT_TRUE(Write(At("a/SN-1.txt"), ListOf("SN-1", "2026-01-01T10:00:00")));
    ASSERT_TRUE(Write(At("SN-9.txt"), ListOf("SN-9", "2026-01-01T10:00:00")));
    index.SetFolders({At("a")});
    ASSERT_TRUE(index.WaitUntilComplete(15000));
    EXPECT_EQ(index.ReportsOf("SN-1").size(), 1u);
    EXPECT_TRUE(index.ReportsOf("SN-9").empty());
    index.SetFolders({At("a/b")});
    ASSERT_TRUE(index.WaitUntilComplete(15000));
    EXPECT_TRUE(index.ReportsOf("SN-1").empty());
    EXPECT_EQ(index.Size(), 0u);
}

TEST_F(IndexService, FoldersThatCannotBeReadAreSaidAndTheRestIndexed) {
    ASSERT_TRUE(Write(At("a/SN-1.txt"), ListOf("SN-1", "2026-01-01T10:00:00")));
    index.SetFolders({At("no such folder"), At("a")});
    ASSERT_TRUE(index.WaitUntilComplete(15000));
    EXPECT_EQ(index.ReportsOf("SN-1").size(), 1u);
    ASSERT_FALSE(index.Problems().empty());
    EXPECT_EQ(index.Problems().front().Path, At("no such folder").toStdString());
}

TEST_F(IndexService, EndsWhileItsFirstWalkIsUnderWay) {
    // Many files; the service is gone long before they are read.
    for (int k = 0; k < 3000; ++k) {
        ASSERT_TRUE(Write(At("a/b") + QStringLiteral("/f%1.txt").arg(k), "x\n"));
    }
    auto early = std::make_unique<ReportIndexService>();
    early->SetFolders({dir.path()});
    early.reset(); // must return, and leave nothing behind that runs on
    SUCCEED();
}

TEST_F(IndexService, AFolderOfManyUnrelatedFilesNeverHoldsTheWindowsThread) {
    // 100,000 files that are no report, and one that is, in a folder of its own.
    constexpr int Unrelated = 100'000;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("junk")));
    for (int k = 0; k < Unrelated; ++k) {
        QFile file(At("junk") + QStringLiteral("/f%1.dat").arg(k));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(k % 2 == 0 ? QByteArray("x,y,z\n") : QByteArray("\0\1\2", 3));
    }
    ASSERT_TRUE(Write(At("a/SN-7.txt"), ListOf("SN-7", "2026-01-01T10:00:00")));
    // The event loop turns while the walk runs: the window's thread only ever takes the
    // results.
    int turns = 0;
    int turnsBeforeDone = -1;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++turns; });
    QObject::connect(&index, &ReportIndexService::Completed, [&] { turnsBeforeDone = turns; });
    tick.start(1);
    index.SetFolders({dir.path()});
    ASSERT_TRUE(index.WaitUntilComplete(120000));
    EXPECT_GT(turnsBeforeDone, 0);
    EXPECT_EQ(index.Size(), 1u);
    EXPECT_EQ(index.ReportsOf("SN-7").size(), 1u);
    EXPECT_TRUE(index.Problems().empty());
}

} // namespace
} // namespace dorvik
