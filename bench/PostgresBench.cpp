// dorvik-postgres-bench: what a test pays for a PostgreSQL server of its own: starting one
// (initdb, start, the repairs database), a committed insert with fsync on and off, and coming back
// after an immediate stop (crash recovery).
#include "support/PostgresConnection.h"
#include "support/PostgresServer.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <clocale>
#include <optional>

namespace {

using dorvik::test::PostgresConnection;
using dorvik::test::PostgresServer;

std::optional<PostgresServer> StartServer(benchmark::State& state) {
    QString whyNot;
    std::optional<PostgresServer> server = PostgresServer::Start(whyNot);
    if (!server) {
        state.SkipWithError(whyNot.toStdString().c_str());
    }
    return server;
}

void postgres_start(benchmark::State& state) {
    for (auto _ : state) {
        std::optional<PostgresServer> server = StartServer(state);
        if (!server) {
            break;
        }
        state.PauseTiming();
        server.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(postgres_start)->Unit(benchmark::kMillisecond)->Iterations(5);

// Range 0: fsync on (1) or off (0), set through ALTER SYSTEM and a restart.
void postgres_commit(benchmark::State& state) {
    std::optional<PostgresServer> server = StartServer(state);
    if (!server) {
        return;
    }
    const char* fsync = state.range(0) != 0 ? "on" : "off";
    if (!server->Execute(QStringLiteral("ALTER SYSTEM SET fsync = %1").arg(fsync)) ||
        !server->Stop() || !server->Start() ||
        !server->Execute(
            QStringLiteral("CREATE TABLE repair (id serial PRIMARY KEY, note text)"))) {
        state.SkipWithError(server->Error().toStdString().c_str());
        return;
    }
    const PostgresConnection connection(server->ConnInfo());
    QSqlQuery query(connection.Database());
    query.prepare(QStringLiteral("INSERT INTO repair (note) VALUES (?)"));
    for (auto _ : state) {
        query.addBindValue(QStringLiteral("R12 reworked"));
        if (!query.exec()) {
            state.SkipWithError("insert failed");
            break;
        }
    }
}
BENCHMARK(postgres_commit)->ArgName("fsync")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void postgres_back_after_immediate_stop(benchmark::State& state) {
    std::optional<PostgresServer> server = StartServer(state);
    if (!server) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        const bool stopped = server->Stop(PostgresServer::Halt::Immediate);
        state.ResumeTiming();
        if (!stopped || !server->Start()) {
            state.SkipWithError(server->Error().toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(postgres_back_after_immediate_stop)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    const QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
