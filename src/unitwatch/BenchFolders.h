#pragma once
// Where the bench finds the tester's reports and the board files: the report folders and the
// board library of File > Bench Folders…, remembered in the program's settings. The environment
// variables DORVIK_REPORT_FOLDERS and DORVIK_BOARD_LIBRARY (folders separated by ':') win.

#include <QString>
#include <QStringList>

namespace dorvik {

struct BenchFolders {
    QStringList ReportFolders;
    QString BoardLibrary;

    bool operator==(const BenchFolders&) const = default;
};

// What the bench uses now: each part from its environment variable when that is set, else from
// the settings.
BenchFolders CurrentBenchFolders();
// What File > Bench Folders… stored (the environment not applied).
BenchFolders StoredBenchFolders();
void StoreBenchFolders(const BenchFolders& folders);

// Whether an environment variable decides the report folders / the board library.
bool ReportFoldersFromEnvironment();
bool BoardLibraryFromEnvironment();

// "a:b" → {"a", "b"}: blanks at the ends go, empty parts are dropped, repeats kept once.
QStringList SplitFolderList(const QString& joined);

} // namespace dorvik
