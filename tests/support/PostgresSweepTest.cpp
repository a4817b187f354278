#include "support/PostgresSweep.h"
#include "support/PostgresConnection.h"
#include "support/PostgresServer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

using dorvik::test::PostgresConnection;
using dorvik::test::PostgresServer;
using dorvik::test::SweepServers;

constexpr char RootVariable[] = "DORVIK_SWEEP_TEST_ROOT";

// A root of its own inside the build's: sweeping the shared one would stop the servers of tests
// running beside this one, and if this test dies the run's sweep still finds what it left. A
// death test's child runs the test again from the start; it takes its parent's root.
class PostgresSweep : public ::testing::Test {
protected:
    void SetUp() override {
        const QByteArray inherited = qgetenv(RootVariable);
        if (!inherited.isEmpty()) {
            root_ = QFile::decodeName(inherited);
            return;
        }
        const QString shared = QStringLiteral(DORVIK_TEST_POSTGRES_ROOT);
        ASSERT_TRUE(QDir().mkpath(shared));
        QByteArray pattern = QFile::encodeName(shared + QStringLiteral("/server-sweep-XXXXXX"));
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = QFile::decodeName(pattern);
        qputenv(RootVariable, pattern);
    }
    void TearDown() override {
        QDir(root_).removeRecursively();
        qunsetenv(RootVariable);
    }

    QString root_;
};

TEST_F(PostgresSweep, StopsTheServerOfATestBinaryThatDied) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QString whyNot;
            const std::optional<PostgresServer> server = PostgresServer::Start(whyNot, root_);
            if (!server) {
                std::fputs(whyNot.toLocal8Bit().constData(), stderr);
                std::_Exit(2);
            }
            std::_Exit(0); // as a crash would: no destructor stops the server
        },
        ::testing::ExitedWithCode(0), "");

    QDirIterator pidFiles(root_, {QStringLiteral("postmaster.pid")}, QDir::Files,
                          QDirIterator::Subdirectories);
    ASSERT_TRUE(pidFiles.hasNext()) << "the dead test left no server";
    QFile pidFile(pidFiles.next());
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = pidFile.readAll().split('\n');
    ASSERT_GT(lines.size(), 3); // the fourth line is the port
    const QString connInfo =
        QStringLiteral("host=127.0.0.1 port=%1 dbname=repairs user=dorvik connect_timeout=5")
            .arg(QString::fromLatin1(lines.at(3).trimmed()));
    {
        const PostgresConnection alive(connInfo);
        ASSERT_TRUE(alive.IsOpen()) << alive.Error().toStdString();
    }

    QStringList report;
    EXPECT_TRUE(SweepServers(root_, report)) << report.join(u'\n').toStdString();
    EXPECT_TRUE(QDir(root_).isEmpty());
    const PostgresConnection gone(connInfo);
    EXPECT_FALSE(gone.IsOpen());
}

// A postmaster.pid that outlived its server may name a process id now in other hands.
TEST_F(PostgresSweep, LeavesAloneTheProcessAStalePidFileNames) {
    QProcess bystander;
    bystander.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(bystander.waitForStarted());
    const QString dataDir = root_ + QStringLiteral("/server-stale/data");
    ASSERT_TRUE(QDir().mkpath(dataDir));
    QFile pidFile(dataDir + QStringLiteral("/postmaster.pid"));
    ASSERT_TRUE(pidFile.open(QIODevice::WriteOnly));
    pidFile.write(QByteArray::number(bystander.processId()) + "\n" + QFile::encodeName(dataDir) +
                  "\n");
    pidFile.close();

    QStringList report;
    EXPECT_TRUE(SweepServers(root_, report)) << report.join(u'\n').toStdString();
    EXPECT_TRUE(QDir(root_).isEmpty());
    EXPECT_EQ(bystander.state(), QProcess::Running);
    EXPECT_FALSE(bystander.waitForFinished(200)) << "the sweep stopped a process not its own";
    bystander.kill();
    bystander.waitForFinished();
}

} // namespace
