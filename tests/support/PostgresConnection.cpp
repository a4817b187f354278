#include "support/PostgresConnection.h"

#include <QSqlError>

#include <atomic>

namespace dorvik::test {

namespace {
std::atomic<int> connectionCount{0};
}

PostgresConnection::PostgresConnection(const QString& connInfo)
    : name_(QStringLiteral("dorvik_test_postgres_%1").arg(++connectionCount)) {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    database.setConnectOptions(connInfo);
    database.open();
}

PostgresConnection::~PostgresConnection() {
    Database().close();
    QSqlDatabase::removeDatabase(name_);
}

bool PostgresConnection::IsOpen() const {
    return Database().isOpen();
}

QSqlDatabase PostgresConnection::Database() const {
    return QSqlDatabase::database(name_, false);
}

QString PostgresConnection::Error() const {
    return Database().lastError().text();
}

} // namespace dorvik::test
