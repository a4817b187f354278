#pragma once
// The one form in which a database's complaint reaches a message.

#include <QSqlError>
#include <QString>

namespace dorvik {

inline QString SqlError(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (text.isEmpty()) {
        text = driver;
    } else if (!driver.isEmpty() && !text.contains(driver)) {
        text += QStringLiteral(" (") + driver + u')';
    }
    return text.isEmpty() ? QStringLiteral("the database gave no reason") : text;
}

} // namespace dorvik
