#pragma once
// Scripts run by the built program against the worked example board written to a scratch folder.

#include "ProgramRun.h"
#include "support/BoardText.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace dorvik::test {

class ScriptFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        board = dir.filePath(QStringLiteral("worked.brd"));
        QFile file(board);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Encode(WorkedExample).c_str());
    }

    // "{board}" in the script stands for the worked example's file, "{dir}" for a scratch folder.
    QString Expand(QString text) const {
        return text.replace(QLatin1String("{board}"), board)
            .replace(QLatin1String("{dir}"), dir.path());
    }

    // Runs `script` from a file, with `before` ahead of --script on the command line.
    ProgramRun RunScript(const QString& script, QStringList before = {}) const {
        const QString path = dir.filePath(QStringLiteral("script.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Expand(script).toUtf8());
        file.close();
        return RunProgram(before << QStringLiteral("--script") << path);
    }

    QTemporaryDir dir;
    QString board;
};

// How a run ended and all it wrote, for a failure's message.
inline std::string Show(const ProgramRun& run) {
    return "exit " + std::to_string(run.ExitCode) + "\n--- stdout\n" + run.Out.toStdString() +
           "--- stderr\n" + run.Err.toStdString();
}

} // namespace dorvik::test
