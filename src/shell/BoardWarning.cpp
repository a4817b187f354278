#include "shell/BoardWarning.h"

#include <QDir>
#include <QFileInfo>

namespace dorvik {

namespace {

// A link or a ".." leads to the same file; a file that is gone is still named by its clean
// absolute path.
QString FileIdentity(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

bool SameFile(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() && FileIdentity(a) == FileIdentity(b);
}

QString FewFaultsOnBoardWarning(const FaultList& list) {
    const std::size_t all = list.Faults().size();
    const std::size_t onBoard = list.FaultsOnBoard();
    if (2 * onBoard >= all) {
        return {};
    }
    return QStringLiteral("This board has only %1 of the %2 faults' names and probes: is it the "
                          "board of this report?")
        .arg(onBoard)
        .arg(all);
}

QString OtherBoardFileWarning(const QString& expected, const QString& open,
                              const QString& boardName) {
    if (expected.isEmpty() || open.isEmpty() || SameFile(expected, open)) {
        return {};
    }
    return QStringLiteral("The board library gives %1 for the report's board %2, but %3 is open.")
        .arg(QFileInfo(expected).fileName(), boardName, QFileInfo(open).fileName());
}

} // namespace dorvik
