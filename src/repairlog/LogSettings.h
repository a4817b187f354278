#pragma once
// What the bench remembers for the repair log, in the program's settings: the operator, the
// database chosen in File > Repair Log…, and the loop limit. Never a password.

#include <QString>

namespace dorvik {

// The login name of the user running the program.
QString LoginName();
// The operator set with File > Operator…, else the login name.
QString StoredOperator();
void StoreOperator(const QString& name);

// The database of File > Repair Log… (empty: the bench's own file).
QString StoredLogSetting();
void StoreLogSetting(const QString& database);

int StoredLoopLimit();
void StoreLoopLimit(int limit);

// The bench as records name it: the host name.
QString BenchName();

} // namespace dorvik
