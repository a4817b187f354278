#include "repairlog/LogSettings.h"

#include "repairlog/UnitHistory.h"
#include "settings/ProgramSettings.h"

#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

namespace dorvik {
namespace {

const QString OperatorKey = QStringLiteral("RepairLog/Operator");
const QString DatabaseKey = QStringLiteral("RepairLog/Database");
const QString LoopLimitKey = QStringLiteral("RepairLog/LoopLimit");

} // namespace

QString LoginName() {
    for (const char* variable : {"LOGNAME", "USER"}) {
        const QString name = qEnvironmentVariable(variable).trimmed();
        if (!name.isEmpty()) {
            return name;
        }
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_name) {
        return QString::fromLocal8Bit(entry->pw_name);
    }
    return QStringLiteral("operator");
}

QString StoredOperator() {
    const QString name = ProgramSettings().value(OperatorKey).toString();
    return name.isEmpty() ? LoginName() : name;
}

void StoreOperator(const QString& name) {
    ProgramSettings().setValue(OperatorKey, name);
}

QString StoredLogSetting() {
    return ProgramSettings().value(DatabaseKey).toString();
}

void StoreLogSetting(const QString& database) {
    ProgramSettings().setValue(DatabaseKey, database);
}

int StoredLoopLimit() {
    bool ok = false;
    const int limit = ProgramSettings().value(LoopLimitKey).toInt(&ok);
    return ok && limit > 0 ? limit : DefaultLoopLimit;
}

void StoreLoopLimit(int limit) {
    ProgramSettings().setValue(LoopLimitKey, limit);
}

QString BenchName() {
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QStringLiteral("bench") : host;
}

} // namespace dorvik
