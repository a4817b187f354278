// dorvik_test_postgres_sweep [ROOT]: run by the test run before and after the suites that start
// servers, so that none outlives the run, also when a test binary crashed.

#include "support/PostgresSweep.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString root =
        arguments.size() > 1 ? arguments.at(1) : QStringLiteral(DORVIK_TEST_POSTGRES_ROOT);
    QStringList report;
    const bool clear = dorvik::test::SweepServers(root, report);
    QTextStream out(stdout);
    for (const QString& line : report) {
        out << line << '\n';
    }
    out << (clear ? "server root clear: " : "server root NOT clear: ") << root << '\n';
    return clear ? 0 : 1;
}
