#pragma once
// The built program as a bench runs it, driven through `dorvik --script -`: commands written to
// its standard input as the test goes, its output read line by line, and SIGKILL at any moment.
// Each session has a data folder (the bench file) and a settings folder of its own.

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>
#include <optional>
#include <ostream>

// A text as a failed expectation shows it.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace dorvik::test {

// A generous bound that only keeps a hung program from stopping the run.
inline constexpr int SessionWaitMs = 60000;

class BenchSession final {
public:
    // `repairLog`: DORVIK_REPAIR_LOG for the program, empty for the bench file alone.
    BenchSession(const QString& dataHome, const QString& configHome, const QString& repairLog = {})
        : dataHome_(dataHome), configHome_(configHome), repairLog_(repairLog) {}
    ~BenchSession() { Kill(); }
    BenchSession(const BenchSession&) = delete;
    BenchSession& operator=(const BenchSession&) = delete;

    // Runs in the child before the program starts (a limit, a signal left ignored).
    void SetChildSetup(std::function<void()> setup) { setup_ = std::move(setup); }
    // The program started through another (e.g. setpriv to run it as another user).
    void SetLauncher(const QString& program, const QStringList& arguments) {
        launcher_ = program;
        launcherArguments_ = arguments;
    }

    bool Start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome_);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome_);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), configHome_);
        environment.remove(QStringLiteral("DORVIK_REPAIR_LOG"));
        if (!repairLog_.isEmpty()) {
            environment.insert(QStringLiteral("DORVIK_REPAIR_LOG"), repairLog_);
        }
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(dataHome_);
        if (setup_) {
            process_.setChildProcessModifier(setup_);
        }
        const QStringList script{QStringLiteral("--script"), QStringLiteral("-")};
        if (launcher_.isEmpty()) {
            process_.start(QStringLiteral(DORVIK_PROGRAM), script);
        } else {
            process_.start(launcher_, QStringList(launcherArguments_)
                                          << QStringLiteral(DORVIK_PROGRAM) << script);
        }
        return process_.waitForStarted(SessionWaitMs);
    }

    void Send(const QString& lines) {
        process_.write(lines.toUtf8());
        process_.waitForBytesWritten(SessionWaitMs);
    }
    void SendBytes(const QByteArray& bytes) {
        process_.write(bytes);
        process_.waitForBytesWritten(SessionWaitMs);
    }
    void CloseInput() { process_.closeWriteChannel(); }

    // The next line not read yet that starts with `prefix` (earlier ones are read past), or
    // nothing when none came within `waitMs`.
    std::optional<QString> Next(const QString& prefix, int waitMs = SessionWaitMs) {
        return NextOf(QStringList{prefix}, waitMs);
    }
    // The same for the first line that starts with any of `prefixes`.
    std::optional<QString> NextOf(const QStringList& prefixes, int waitMs = SessionWaitMs) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            while (read_ < lines_.size()) {
                const QString& line = lines_[read_++];
                for (const QString& prefix : prefixes) {
                    if (line.startsWith(prefix)) {
                        return line;
                    }
                }
            }
            const qint64 left = waitMs - clock.elapsed();
            if (left <= 0 || !TakeOutput(static_cast<int>(left))) {
                return std::nullopt;
            }
        }
    }

    // A command and the line it answers with.
    std::optional<QString> Ask(const QString& command, const QString& prefix,
                               int waitMs = SessionWaitMs) {
        Send(command + u'\n');
        return Next(prefix, waitMs);
    }

    // How many lines starting with `prefix` have been printed by now.
    qsizetype Count(const QString& prefix) {
        TakeOutput(0);
        qsizetype n = 0;
        for (const QString& line : lines_) {
            n += line.startsWith(prefix) ? 1 : 0;
        }
        return n;
    }

    // SIGKILL, as a power cut or the operator's kill would end it; what it printed stays.
    void Kill() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(SessionWaitMs);
        }
        TakeOutput(0);
    }

    // Waits for the program to end by itself; false when it did not.
    bool Ended(int waitMs = SessionWaitMs) {
        const bool ended =
            process_.state() == QProcess::NotRunning || process_.waitForFinished(waitMs);
        TakeOutput(0);
        return ended;
    }
    int ExitCode() const {
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    QStringList Lines(const QString& prefix = {}) {
        TakeOutput(0);
        QStringList found;
        for (const QString& line : lines_) {
            if (line.startsWith(prefix)) {
                found << line;
            }
        }
        return found;
    }
    QString Errors() {
        err_ += QString::fromUtf8(process_.readAllStandardError());
        return err_;
    }
    // All it printed, for a failure's message.
    QString Shown() { return Lines().join(u'\n') + QStringLiteral("\n--- stderr\n") + Errors(); }

private:
    // Whole lines that arrived within `waitMs`; false when none did.
    bool TakeOutput(int waitMs) {
        if (process_.bytesAvailable() == 0 && waitMs > 0 &&
            process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(waitMs);
        }
        pending_ += process_.readAllStandardOutput();
        bool took = false;
        for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
            lines_ << QString::fromUtf8(pending_.left(end));
            pending_.remove(0, end + 1);
            took = true;
        }
        return took || (waitMs > 0 && process_.state() != QProcess::NotRunning);
    }

    QString dataHome_;
    QString configHome_;
    QString repairLog_;
    QString launcher_;
    QStringList launcherArguments_;
    std::function<void()> setup_;
    QProcess process_;
    QByteArray pending_;
    QStringList lines_;
    qsizetype read_ = 0;
    QString err_;
};

// Asks `logstatus` until it answers `want` (or nothing, or `waitMs` is over); the last answer.
inline QString AwaitLogStatus(BenchSession& bench, const QString& want, int waitMs = 90000) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const QString status =
            bench.Ask(QStringLiteral("logstatus"), QStringLiteral("log: ")).value_or(QString());
        if (status == want || status.isEmpty() || clock.elapsed() > waitMs) {
            return status;
        }
        QThread::msleep(100);
    }
}

} // namespace dorvik::test
