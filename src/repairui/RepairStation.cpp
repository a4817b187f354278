#include "repairui/RepairStation.h"

#include "repairlog/EnteredText.h"
#include "repairlog/FaultFacts.h"
#include "repairlog/LogSettings.h"
#include "repairlog/NetworkFolder.h"
#include "repairlog/RepairActions.h"
#include "repairlog/UtcTime.h"
#include "repairui/RepairDialog.h"
#include "widgets/MessageBoxes.h"

#include <QFileInfo>
#include <QUuid>

namespace dorvik {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

RepairStation::RepairStation(QWidget* window)
    : QObject(window), window_(window), operator_(StoredOperator()), loopLimit_(StoredLoopLimit()) {
    setObjectName(QStringLiteral("RepairStation"));
    OpenLog();
}

RepairStation::~RepairStation() = default;

void RepairStation::OpenLog() {
    log_ = std::make_unique<RepairLog>(ResolveLogLocation(StoredLogSetting()));
    networkWarned_ = false;
    connect(log_.get(), &RepairLog::HistoryArrived, this, &RepairStation::HistoryArrived);
    connect(log_.get(), &RepairLog::StatusChanged, this, &RepairStation::LogStatusChanged);
    emit LogStatusChanged();
}

void RepairStation::UseLogSetting(const QString& database) {
    StoreLogSetting(database.trimmed());
    OpenLog();
    RequestHistory();
}

void RepairStation::SetLoopLimit(int limit) {
    loopLimit_ = limit > 0 ? limit : DefaultLoopLimit;
    StoreLoopLimit(loopLimit_);
    emit UnitChanged();
}

bool RepairStation::SetOperator(const QString& typed) {
    const EnteredText name = CleanEntered(typed.toStdString(), MaxOperatorLength);
    if (name.TooLong || name.Text.empty()) {
        Tell(name.TooLong ? QStringLiteral("An operator's name or badge number has at most %1 "
                                           "characters.")
                                .arg(MaxOperatorLength)
                          : QStringLiteral("Type the operator's name or badge number."));
        return false;
    }
    operator_ = FromUtf8(name.Text);
    StoreOperator(operator_);
    emit UnitChanged();
    return true;
}

bool RepairStation::SetSerial(const QString& typed) {
    const EnteredText serial = CleanEntered(typed.toStdString(), MaxSerialLength);
    if (serial.TooLong) {
        Tell(QStringLiteral("A serial number has at most %1 characters; this one has %2.")
                 .arg(MaxSerialLength)
                 .arg(typed.size()));
        return false;
    }
    serial_ = FromUtf8(serial.Text);
    RequestHistory();
    return true;
}

void RepairStation::ListShown(const FaultList& list, const QString& serial, const QString& board,
                              const QString& reportFile, const QString& reportTested) {
    serial_ = serial;
    board_ = board;
    reportFile_ = QFileInfo(reportFile).fileName();
    reportTested_ = reportTested;
    listShownMs_ = NowUtcMs();
    faults_.assign(list.Faults().size(), FaultState{});
    for (std::size_t k = 0; k < faults_.size(); ++k) {
        faults_[k].Parts = PartsOf(list.Faults()[k]);
        faults_[k].Lines = LinesOf(list.Faults()[k]);
    }
    RequestHistory();
}

void RepairStation::BoardOpened(const QString& path) {
    boardFile_ = QFileInfo(path).fileName();
}

void RepairStation::FaultShown(std::size_t fault) {
    if (fault < faults_.size() && faults_[fault].ShownMs == 0) {
        faults_[fault].ShownMs = NowUtcMs();
    }
}

void RepairStation::RequestHistory() {
    history_ = UnitHistory();
    historyNote_.clear();
    historyComplete_ = true;
    if (!serial_.isEmpty()) {
        historyComplete_ = false;
        log_->RequestHistory(serial_); // answers at once from the bench file
    }
    emit UnitChanged();
}

void RepairStation::HistoryArrived(const HistoryAnswer& answer) {
    if (answer.Serial != serial_) {
        return; // the unit changed since it was asked
    }
    history_ = UnitHistory(answer.Records);
    historyComplete_ = answer.Complete;
    historyNote_ = answer.Note;
    // A tick of this visit that the log holds is shown as such, also after a restart.
    const std::string visit = CurrentVisit();
    for (std::size_t k = 0; k < faults_.size(); ++k) {
        if (!faults_[k].Record) {
            if (const RepairRecord* logged = history_.StandingRepairOf(
                    visit, static_cast<std::int32_t>(k + 1), faults_[k].Lines)) {
                faults_[k].Record = *logged;
            }
        }
    }
    emit UnitChanged();
}

std::string RepairStation::CurrentVisit() const {
    return VisitOf(reportFile_.toStdString(), reportTested_.toStdString(),
                   BenchName().toStdString(), NowUtcMs());
}

std::size_t RepairStation::EarlierVisits() const {
    return history_.EarlierVisits(CurrentVisit());
}

bool RepairStation::Loop() const {
    return IsLoop(EarlierVisits(), loopLimit_);
}

bool RepairStation::IsRepeat(std::size_t fault) const {
    if (fault >= faults_.size()) {
        return false;
    }
    const std::string visit = CurrentVisit();
    for (const std::string& part : faults_[fault].Parts) {
        if (history_.RepairedBefore(part, visit)) {
            return true;
        }
    }
    return false;
}

std::vector<std::size_t> RepairStation::LoggedFaults() const {
    std::vector<std::size_t> logged;
    for (std::size_t k = 0; k < faults_.size(); ++k) {
        if (faults_[k].Record) {
            logged.push_back(k);
        }
    }
    return logged;
}

bool RepairStation::IsLogged(std::size_t fault) const {
    return fault < faults_.size() && faults_[fault].Record.has_value();
}

void RepairStation::Tell(const QString& text) const {
    MessageBoxRequest box;
    box.Parent = window_;
    box.Text = text;
    ShowMessageBox(box);
}

bool RepairStation::Ask(const QString& text) const {
    MessageBoxRequest box;
    box.Parent = window_;
    box.Text = text;
    box.Buttons = QMessageBox::Ok | QMessageBox::Cancel;
    box.Default = QMessageBox::Cancel;
    return ShowMessageBox(box) == QMessageBox::Ok;
}

bool RepairStation::LogReady() {
    QString error;
    if (!log_->Ready(error)) {
        Tell(QStringLiteral("The repair log %1 cannot be used: %2. The fault stays unticked.")
                 .arg(log_->Location().SqlitePath, error));
        return false;
    }
    const QString network = NetworkFileSystemOf(log_->Location().SqlitePath);
    if (!network.isEmpty() && !networkWarned_) {
        networkWarned_ = true;
        Tell(QStringLiteral("The repair log %1 lies on a network file system (%2). SQLite needs a "
                            "local disk; a line of benches shares one PostgreSQL database instead "
                            "(File > Repair Log...).")
                 .arg(log_->Location().SqlitePath, network));
    }
    return true;
}

RepairRecord RepairStation::NewRecord() const {
    RepairRecord record;
    record.Id = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    record.Recorded = NowUtcMs();
    record.Serial = serial_.toStdString();
    record.Board = board_.toStdString();
    record.BoardFile = boardFile_.toStdString();
    record.ReportFile = reportFile_.toStdString();
    record.ReportTested = reportTested_.toStdString();
    record.Operator = operator_.toStdString();
    record.Bench = BenchName().toStdString();
    record.Version = DORVIK_VERSION;
    return record;
}

std::optional<QString> RepairStation::Tick(const FaultList& list, std::size_t fault,
                                           const BoardData& board) {
    if (fault >= list.Faults().size() || fault >= faults_.size() || !LogReady()) {
        return std::nullopt;
    }
    const Fault& f = list.Faults()[fault];
    const FaultFacts facts = FactsOf(f, board);
    const QString unit = serial_.isEmpty() ? QStringLiteral("Unit not known (no serial)")
                                           : QStringLiteral("Unit %1").arg(serial_);
    // One arg() for every text, so that a '%' typed in a serial stays as it is.
    const QString about =
        QStringLiteral("%1%2, fault %3 of %4: %5\n%6")
            .arg(unit, board_.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(board_),
                 QString::number(fault + 1), QString::number(list.Faults().size()),
                 FromUtf8(facts.Kind), FromUtf8(facts.Lines));
    RepairDialog dialog(about, FromUtf8(JoinedByBlanks(facts.Parts)), window_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const RepairChoice choice = dialog.Choice();
    RepairRecord record = NewRecord();
    record.Shown = faults_[fault].ShownMs != 0 ? faults_[fault].ShownMs : listShownMs_;
    record.Fault = static_cast<std::int32_t>(fault + 1);
    record.Kind = facts.Kind;
    record.Lines = facts.Lines;
    record.Description = facts.Description;
    record.Nets = JoinedByBlanks(facts.Nets);
    record.Probes = JoinedByBlanks(facts.Probes);
    record.Action = choice.Action.toStdString();
    const std::optional<RepairAction> action = ActionFromText(record.Action);
    record.Result = std::string(ResultOf(action.value_or(RepairAction::Replaced)));
    record.Refdes = choice.Refdes.toStdString();
    record.Comment = choice.Comment.toStdString();
    QString error;
    if (!log_->Record(record, error)) {
        Tell(QStringLiteral("The repair log %1 cannot record the repair: %2. The fault stays "
                            "unticked.")
                 .arg(log_->Location().SqlitePath, error));
        return std::nullopt;
    }
    faults_[fault].Record = record;
    history_.Add(record);
    emit UnitChanged();
    return FromUtf8(record.Id);
}

std::optional<QString> RepairStation::Untick(const FaultList& list, std::size_t fault) {
    if (fault >= list.Faults().size() || fault >= faults_.size()) {
        return std::nullopt;
    }
    if (!faults_[fault].Record) {
        if (!Ask(QStringLiteral("Untick fault %1? Its tick is not in the repair log.")
                     .arg(fault + 1))) {
            return std::nullopt;
        }
        return QString();
    }
    const RepairRecord& repair = *faults_[fault].Record;
    if (!Ask(QStringLiteral("Undo the repair of fault %1 (%2 by %3)? The repair log keeps it and "
                            "records that it was undone.")
                 .arg(fault + 1)
                 .arg(FromUtf8(repair.Action), FromUtf8(repair.Operator))) ||
        !LogReady()) {
        return std::nullopt;
    }
    RepairRecord reversal = repair;
    const RepairRecord fresh = NewRecord();
    reversal.Id = fresh.Id;
    reversal.Recorded = fresh.Recorded;
    reversal.Operator = fresh.Operator;
    reversal.Bench = fresh.Bench;
    reversal.Version = fresh.Version;
    reversal.Comment.clear();
    reversal.Reverses = repair.Id;
    QString error;
    if (!log_->Record(reversal, error)) {
        Tell(QStringLiteral("The repair log %1 cannot record the undo: %2. The fault stays ticked.")
                 .arg(log_->Location().SqlitePath, error));
        return std::nullopt;
    }
    faults_[fault].Record.reset();
    history_.Add(reversal);
    emit UnitChanged();
    return FromUtf8(reversal.Id);
}

std::size_t RepairStation::UnloggedTicks(const FaultList& list) const {
    std::size_t unlogged = 0;
    for (std::size_t k = 0; k < list.Faults().size(); ++k) {
        unlogged += list.Faults()[k].Repaired && !IsLogged(k) ? 1 : 0;
    }
    return unlogged;
}

bool RepairStation::ConfirmLeaving(const FaultList& list, const QString& going) {
    const std::size_t unlogged = UnloggedTicks(list);
    if (unlogged == 0) {
        return true;
    }
    return Ask(QStringLiteral("%1 of the faults ticked in the list %2 not in the repair log; Save "
                              "List keeps them. %3")
                   .arg(unlogged)
                   .arg(unlogged == 1 ? QStringLiteral("is") : QStringLiteral("are"), going));
}

QString RepairStation::LogStatusLine() const {
    if (log_->Location().Kind == LogKind::Sqlite) {
        return QStringLiteral("log: sqlite waiting=0");
    }
    return QStringLiteral("log: postgresql waiting=%1").arg(log_->Waiting());
}

QString RepairStation::WaitingText() const {
    const QString& problem = log_->LineProblem();
    if (log_->Waiting() == 0 && problem.isEmpty()) {
        return {};
    }
    // Named, so that the operator can tell the line's people which database does not answer.
    QString text = QStringLiteral("Repair log: %1 waiting for the line database %2")
                       .arg(QString::number(log_->Waiting()), log_->Name());
    if (!problem.isEmpty()) {
        text += QStringLiteral(", not reached: %1").arg(problem.section(u'\n', 0, 0));
    }
    return text;
}

} // namespace dorvik
