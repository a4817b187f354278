#pragma once
// A throwaway PostgreSQL server for one test: a data folder of its own under the build tree's
// server root, a free port on 127.0.0.1 and no unix socket, a superuser `dorvik` let in without a
// password and every other role only with its password, and a database `repairs`. The server
// stops and its folder goes when the object does; the test run's sweep stops what a crashed test
// binary left behind.

#include "support/PostgresPrograms.h"

#include <QString>

#include <optional>

namespace dorvik::test {

class PostgresServer {
public:
    enum class Halt {
        Fast,      // pg_ctl stop -m fast: sessions ended, a clean shutdown
        Immediate, // pg_ctl stop -m immediate: as a crash would, recovery from the log on start
    };

    // Makes the folder under `root`, runs initdb, starts the server and creates `repairs`. Without
    // a server, `whyNot` says why.
    static std::optional<PostgresServer>
    Start(QString& whyNot, const QString& root = QStringLiteral(DORVIK_TEST_POSTGRES_ROOT));

    PostgresServer(PostgresServer&& other) noexcept;
    PostgresServer& operator=(PostgresServer&& other) noexcept;
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;
    ~PostgresServer();

    // Takes the server away and brings it back on the same folder and port. On false, Error().
    bool Stop(Halt how = Halt::Fast);
    bool Start();
    bool IsRunning() const;

    // libpq keyword strings, e.g. "host=127.0.0.1 port=N dbname=repairs user=dorvik
    // connect_timeout=5". QPSQL's setConnectOptions reads ';' as a separator, so no value may
    // hold one.
    QString ConnInfo(const QString& database = QStringLiteral("repairs")) const;
    QString ConnInfoAs(const QString& role, const QString& password,
                       const QString& database = QStringLiteral("repairs")) const;
    int Port() const;
    QString Folder() const;

    // SQL as the superuser. `attributes` go after the role's LOGIN PASSWORD (e.g. "NOINHERIT");
    // an empty password makes a role that no password lets in. On false, Error().
    bool Execute(const QString& sql, const QString& database = QStringLiteral("repairs"));
    bool CreateRole(const QString& name, const QString& password, const QString& attributes = {});
    bool CreateDatabase(const QString& name);

    QString Error() const; // why the last call that returned false failed
    QString Log() const;   // what the server has written to its log

private:
    PostgresServer() = default;
    QString DataDir() const;
    bool MakeFolder(const QString& root);
    bool InitCluster();
    bool StartOnFreePort();
    bool StartOnPort(bool& portTaken);
    void Discard();

    QString binDir_;
    ServerUser user_;
    QString folder_; // empty once discarded or moved from
    int port_ = 0;
    bool running_ = false;
    QString error_;
};

} // namespace dorvik::test
