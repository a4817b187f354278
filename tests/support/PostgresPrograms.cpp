#include "support/PostgresPrograms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <QVersionNumber>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace dorvik::test {

namespace {

bool HoldsServerPrograms(const QString& dir) {
    for (const char* name : {"initdb", "pg_ctl", "postgres"}) {
        const QFileInfo program(dir + QLatin1Char('/') + QLatin1String(name));
        if (!program.isFile() || !program.isExecutable()) {
            return false;
        }
    }
    return true;
}

// Compared as versions, so 10 is newer than 9.6.
QString NewestVersionBinDir(const QString& versionsRoot) {
    QVersionNumber newest;
    QString newestDir;
    const QStringList names = QDir(versionsRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        qsizetype suffix = 0;
        const QVersionNumber version = QVersionNumber::fromString(name, &suffix);
        const QString dir = versionsRoot + QLatin1Char('/') + name + QStringLiteral("/bin");
        if (!version.isNull() && suffix == name.size() && version > newest &&
            HoldsServerPrograms(dir)) {
            newest = version;
            newestDir = dir;
        }
    }
    return newestDir;
}

QString PgConfigBinDir(const QString& pgConfig) {
    QProcess config;
    config.start(pgConfig, {QStringLiteral("--bindir")});
    if (!config.waitForFinished(10000) || config.exitStatus() != QProcess::NormalExit ||
        config.exitCode() != 0) {
        return {};
    }
    return QString::fromLocal8Bit(config.readAllStandardOutput()).trimmed();
}

QString Runuser() {
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("runuser"));
    if (!onPath.isEmpty()) {
        return onPath;
    }
    return QStandardPaths::findExecutable(QStringLiteral("runuser"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

// The first line of postmaster.pid is the server's process id.
pid_t PostmasterPid(const QString& pidFile) {
    QFile file(pidFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    return static_cast<pid_t>(file.readLine().trimmed().toLong());
}

// A stale postmaster.pid may name a process id that has since gone to another program; the
// postmaster works in its data folder, which tells it apart.
bool IsPostmasterOf(pid_t pid, const QString& dataDir) {
    const QString cwd = QFileInfo(QStringLiteral("/proc/%1/cwd").arg(pid)).symLinkTarget();
    return !cwd.isEmpty() && cwd == QFileInfo(dataDir).canonicalFilePath();
}

// The server outlives the program that starts it, so it must not hold what this process has
// open: a pipe a parent waits on to close (ctest's, a death test's) would never close.
void KeepDescriptorsHere() {
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = 3, last = static_cast<int>(::sysconf(_SC_OPEN_MAX)); fd < last; ++fd) {
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
}

} // namespace

QString FindPostgresBinDir(QString& whyNot, const QString& versionsRoot, const QString& pgConfig) {
    const QString preferred = versionsRoot + QStringLiteral("/15/bin");
    if (HoldsServerPrograms(preferred)) {
        return preferred;
    }
    const QString newest = NewestVersionBinDir(versionsRoot);
    if (!newest.isEmpty()) {
        return newest;
    }
    const QString configured = PgConfigBinDir(pgConfig);
    if (!configured.isEmpty() && HoldsServerPrograms(configured)) {
        return configured;
    }
    whyNot = QStringLiteral("no PostgreSQL server programs (initdb, pg_ctl, postgres) in %1/*/bin "
                            "nor in the folder `%2 --bindir` names; install Debian's "
                            "postgresql-15 (./test.sh does, as root)")
                 .arg(versionsRoot, pgConfig);
    return {};
}

std::optional<ServerUser> ChooseServerUser(QString& whyNot) {
    if (::geteuid() != 0) {
        return ServerUser{false, ::geteuid(), ::getegid()};
    }
    const passwd* postgres = ::getpwnam("postgres");
    if (postgres == nullptr || postgres->pw_uid == 0) {
        whyNot = QStringLiteral("running as root, and there is no postgres system user to run the "
                                "server as (Debian's postgresql-15 package makes it)");
        return std::nullopt;
    }
    if (Runuser().isEmpty()) {
        whyNot = QStringLiteral("running as root, and runuser (util-linux) is not installed to run "
                                "the server as the postgres user");
        return std::nullopt;
    }
    return ServerUser{true, postgres->pw_uid, postgres->pw_gid};
}

ServerProgramRun RunAs(const ServerUser& user, const QString& program, const QStringList& arguments,
                       const QString& workingDir, int timeoutMs) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : environment.keys()) {
        if (name.startsWith(QStringLiteral("PG"))) {
            environment.remove(name);
        }
    }
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier(KeepDescriptorsHere);
    if (user.ThroughRunuser) {
        process.start(Runuser(), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                             QStringLiteral("--"), program} +
                                     arguments);
    } else {
        process.start(program, arguments);
    }
    ServerProgramRun run;
    if (!process.waitForStarted()) {
        run.Output = program + QStringLiteral(" did not start: ") + process.errorString();
        return run;
    }
    const bool ended = process.waitForFinished(timeoutMs);
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    run.Output = QString::fromLocal8Bit(process.readAll());
    if (!ended) {
        run.Output += QStringLiteral("\n%1 did not end within %2 ms").arg(program).arg(timeoutMs);
        return run;
    }
    run.Ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return run;
}

bool HandOver(const ServerUser& user, const QString& path, QString& whyNot) {
    if (!user.ThroughRunuser) {
        return true;
    }
    if (::chown(QFile::encodeName(path).constData(), user.Uid, user.Gid) != 0) {
        whyNot = QStringLiteral("cannot give %1 to the postgres user: %2")
                     .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

bool HaltServer(const QString& binDir, const ServerUser& user, const QString& dataDir,
                QString& whyNot) {
    const QString pidFile = dataDir + QStringLiteral("/postmaster.pid");
    if (!QFileInfo::exists(pidFile)) {
        return true;
    }
    const pid_t pid = PostmasterPid(pidFile);
    const ServerProgramRun stop =
        RunAs(user, binDir + QStringLiteral("/pg_ctl"),
              {QStringLiteral("stop"), QStringLiteral("-D"), dataDir, QStringLiteral("-m"),
               QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("-t"),
               QStringLiteral("30")},
              dataDir, 40000);
    if (stop.Ok || pid <= 0 || !IsPostmasterOf(pid, dataDir)) {
        return true;
    }
    ::kill(pid, SIGKILL);
    for (int wait = 0; wait < 50 && IsPostmasterOf(pid, dataDir); ++wait) {
        QThread::msleep(100);
    }
    if (IsPostmasterOf(pid, dataDir)) {
        whyNot = QStringLiteral("the server of %1 (process %2) does not stop: %3")
                     .arg(dataDir)
                     .arg(pid)
                     .arg(stop.Output);
        return false;
    }
    return true;
}

} // namespace dorvik::test
