#pragma once
// Scanning a unit in the main window: File > Bench Folders…, the index of the report folders
// (its progress in the status bar), and the Serial field's Enter opening the unit's newest
// report on the board the library gives for it. The key table is untouched.

#include "unitindex/BoardLibrary.h"
#include "unitindex/IndexedReport.h"

#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QLabel;

namespace dorvik {

class FaultListCommands;
class RepairCommands;
class ReportIndexService;
class TForm1;
class UnitReports;

class UnitCommands final : public QObject {
    Q_OBJECT

public:
    UnitCommands(TForm1& form1, FaultListCommands& faults, RepairCommands& repairs);

    void BenchFoldersClick();
    // What Enter in the Serial field does once the serial is the unit's.
    void Scan(const QString& serial);
    // Opens `report` after its board, as a scan does.
    void OpenUnitReport(const IndexedReport& report);

    ReportIndexService& Index() const noexcept { return *index_; }
    const BoardLibrary& Library() const noexcept { return library_; }
    UnitReports& Reports() const noexcept { return *reports_; }

    std::vector<QAction*> MenuActions() const { return {BenchFoldersItem}; }
    QAction* BenchFoldersItem = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the bench folders again: the library now, the index in the background.
    void UseBenchFolders();
    // The library's file for a board name; a message when it has none or its map has bad lines.
    std::optional<QString> BoardFileFor(const IndexedReport& report);
    void SayMapProblemsOnce();
    void IndexChanged();
    void ShowIndexStatus();
    void Message(const QString& text);

    TForm1& form1_;
    FaultListCommands& faults_;
    RepairCommands& repairs_;
    ReportIndexService* index_ = nullptr;
    BoardLibrary library_;
    bool mapProblemsSaid_ = false;
    UnitReports* reports_ = nullptr;
    QLabel* indexStatus_ = nullptr;
    QString serial_;    // the serial scanned last
    QString shownPath_; // the report of the list shown
};

} // namespace dorvik
