#include "support/PostgresPrograms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using dorvik::test::FindPostgresBinDir;

void MakeProgram(const QString& path) {
    QFile program(path);
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\n");
    program.close();
    ASSERT_TRUE(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// Lays out versionsRoot/<version>/bin with all three server programs, or initdb alone.
void MakeVersion(const QString& root, const char* version, bool complete) {
    const QString bin = root + QLatin1Char('/') + QLatin1String(version) + QStringLiteral("/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    const std::vector<const char*> names =
        complete ? std::vector<const char*>{"initdb", "pg_ctl", "postgres"}
                 : std::vector<const char*>{"initdb"};
    for (const char* name : names) {
        MakeProgram(bin + QLatin1Char('/') + QLatin1String(name));
    }
}

TEST(FindPostgresBinDir, PrefersFifteenThenTheNewestCompleteVersion) {
    struct Layout {
        std::vector<const char*> Complete;
        std::vector<const char*> Partial;
        const char* Chosen;
    };
    const Layout layouts[] = {
        {{"16", "15"}, {}, "15"},
        {{"9.6", "10"}, {}, "10"},
        {{"12", "13"}, {"17"}, "13"},
        {{"14"}, {"15"}, "14"},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.Chosen);
        const QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        for (const char* version : layout.Complete) {
            MakeVersion(root.path(), version, true);
        }
        for (const char* version : layout.Partial) {
            MakeVersion(root.path(), version, false);
        }
        QString whyNot;
        EXPECT_EQ(
            FindPostgresBinDir(whyNot, root.path(), QStringLiteral("/nonexistent/pg_config"))
                .toStdString(),
            (root.path() + QLatin1Char('/') + QLatin1String(layout.Chosen) + QStringLiteral("/bin"))
                .toStdString());
        EXPECT_TRUE(whyNot.isEmpty());
    }
}

TEST(FindPostgresBinDir, AsksPgConfigWhenNoVersionFolderHasTheServer) {
    const QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    MakeVersion(root.path(), "15", false);
    QString whyNot;
    const QString found = FindPostgresBinDir(whyNot, root.path(), QStringLiteral("pg_config"));
    ASSERT_FALSE(found.isEmpty()) << whyNot.toStdString();
    EXPECT_TRUE(QFileInfo(found + QStringLiteral("/postgres")).isExecutable());
    EXPECT_FALSE(found.startsWith(root.path()));
}

TEST(FindPostgresBinDir, SaysWhatToInstallWhenThereIsNoServer) {
    const QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    MakeVersion(root.path(), "15", false);
    QString whyNot;
    EXPECT_TRUE(FindPostgresBinDir(whyNot, root.path(), QStringLiteral("/nonexistent/pg_config"))
                    .isEmpty());
    EXPECT_THAT(whyNot.toStdString(), ::testing::HasSubstr("install Debian's postgresql-15"));
}

} // namespace
