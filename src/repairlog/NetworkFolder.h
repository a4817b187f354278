#pragma once
// SQLite's WAL journal needs a local disk: a line shares PostgreSQL, never an SQLite file on a
// network share.

#include <QString>

namespace dorvik {

// The file system type when the file's folder lies on a network file system, else empty.
QString NetworkFileSystemOf(const QString& path);

} // namespace dorvik
