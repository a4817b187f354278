#include "shell/RepairCommands.h"

#include "repairlog/LogLocation.h"
#include "repairlog/LogSettings.h"
#include "repairlog/PostgresConnection.h"
#include "repairui/RepairLogDialog.h"
#include "repairui/RepairStation.h"
#include "repairui/TextEntryDialog.h"
#include "repairui/UnitPanel.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/MainWindow.h"
#include "shell/NamedAction.h"
#include "shell/StatusPanels.h"
#include "view/Workspace.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace dorvik {
RepairCommands::RepairCommands(TForm1& form1, FaultListCommands& faults)
    : QObject(&form1), form1_(form1), faults_(faults) {
    setObjectName(QStringLiteral("RepairCommands"));
    station_ = new RepairStation(&form1);
    FaultListPanel& panel = faults.Panel();
    unit_ = new UnitPanel(*station_, &panel);
    panel.AddHeader(unit_);

    OperatorItem = NamedAction(&form1, "Operator", "Op&erator...");
    RepairLogItem = NamedAction(&form1, "RepairLog", "Repair &Log...");
    InsertIntoFileMenu(form1, faults.OpenReportItem, {OperatorItem, RepairLogItem});
    connect(OperatorItem, &QAction::triggered, this, &RepairCommands::OperatorClick);
    connect(RepairLogItem, &QAction::triggered, this, &RepairCommands::RepairLogClick);

    // Records wait in the outbox only while a line database is out of reach: then the status bar
    // says so at its right end, and otherwise it is exactly as it was.
    waiting_ = new QLabel(&form1.StatusBar1());
    waiting_->setObjectName(QStringLiteral("RepairLogWaiting"));
    waiting_->setStyleSheet(QStringLiteral("background: #ffffc0; color: #800000; padding: 0 4px"));
    waiting_->hide();
    form1.StatusBar1().installEventFilter(this);

    connect(&panel, &FaultListPanel::TickWanted, this, &RepairCommands::TickWanted);
    connect(&panel, &FaultListPanel::FaultShown, station_, &RepairStation::FaultShown);
    connect(station_, &RepairStation::UnitChanged, this, &RepairCommands::ShowUnit);
    connect(station_, &RepairStation::LogStatusChanged, this, &RepairCommands::ShowLogStatus);
    connect(&faults, &FaultListCommands::ListShown, this, [this](const QString& path) {
        const ReportUnit& unit = faults_.Unit();
        station_->ListShown(faults_.Panel().List(), QString::fromStdString(unit.Serial),
                            QString::fromStdString(unit.Board), path,
                            QString::fromStdString(unit.Tested));
    });
    connect(unit_, &UnitPanel::SerialEntered, this,
            [this](const QString& serial) { faults_.SetSerial(serial); });
    connect(&form1, &TForm1::BoardOpened, station_, &RepairStation::BoardOpened);

    const auto keep = [this](const QString& going) {
        return station_->ConfirmLeaving(faults_.Panel().List(), going);
    };
    faults.SetLeaveCheck(keep);
    form1.SetLeaveCheck(keep);
}

void RepairCommands::TickWanted(std::size_t fault, std::size_t k, bool repaired) {
    FaultListPanel& panel = faults_.Panel();
    if (repaired) {
        if (const auto id = station_->Tick(panel.List(), fault, form1_.Work().Board)) {
            panel.SetRepaired(fault, true);
            emit Repaired(k + 1, *id);
        }
    } else if (const auto id = station_->Untick(panel.List(), fault)) {
        panel.SetRepaired(fault, false);
        if (!id->isEmpty()) {
            emit Unrepaired(k + 1, *id);
        }
    }
}

void RepairCommands::ShowUnit() {
    FaultListPanel& panel = faults_.Panel();
    const std::size_t faults = panel.List().Faults().size();
    std::vector<bool> repeats(faults);
    for (std::size_t f = 0; f < faults; ++f) {
        repeats[f] = station_->IsRepeat(f);
    }
    panel.SetRepeats(repeats);
    // Ticks of this visit that the log holds show, also when the list was read afresh.
    for (const std::size_t f : station_->LoggedFaults()) {
        if (f < faults && !panel.List().Faults()[f].Repaired) {
            panel.SetRepaired(f, true);
        }
    }
}

bool RepairCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == &form1_.StatusBar1()) {
        ShowLogStatus(); // keeps the note at the bar's right end
    }
    return QObject::eventFilter(watched, event);
}

void RepairCommands::ShowLogStatus() {
    const QString text = station_->WaitingText();
    waiting_->setText(text);
    waiting_->setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        StatusPanels& bar = form1_.StatusBar1();
        waiting_->adjustSize();
        const int width = std::min(waiting_->width(), bar.width());
        waiting_->setGeometry(bar.width() - width, 0, width, bar.height());
        waiting_->raise();
    }
}

void RepairCommands::OperatorClick() {
    TextEntry entry;
    entry.WindowName = "OperatorWindow";
    entry.EditName = "OperatorEdit";
    entry.Title = QStringLiteral("Operator");
    entry.Prompt = QStringLiteral("&Name or badge number of the operator at this bench:");
    entry.Text = station_->Operator();
    entry.Note = QStringLiteral("Every repair recorded from now on names this operator.");
    TextEntryDialog dialog(entry, &form1_);
    while (dialog.exec() == QDialog::Accepted) {
        if (station_->SetOperator(dialog.Text())) {
            return;
        }
    }
}

void RepairCommands::RepairLogClick() {
    QString note = QStringLiteral("Passwords belong in libpq's password or service file, never "
                                  "here. This bench's own file: %1.")
                       .arg(DefaultBenchFile());
    if (!qEnvironmentVariable(LogEnvironmentVariable).trimmed().isEmpty()) {
        note += QStringLiteral(" %1 is set and wins over this setting: %2.")
                    .arg(QLatin1String(LogEnvironmentVariable), station_->Log().Name());
    }
    RepairLogDialog dialog(StoredLogSetting(), station_->LoopLimit(), note, &form1_);
    while (dialog.exec() == QDialog::Accepted) {
        const LogLocation chosen = ParseLogLocation(dialog.Database(), DefaultBenchFile());
        if (chosen.Kind == LogKind::Postgres && GivesPassword(chosen.Conninfo)) {
            MessageBoxRequest box;
            box.Parent = &form1_;
            box.Text = QStringLiteral("Dorvik keeps no password: put it in libpq's password file "
                                      "(~/.pgpass) or service file, and leave it out here.");
            ShowMessageBox(box);
            continue;
        }
        station_->SetLoopLimit(dialog.LoopLimit());
        if (dialog.Database().trimmed() != StoredLogSetting()) {
            station_->UseLogSetting(dialog.Database());
        }
        return;
    }
}

} // namespace dorvik
