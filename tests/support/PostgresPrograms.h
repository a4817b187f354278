#pragma once
// Finding Debian's PostgreSQL server programs and running them as a user they accept: initdb and
// postgres refuse to run as root, so under root they run as the postgres system user.

#include <QString>
#include <QStringList>

#include <optional>
#include <sys/types.h>

namespace dorvik::test {

// The folder holding initdb, pg_ctl and postgres: `versionsRoot`/15/bin, else the newest
// `versionsRoot`/<version>/bin, else the one `pgConfig --bindir` names. Empty, with the reason in
// `whyNot`, when none holds them.
QString FindPostgresBinDir(QString& whyNot,
                           const QString& versionsRoot = QStringLiteral("/usr/lib/postgresql"),
                           const QString& pgConfig = QStringLiteral("pg_config"));

// Who runs the server programs: this process's user, or under root the postgres system user.
struct ServerUser {
    bool ThroughRunuser = false;
    uid_t Uid = 0;
    gid_t Gid = 0;
};
std::optional<ServerUser> ChooseServerUser(QString& whyNot);

struct ServerProgramRun {
    bool Ok = false; // started, ended by itself within the time and exited 0
    QString Output;  // what it wrote to stdout and stderr, or why it did not run
};

// Runs `program` as `user` in `workingDir`, without the caller's PG* variables (a PGPORT or
// PGDATA of the developer's must not steer the test server).
ServerProgramRun RunAs(const ServerUser& user, const QString& program, const QStringList& arguments,
                       const QString& workingDir, int timeoutMs);

// Makes `path` the user's (under root: chown), so the server can write its data there.
bool HandOver(const ServerUser& user, const QString& path, QString& whyNot);

// Stops the server of `dataDir` the fastest way, as a crash would: pg_ctl stop -m immediate, and
// SIGKILL if it is still there after that. True when no server runs on that folder any more.
bool HaltServer(const QString& binDir, const ServerUser& user, const QString& dataDir,
                QString& whyNot);

} // namespace dorvik::test
