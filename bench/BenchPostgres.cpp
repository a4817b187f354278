#include "BenchPostgres.h"

#ifdef DORVIK_BENCH_OWN_POSTGRES
#include "support/PostgresServer.h"
#endif

namespace dorvik::bench {

std::optional<QString> BenchPostgresDatabase(std::string& whyNot) {
    const QString given = qEnvironmentVariable("DORVIK_BENCH_POSTGRES").trimmed();
    if (!given.isEmpty()) {
        return given;
    }
#ifdef DORVIK_BENCH_OWN_POSTGRES
    static std::optional<test::PostgresServer> server;
    static std::string serverWhyNot;
    static int databases = 0;
    if (!server && serverWhyNot.empty()) {
        QString error;
        server = test::PostgresServer::Start(error);
        serverWhyNot = server ? std::string() : "no PostgreSQL server: " + error.toStdString();
    }
    if (!server) {
        whyNot = serverWhyNot;
        return std::nullopt;
    }
    const QString name = QStringLiteral("bench_%1").arg(++databases);
    if (!server->CreateDatabase(name)) {
        whyNot = server->Error().toStdString();
        return std::nullopt;
    }
    return server->ConnInfo(name);
#else
    whyNot = "set DORVIK_BENCH_POSTGRES to a PostgreSQL connection (or build with the tests)";
    return std::nullopt;
#endif
}

} // namespace dorvik::bench
