#pragma once
// The bench as a repair station: the unit on the bench (its serial and board name), the
// operator, the repair log, and the ticks of the fault list shown. A tick is shown only once its
// record is committed; an untick writes a reversal. The shell hands it the list and the board
// and shows what it answers; it knows no window of the shell.

#include "repairlog/RepairLog.h"
#include "repairlog/UnitHistory.h"
#include "report/FaultList.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace dorvik {

struct BoardData;

class RepairStation final : public QObject {
    Q_OBJECT

public:
    // `window` is the parent of the station's windows and messages.
    explicit RepairStation(QWidget* window);
    ~RepairStation() override;

    RepairLog& Log() noexcept { return *log_; }
    // File > Repair Log…: remembers the database and uses it from now on.
    void UseLogSetting(const QString& database);

    int LoopLimit() const noexcept { return loopLimit_; }
    // From the Repair Log window: remembered, and the unit's warning follows it.
    void SetLoopLimit(int limit);

    QString Operator() const { return operator_; }
    // File > Operator…; false, with a message, when the name cannot be one.
    bool SetOperator(const QString& typed);

    const QString& Serial() const noexcept { return serial_; }
    const QString& Board() const noexcept { return board_; }
    // The Serial field: what is typed there is the unit from then on.
    bool SetSerial(const QString& typed);

    // A list was shown, read from `reportFile` naming `serial` and `board` and the time of the
    // test (empty when it names none).
    void ListShown(const FaultList& list, const QString& serial, const QString& board,
                   const QString& reportFile, const QString& reportTested);
    void BoardOpened(const QString& path);
    // The fault was shown on the board (the first time counts).
    void FaultShown(std::size_t fault);

    const UnitHistory& History() const noexcept { return history_; }
    // False while the line database has still to answer for this unit.
    bool HistoryComplete() const noexcept { return historyComplete_; }
    const QString& HistoryNote() const noexcept { return historyNote_; }
    std::size_t EarlierVisits() const;
    bool Loop() const;
    // Whether the fault names a part repaired on this unit at an earlier visit.
    bool IsRepeat(std::size_t fault) const;
    // Faults with a standing repair of this visit in the log, which the list has to show ticked.
    std::vector<std::size_t> LoggedFaults() const;
    // Whether the fault's tick stands for a record of the log.
    bool IsLogged(std::size_t fault) const;

    // Ticking fault `fault` of the list: the Repair window, then the record. The record's id, or
    // nothing when the operator cancelled or the log refused it (the operator was told).
    std::optional<QString> Tick(const FaultList& list, std::size_t fault, const BoardData& board);
    // Unticking: asks first; a logged tick gets a reversal. Nothing when the tick stays; else the
    // reversal's id (empty for a tick that was not in the log).
    std::optional<QString> Untick(const FaultList& list, std::size_t fault);

    // Ticks the log does not hold, which leaving the list would lose.
    std::size_t UnloggedTicks(const FaultList& list) const;
    // Asks before such ticks would be lost; true to go on. `going` ends the question: "Open the
    // report anyway?".
    bool ConfirmLeaving(const FaultList& list, const QString& going);

    // "log: sqlite waiting=0", "log: postgresql waiting=3".
    QString LogStatusLine() const;
    // For the status bar: empty while nothing waits and the line database answers.
    QString WaitingText() const;

signals:
    // The unit, its history, or what follows from it changed.
    void UnitChanged();
    void LogStatusChanged();

private:
    struct FaultState {
        std::int64_t ShownMs = 0;
        std::optional<RepairRecord> Record; // the repair its tick stands for
        std::vector<std::string> Parts;
        std::string Lines;
    };

    void OpenLog();
    bool LogReady();
    void RequestHistory();
    void HistoryArrived(const HistoryAnswer& answer);
    std::string CurrentVisit() const;
    void Tell(const QString& text) const;
    bool Ask(const QString& text) const;
    RepairRecord NewRecord() const;

    QWidget* window_;
    std::unique_ptr<RepairLog> log_;
    QString operator_;
    QString serial_;
    QString board_;
    QString boardFile_;
    QString reportFile_;
    QString reportTested_;
    std::int64_t listShownMs_ = 0;
    std::vector<FaultState> faults_;
    UnitHistory history_;
    bool historyComplete_ = true;
    QString historyNote_;
    bool networkWarned_ = false;
    int loopLimit_;
};

} // namespace dorvik
