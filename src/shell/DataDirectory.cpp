#include "shell/DataDirectory.h"

#include <QCoreApplication>
#include <QDir>

namespace dorvik {

QString DataDirectoryFor(const QString& programDirectory) {
    return QDir::cleanPath(programDirectory + QStringLiteral("/../share/dorvik")) +
           QLatin1Char('/');
}

QString DataDirectory() {
    return DataDirectoryFor(QCoreApplication::applicationDirPath());
}

} // namespace dorvik
