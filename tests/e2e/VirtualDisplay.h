#pragma once
// Runs a command in a virtual X display of its own (xvfb-run), from the source directory with Qt
// on its X11 platform, and collects how it ended and what it wrote.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace dorvik::test {

struct DisplayRun {
    bool Ended = false; // false: it was still running at the deadline and was stopped
    QProcess::ExitStatus Status = QProcess::CrashExit;
    int ExitCode = -1;
    QString Out; // what the command wrote, or the program a driver script ran
    QString Err;
    QString Driver; // what a driver script itself wrote

    std::string Shown() const {
        QString text = Out + "--- stderr\n" + Err;
        if (!Driver.isEmpty()) {
            text += "--- driver\n" + Driver;
        }
        return text.toStdString();
    }
};

// The path of xvfb-run, or empty where it is not installed.
inline QString XvfbRun() {
    return QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
}

// Whether the driver scripts can run: they work the window through xdotool.
inline bool DriverToolsInstalled() {
    return !XvfbRun().isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

inline constexpr char DriverToolsMissing[] =
    "xvfb-run or xdotool is not installed (Debian packages xvfb, xdotool); ./test.sh installs them";

// Several test runs may start virtual displays at once: each starts its search for a free display
// number at its own place, and tries again if the server still lost the race. `beforeEachTry`
// clears what a lost try left behind.
inline DisplayRun RunInVirtualDisplay(const QStringList& command, int deadlineMs,
                                      const std::function<void()>& beforeEachTry = {}) {
    DisplayRun run;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (beforeEachTry) {
            beforeEachTry();
        }
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QStringLiteral(DORVIK_SOURCE_DIR));
        const QString firstDisplay =
            QString::number(100 + QRandomGenerator::global()->bounded(400));
        process.start(XvfbRun(),
                      QStringList{QStringLiteral("-a"), QStringLiteral("-n"), firstDisplay,
                                  QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24")} +
                          command);
        run = DisplayRun();
        if (!process.waitForStarted()) {
            run.Err = QStringLiteral("xvfb-run did not start: ") + process.errorString();
            return run;
        }
        run.Ended = process.waitForFinished(deadlineMs);
        if (!run.Ended) {
            process.kill();
            process.waitForFinished();
        }
        run.Status = process.exitStatus();
        run.ExitCode = process.exitCode();
        run.Out = QString::fromUtf8(process.readAllStandardOutput());
        run.Err = QString::fromUtf8(process.readAllStandardError());
        if (!run.Ended || !run.Err.contains(QLatin1String("Xvfb failed to start"))) {
            break;
        }
    }
    return run;
}

// A driver script (tests/e2e/drive-*.sh) run in a virtual display on `arguments` and then the
// work directory, in which it leaves the program's output and errors as "out" and "err" (and
// makes "in", the pipe it feeds the program's script through).
inline DisplayRun RunDriver(const char* script, const QStringList& arguments, const QString& work,
                            int deadlineMs) {
    const QDir dir(work);
    const auto read = [&dir](const char* name) {
        QFile file(dir.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const QStringList command =
        QStringList{QStringLiteral("/bin/sh"),
                    QStringLiteral(DORVIK_SOURCE_DIR "/tests/e2e/") + QLatin1String(script)} +
        arguments + QStringList{work};
    DisplayRun run = RunInVirtualDisplay(command, deadlineMs, [&dir] {
        for (const char* name : {"in", "out", "err"}) {
            QFile::remove(dir.filePath(QLatin1String(name)));
        }
    });
    run.Driver = run.Out + run.Err;
    run.Out = read("out");
    run.Err = read("err");
    return run;
}

// Whether the run ended by itself with exit code 0.
inline ::testing::AssertionResult EndedWell(const DisplayRun& run) {
    if (!run.Ended) {
        return ::testing::AssertionFailure()
               << "did not end by itself (never started, or stopped at the deadline)\n"
               << run.Shown();
    }
    if (run.Status != QProcess::NormalExit || run.ExitCode != 0) {
        return ::testing::AssertionFailure()
               << (run.Status == QProcess::NormalExit ? "exit code " : "crashed, code ")
               << run.ExitCode << '\n'
               << run.Shown();
    }
    return ::testing::AssertionSuccess();
}

} // namespace dorvik::test
