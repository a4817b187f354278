#pragma once
// A Qt SQL connection through the QPSQL driver under a name of its own, given a libpq keyword
// string; the connection is closed and its name released when the object goes.

#include <QSqlDatabase>
#include <QString>

namespace dorvik::test {

class PostgresConnection {
public:
    // Opens at once; IsOpen() and Error() tell how that went.
    explicit PostgresConnection(const QString& connInfo);
    ~PostgresConnection();
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    bool IsOpen() const;
    QSqlDatabase Database() const;
    QString Error() const; // the last error of the connection, as the driver words it

private:
    QString name_;
};

} // namespace dorvik::test
