#pragma once
// A line database's connection, read by libpq's own parser (keywords, URI or service), and handed
// to Qt's PostgreSQL driver as connect options. Passwords come from libpq's password file or
// service file; Dorvik never keeps one, and never shows one.

#include <QString>

namespace dorvik {

// How long a bench waits for the line database to answer before it counts as unreachable.
inline constexpr int ConnectTimeoutSeconds = 5;

struct PostgresOptions {
    QString ConnectOptions; // for QSqlDatabase::setConnectOptions; empty when Error is set
    QString Error;          // why the connection cannot be used as written
};

// Adds connect_timeout and application_name unless the connection gives them.
PostgresOptions PostgresConnectOptions(const QString& conninfo);

// Whether the text gives a password (which belongs in libpq's password or service file).
bool GivesPassword(const QString& conninfo);

// "host=… port=… dbname=…": every setting the connection gives but the password.
QString ConninfoWithoutPassword(const QString& conninfo);

} // namespace dorvik
