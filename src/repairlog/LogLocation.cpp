#include "repairlog/LogLocation.h"

#include "repairlog/PostgresConnection.h"

#include <QDir>
#include <QStandardPaths>

namespace dorvik {

LogLocation ParseLogLocation(const QString& text, const QString& benchFile) {
    const QString given = text.trimmed();
    if (given.startsWith(QLatin1String("postgresql://")) ||
        given.startsWith(QLatin1String("postgres://")) || given.contains(u'=')) {
        return {LogKind::Postgres, benchFile, given};
    }
    return {LogKind::Sqlite, given.isEmpty() ? benchFile : given, QString()};
}

QString DefaultBenchFile() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("Dorvik/repairs.sqlite"));
}

LogLocation ResolveLogLocation(const QString& setting) {
    const QString variable = qEnvironmentVariable(LogEnvironmentVariable);
    return ParseLogLocation(variable.trimmed().isEmpty() ? setting : variable, DefaultBenchFile());
}

QString LocationName(const LogLocation& location) {
    if (location.Kind == LogKind::Sqlite) {
        return location.SqlitePath;
    }
    return ConninfoWithoutPassword(location.Conninfo);
}

} // namespace dorvik
