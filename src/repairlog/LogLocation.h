#pragma once
// Where the repair log lives: the bench's own SQLite file, or a line's PostgreSQL database named
// by a libpq connection string, URI or service, with the bench file as its outbox.

#include <QString>

namespace dorvik {

enum class LogKind { Sqlite, Postgres };

struct LogLocation {
    LogKind Kind = LogKind::Sqlite;
    QString SqlitePath; // the log itself, or the outbox of a line database
    QString Conninfo;   // the line database, as given

    bool operator==(const LogLocation&) const = default;
};

// The environment variable that names the log; it wins over the setting.
inline constexpr char LogEnvironmentVariable[] = "DORVIK_REPAIR_LOG";

// "postgresql://…", "postgres://…" or a text holding '=' is a connection; anything else the path
// of an SQLite file. `benchFile` is the outbox of a connection.
LogLocation ParseLogLocation(const QString& text, const QString& benchFile);

// The bench's own file: repairs.sqlite in the user's data folder ($XDG_DATA_HOME/Dorvik/).
QString DefaultBenchFile();

// The environment variable, else the setting `setting`, else the bench file.
LogLocation ResolveLogLocation(const QString& setting);

// How messages name a database: the file's path, or the connection without any password.
QString LocationName(const LogLocation& location);

} // namespace dorvik
