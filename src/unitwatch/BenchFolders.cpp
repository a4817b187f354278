#include "unitwatch/BenchFolders.h"

#include "settings/ProgramSettings.h"

namespace dorvik {
namespace {

const QString ReportFoldersKey = QStringLiteral("BenchFolders/ReportFolders");
const QString BoardLibraryKey = QStringLiteral("BenchFolders/BoardLibrary");
constexpr char ReportFoldersVariable[] = "DORVIK_REPORT_FOLDERS";
constexpr char BoardLibraryVariable[] = "DORVIK_BOARD_LIBRARY";

} // namespace

QStringList SplitFolderList(const QString& joined) {
    QStringList folders;
    for (const QString& part : joined.split(u':')) {
        const QString folder = part.trimmed();
        if (!folder.isEmpty() && !folders.contains(folder)) {
            folders.append(folder);
        }
    }
    return folders;
}

bool ReportFoldersFromEnvironment() {
    return qEnvironmentVariableIsSet(ReportFoldersVariable);
}

bool BoardLibraryFromEnvironment() {
    return qEnvironmentVariableIsSet(BoardLibraryVariable);
}

BenchFolders StoredBenchFolders() {
    QSettings settings = ProgramSettings();
    BenchFolders folders;
    for (const QString& folder : settings.value(ReportFoldersKey).toStringList()) {
        if (!folder.trimmed().isEmpty() && !folders.ReportFolders.contains(folder.trimmed())) {
            folders.ReportFolders.append(folder.trimmed());
        }
    }
    folders.BoardLibrary = settings.value(BoardLibraryKey).toString().trimmed();
    return folders;
}

void StoreBenchFolders(const BenchFolders& folders) {
    QSettings settings = ProgramSettings();
    settings.setValue(ReportFoldersKey, folders.ReportFolders);
    settings.setValue(BoardLibraryKey, folders.BoardLibrary);
}

BenchFolders CurrentBenchFolders() {
    BenchFolders folders = StoredBenchFolders();
    if (ReportFoldersFromEnvironment()) {
        folders.ReportFolders = SplitFolderList(qEnvironmentVariable(ReportFoldersVariable));
    }
    if (BoardLibraryFromEnvironment()) {
        // One folder; a list names the first.
        const QStringList given = SplitFolderList(qEnvironmentVariable(BoardLibraryVariable));
        folders.BoardLibrary = given.isEmpty() ? QString() : given.front();
    }
    return folders;
}

} // namespace dorvik
