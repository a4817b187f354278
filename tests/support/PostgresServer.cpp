#include "support/PostgresServer.h"

#include "support/PostgresConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

namespace dorvik::test {

namespace {

constexpr int ProgramTimeoutMs = 120000;
constexpr int PortTries = 5;

// Appended to what initdb wrote (later settings win). fsync stays on, as on the line: the repair
// log's durability is what the tests check, and a commit's 0.3 to 4 ms (as busy as the disk is)
// against 0.04 ms without it is small beside the 1 to 2 s a server takes to start
// (dorvik-postgres-bench). syncfs brings the start after an immediate stop from 6 s to 1 or 2
// s: one sync of the disk instead of one per file.
constexpr char ServerSettings[] = "\n# A test server: TCP on 127.0.0.1 only, no unix socket.\n"
                                  "listen_addresses = '127.0.0.1'\n"
                                  "unix_socket_directories = ''\n"
                                  "fsync = on\n"
                                  "recovery_init_sync_method = syncfs\n";

constexpr char ClientAuthentication[] =
    "# dorvik, the tests' superuser, comes in without a password; every other role only with its\n"
    "# own, so a wrong one is really refused.\n"
    "host all dorvik 127.0.0.1/32 trust\n"
    "host all all    127.0.0.1/32 scram-sha-256\n";

// A port nobody listens on now. Another process may still take it before the server does; the
// caller then tries another.
int FreePort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        return 0;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(socket);
    return port;
}

// A libpq keyword value, quoted where it has to be.
QString Value(QString value) {
    if (!value.isEmpty() && !value.contains(QLatin1Char(' ')) &&
        !value.contains(QLatin1Char('\'')) && !value.contains(QLatin1Char('\\'))) {
        return value;
    }
    value.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    value.replace(QStringLiteral("'"), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

QString Identifier(QString name) {
    return QLatin1Char('"') + name.replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString Literal(QString text) {
    return QLatin1Char('\'') + text.replace(QStringLiteral("'"), QStringLiteral("''")) +
           QLatin1Char('\'');
}

bool WriteText(const QString& path, const char* text, QIODevice::OpenMode mode, QString& whyNot) {
    QFile file(path);
    if (!file.open(mode) || file.write(text) < 0) {
        whyNot = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

std::optional<PostgresServer> PostgresServer::Start(QString& whyNot, const QString& root) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        whyNot = QStringLiteral("Qt's PostgreSQL driver QPSQL is not installed (Debian package "
                                "libqt6sql6-psql; ./test.sh installs it)");
        return std::nullopt;
    }
    PostgresServer server;
    server.binDir_ = FindPostgresBinDir(whyNot);
    if (server.binDir_.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<ServerUser> user = ChooseServerUser(whyNot);
    if (!user) {
        return std::nullopt;
    }
    server.user_ = *user;
    if (!server.MakeFolder(root) || !server.InitCluster() || !server.StartOnFreePort() ||
        !server.CreateDatabase(QStringLiteral("repairs"))) {
        whyNot = server.error_;
        return std::nullopt;
    }
    return server;
}

PostgresServer::PostgresServer(PostgresServer&& other) noexcept
    : binDir_(std::move(other.binDir_)), user_(other.user_),
      folder_(std::exchange(other.folder_, QString())), port_(other.port_),
      running_(std::exchange(other.running_, false)), error_(std::move(other.error_)) {}

PostgresServer& PostgresServer::operator=(PostgresServer&& other) noexcept {
    if (this != &other) {
        Discard();
        binDir_ = std::move(other.binDir_);
        user_ = other.user_;
        folder_ = std::exchange(other.folder_, QString());
        port_ = other.port_;
        running_ = std::exchange(other.running_, false);
        error_ = std::move(other.error_);
    }
    return *this;
}

PostgresServer::~PostgresServer() {
    Discard();
}

// The data goes with the server, so nothing needs a clean shutdown.
void PostgresServer::Discard() {
    if (folder_.isEmpty()) {
        return;
    }
    QString ignored;
    HaltServer(binDir_, user_, DataDir(), ignored);
    QDir(folder_).removeRecursively();
    folder_.clear();
    running_ = false;
}

QString PostgresServer::DataDir() const {
    return folder_ + QStringLiteral("/data");
}

bool PostgresServer::MakeFolder(const QString& root) {
    if (!QDir().mkpath(root)) {
        error_ = QStringLiteral("cannot make the server root %1").arg(root);
        return false;
    }
    // The postgres user has to pass through it when the tests run as root.
    QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                    QFile::ExeOther);
    QByteArray pattern = QFile::encodeName(root + QStringLiteral("/server-XXXXXX"));
    if (::mkdtemp(pattern.data()) == nullptr) {
        error_ = QStringLiteral("cannot make a server folder in %1").arg(root);
        return false;
    }
    folder_ = QFile::decodeName(pattern);
    if (!HandOver(user_, folder_, error_)) {
        return false;
    }
    if (user_.ThroughRunuser && !RunAs(user_, QStringLiteral("/usr/bin/test"),
                                       {QStringLiteral("-w"), folder_}, folder_, ProgramTimeoutMs)
                                     .Ok) {
        error_ = QStringLiteral("the postgres user cannot reach %1: a folder above it is closed "
                                "to other users; build in one they can enter")
                     .arg(folder_);
        return false;
    }
    return true;
}

bool PostgresServer::InitCluster() {
    const ServerProgramRun init =
        RunAs(user_, binDir_ + QStringLiteral("/initdb"),
              {QStringLiteral("-D"), DataDir(), QStringLiteral("-U"), QStringLiteral("dorvik"),
               QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
               QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("--no-sync"),
               QStringLiteral("--no-instructions")},
              folder_, ProgramTimeoutMs);
    if (!init.Ok) {
        error_ = QStringLiteral("initdb failed: ") + init.Output;
        return false;
    }
    return WriteText(DataDir() + QStringLiteral("/postgresql.conf"), ServerSettings,
                     QIODevice::Append, error_) &&
           WriteText(DataDir() + QStringLiteral("/pg_hba.conf"), ClientAuthentication,
                     QIODevice::WriteOnly | QIODevice::Truncate, error_);
}

bool PostgresServer::StartOnFreePort() {
    for (int attempt = 0; attempt < PortTries; ++attempt) {
        port_ = FreePort();
        if (port_ == 0) {
            error_ = QStringLiteral("no free TCP port on 127.0.0.1");
            return false;
        }
        bool portTaken = false;
        if (StartOnPort(portTaken)) {
            return true;
        }
        if (!portTaken) {
            return false;
        }
    }
    return false;
}

bool PostgresServer::StartOnPort(bool& portTaken) {
    const QString logPath = folder_ + QStringLiteral("/server.log");
    const qint64 logStart = QFileInfo(logPath).size();
    const ServerProgramRun start =
        RunAs(user_, binDir_ + QStringLiteral("/pg_ctl"),
              {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-t"),
               QStringLiteral("60"), QStringLiteral("-D"), DataDir(), QStringLiteral("-l"), logPath,
               QStringLiteral("-o"), QStringLiteral("-p %1").arg(port_)},
              folder_, ProgramTimeoutMs);
    running_ = start.Ok;
    if (running_) {
        return true;
    }
    const QString log = Log().mid(logStart);
    portTaken = log.contains(QStringLiteral("Address already in use"));
    error_ = QStringLiteral("the server did not start on port %1: %2\n%3")
                 .arg(port_)
                 .arg(start.Output, log);
    // pg_ctl may have given up on a server that is still coming up.
    QString ignored;
    HaltServer(binDir_, user_, DataDir(), ignored);
    return false;
}

bool PostgresServer::Stop(Halt how) {
    const ServerProgramRun stop =
        RunAs(user_, binDir_ + QStringLiteral("/pg_ctl"),
              {QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-t"),
               QStringLiteral("60"), QStringLiteral("-D"), DataDir(), QStringLiteral("-m"),
               how == Halt::Fast ? QStringLiteral("fast") : QStringLiteral("immediate")},
              folder_, ProgramTimeoutMs);
    if (!stop.Ok) {
        error_ = QStringLiteral("the server did not stop: ") + stop.Output;
        return false;
    }
    running_ = false;
    return true;
}

bool PostgresServer::Start() {
    if (running_) {
        return true;
    }
    bool portTaken = false;
    return StartOnPort(portTaken);
}

bool PostgresServer::IsRunning() const {
    return running_;
}

QString PostgresServer::ConnInfo(const QString& database) const {
    return QStringLiteral("host=127.0.0.1 port=%1 dbname=%2 user=dorvik connect_timeout=5")
        .arg(port_)
        .arg(Value(database));
}

QString PostgresServer::ConnInfoAs(const QString& role, const QString& password,
                                   const QString& database) const {
    QString info = QStringLiteral("host=127.0.0.1 port=%1 dbname=%2 user=%3 connect_timeout=5")
                       .arg(port_)
                       .arg(Value(database), Value(role));
    if (!password.isEmpty()) {
        info += QStringLiteral(" password=") + Value(password);
    }
    return info;
}

int PostgresServer::Port() const {
    return port_;
}

QString PostgresServer::Folder() const {
    return folder_;
}

bool PostgresServer::Execute(const QString& sql, const QString& database) {
    const PostgresConnection connection(ConnInfo(database));
    if (!connection.IsOpen()) {
        error_ = connection.Error();
        return false;
    }
    QSqlQuery query(connection.Database());
    if (!query.exec(sql)) {
        error_ = query.lastError().text();
        return false;
    }
    return true;
}

bool PostgresServer::CreateRole(const QString& name, const QString& password,
                                const QString& attributes) {
    QString sql = QStringLiteral("CREATE ROLE ") + Identifier(name) + QStringLiteral(" LOGIN");
    if (!password.isEmpty()) {
        sql += QStringLiteral(" PASSWORD ") + Literal(password);
    }
    return Execute(sql + QLatin1Char(' ') + attributes);
}

bool PostgresServer::CreateDatabase(const QString& name) {
    return Execute(QStringLiteral("CREATE DATABASE ") + Identifier(name),
                   QStringLiteral("postgres"));
}

QString PostgresServer::Error() const {
    return error_;
}

QString PostgresServer::Log() const {
    QFile log(folder_ + QStringLiteral("/server.log"));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

} // namespace dorvik::test
