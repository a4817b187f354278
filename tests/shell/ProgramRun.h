#pragma once
// Runs the built program on the offscreen platform and collects what it wrote and how it ended.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace dorvik::test {

struct ProgramRun {
    bool Ended = false; // false: it was still running at the deadline and was stopped
    int ExitCode = -1;
    QString Out;
    QString Err;
};

inline constexpr int ProgramDeadlineMs = 60000;

inline ProgramRun RunProgram(const QStringList& arguments, const QByteArray& input = {},
                             const QString& workingDirectory = QStringLiteral(DORVIK_SOURCE_DIR)) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(DORVIK_PROGRAM), arguments);
    ProgramRun run;
    if (!process.waitForStarted()) {
        run.Err = process.errorString();
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    run.Ended = process.waitForFinished(ProgramDeadlineMs);
    if (!run.Ended) {
        process.kill();
        process.waitForFinished();
    }
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = QString::fromUtf8(process.readAllStandardOutput());
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace dorvik::test
