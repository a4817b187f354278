#include "shell/UnitCommands.h"
#include "shell/ViewerExtensions.h"

#include "repairui/RepairStation.h"
#include "repairui/UnitPanel.h"
#include "shell/BoardWarning.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/MainWindow.h"
#include "shell/NamedAction.h"
#include "shell/RepairCommands.h"
#include "shell/StatusPanels.h"
#include "unitui/BenchFoldersDialog.h"
#include "unitui/UnitReports.h"
#include "unitwatch/BenchFolders.h"
#include "unitwatch/ReportIndexService.h"
#include "view/Workspace.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace dorvik {
namespace {

QString PathOf(const IndexedReport& report) {
    return QFile::decodeName(report.Path.c_str());
}

QString EnvironmentNote() {
    QStringList parts;
    if (ReportFoldersFromEnvironment()) {
        parts << QStringLiteral("DORVIK_REPORT_FOLDERS");
    }
    if (BoardLibraryFromEnvironment()) {
        parts << QStringLiteral("DORVIK_BOARD_LIBRARY");
    }
    if (parts.isEmpty()) {
        return {};
    }
    const BenchFolders used = CurrentBenchFolders();
    QStringList folders = used.ReportFolders;
    if (!used.BoardLibrary.isEmpty()) {
        folders << QStringLiteral("the library %1").arg(used.BoardLibrary);
    }
    return QStringLiteral("%1 is set and wins over what is entered here: the bench uses %2.")
        .arg(parts.join(QStringLiteral(" and ")),
             folders.isEmpty() ? QStringLiteral("no folders") : folders.join(QStringLiteral(", ")));
}

} // namespace

UnitCommands::UnitCommands(TForm1& form1, FaultListCommands& faults, RepairCommands& repairs)
    : QObject(&form1), form1_(form1), faults_(faults), repairs_(repairs) {
    setObjectName(QStringLiteral("UnitCommands"));
    index_ = new ReportIndexService(this);

    reports_ = new UnitReports(&faults.Panel());
    faults.Panel().AddHeader(reports_);

    BenchFoldersItem = NamedAction(&form1, "BenchFolders", "&Bench Folders...");
    InsertIntoFileMenu(form1, repairs.RepairLogItem, {BenchFoldersItem});
    connect(BenchFoldersItem, &QAction::triggered, this, &UnitCommands::BenchFoldersClick);

    indexStatus_ = new QLabel(&form1.StatusBar1());
    indexStatus_->setObjectName(QStringLiteral("ReportIndexStatus"));
    indexStatus_->setStyleSheet(QStringLiteral("padding: 0 4px"));
    indexStatus_->hide();
    form1.StatusBar1().installEventFilter(this);

    connect(&repairs.Unit(), &UnitPanel::SerialEntered, this, &UnitCommands::Scan);
    connect(reports_, &UnitReports::ReportChosen, this, [this](const QString& path) {
        for (const IndexedReport& report : reports_->Reports()) {
            if (PathOf(report) == path) {
                OpenUnitReport(report);
                return;
            }
        }
    });
    connect(index_, &ReportIndexService::Changed, this, &UnitCommands::IndexChanged);
    connect(&faults, &FaultListCommands::ListShown, this, [this](const QString& path) {
        shownPath_ = path;
        if (QString::fromStdString(faults_.Unit().Serial) != serial_) {
            serial_.clear(); // another unit's list: its reports are not the scanned unit's
            reports_->SetReports({}, QString());
            reports_->SetNote(QString());
        }
    });
    connect(index_, &ReportIndexService::Completed, this, &UnitCommands::ShowIndexStatus);
    faults.SetBoardExpectation([this](const ReportUnit& unit) {
        const auto file = library_.FileFor(unit.Board);
        return file && !unit.Board.empty() ? QFile::decodeName(file->c_str()) : QString();
    });

    // The folders are walked behind the window, by the index's thread, from the start.
    UseBenchFolders();
}

void UnitCommands::UseBenchFolders() {
    const BenchFolders folders = CurrentBenchFolders();
    library_ = folders.BoardLibrary.isEmpty()
                   ? BoardLibrary()
                   : BoardLibrary::Load(QFile::encodeName(folders.BoardLibrary).toStdString());
    mapProblemsSaid_ = false;
    faults_.RecheckBoard();
    if (folders.ReportFolders != index_->Folders()) {
        index_->SetFolders(folders.ReportFolders);
    }
    // A bench that scans needs the Serial field before any report is open.
    if (!folders.ReportFolders.isEmpty() && faults_.Panel().isHidden()) {
        faults_.Panel().show();
    }
    ShowIndexStatus();
}

void UnitCommands::BenchFoldersClick() {
    BenchFoldersDialog dialog(StoredBenchFolders(), EnvironmentNote(), &form1_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    StoreBenchFolders(dialog.Folders());
    UseBenchFolders();
    SayMapProblemsOnce();
}

void UnitCommands::Scan(const QString& serial) {
    serial_ = serial;
    if (index_->Folders().isEmpty()) {
        return; // no report folders: the serial is the unit's, and that is all
    }
    const std::vector<IndexedReport> reports = index_->ReportsOf(serial);
    reports_->SetReports(reports, QString());
    if (reports.empty()) {
        QString note = QStringLiteral("No report in the report folders names %1.").arg(serial);
        if (!index_->Complete()) {
            note += QStringLiteral(" They are still being read.");
        }
        reports_->SetNote(note);
        return;
    }
    reports_->SetNote(QString());
    OpenUnitReport(reports.front());
}

void UnitCommands::OpenUnitReport(const IndexedReport& report) {
    const QString path = PathOf(report);
    if (!library_.Empty() && !report.Board.empty()) {
        const std::optional<QString> board = BoardFileFor(report);
        if (!board) {
            return;
        }
        if (!SameFile(*board, form1_.Viewer().BoardPath())) {
            form1_.OpenChosenFile(*board);
            if (!SameFile(*board, form1_.Viewer().BoardPath())) {
                return; // not opened: the operator kept the board, or it could not be read
            }
        }
    }
    faults_.OpenReport(path);
    reports_->SetReports(index_->ReportsOf(QString::fromStdString(report.Serial)), path);
}

std::optional<QString> UnitCommands::BoardFileFor(const IndexedReport& report) {
    SayMapProblemsOnce();
    if (const auto file = library_.FileFor(report.Board)) {
        return QFile::decodeName(file->c_str());
    }
    Message(QStringLiteral("The board library %1 has no board for %2, the board that %3 names.")
                .arg(QFile::decodeName(library_.Folder().c_str()),
                     QString::fromStdString(report.Board), QFileInfo(PathOf(report)).fileName()));
    return std::nullopt;
}

void UnitCommands::SayMapProblemsOnce() {
    if (mapProblemsSaid_) {
        return;
    }
    mapProblemsSaid_ = true;
    if (!library_.Error().empty()) {
        Message(QStringLiteral("The board library cannot be used: %1.")
                    .arg(QString::fromStdString(library_.Error())));
        return;
    }
    const auto& problems = library_.MapProblems();
    if (problems.empty()) {
        return;
    }
    QStringList lines;
    for (const BoardMapProblem& problem : problems) {
        lines << QStringLiteral("line %1: %2")
                     .arg(problem.Line)
                     .arg(QString::fromStdString(problem.Reason));
    }
    MessageBoxRequest box;
    box.Parent = &form1_;
    box.Text = QStringLiteral("%1 lines of %2 in %3 were skipped.")
                   .arg(problems.size())
                   .arg(QString::fromUtf8(BoardMapName.data(), BoardMapName.size()),
                        QFile::decodeName(library_.Folder().c_str()));
    box.Detail = lines.join(u'\n');
    ShowMessageBox(box);
}

void UnitCommands::IndexChanged() {
    // A report of the unit on the bench that arrives later is offered, never opened by itself.
    if (!serial_.isEmpty() && serial_ == repairs_.Station().Serial()) {
        reports_->SetReports(index_->ReportsOf(serial_), shownPath_);
        if (!reports_->Reports().empty()) {
            reports_->SetNote(QString());
        }
    }
    ShowIndexStatus();
}

bool UnitCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == &form1_.StatusBar1()) {
        ShowIndexStatus();
    }
    return QObject::eventFilter(watched, event);
}

// While the first walk runs, the status bar says so at its right end, left of the repair log's
// note when that shows; afterwards the bar is as it was.
void UnitCommands::ShowIndexStatus() {
    const bool building = !index_->Complete();
    indexStatus_->setVisible(building);
    if (!building) {
        return;
    }
    indexStatus_->setText(QStringLiteral("Reading the report folders: %1 files, %2 reports")
                              .arg(index_->FilesSeen())
                              .arg(index_->Size()));
    StatusPanels& bar = form1_.StatusBar1();
    indexStatus_->adjustSize();
    int right = bar.width();
    if (const auto* waiting = bar.findChild<QLabel*>(QStringLiteral("RepairLogWaiting"));
        waiting != nullptr && !waiting->isHidden()) {
        right = waiting->x();
    }
    const int width = std::min(indexStatus_->width(), right);
    indexStatus_->setGeometry(right - width, 0, width, bar.height());
    indexStatus_->raise();
}

void UnitCommands::Message(const QString& text) {
    MessageBoxRequest box;
    box.Parent = &form1_;
    box.Text = text;
    ShowMessageBox(box);
}

} // namespace dorvik
