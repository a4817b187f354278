#pragma once
// The repair station in the main window: File > Operator… and File > Repair Log…, the unit's part
// of the fault-list panel, ticks that go through the Repair window into the repair log, and the
// questions asked before a tick the log does not hold would be lost. The key table is untouched.

#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QLabel;

namespace dorvik {

class FaultListCommands;
class RepairStation;
class TForm1;
class UnitPanel;

class RepairCommands final : public QObject {
    Q_OBJECT

public:
    RepairCommands(TForm1& form1, FaultListCommands& faults);

    RepairStation& Station() const noexcept { return *station_; }
    UnitPanel& Unit() const noexcept { return *unit_; }

    void OperatorClick();
    void RepairLogClick();

    // The items the commands add, for the script's `menu`.
    std::vector<QAction*> MenuActions() const { return {OperatorItem, RepairLogItem}; }

    QAction* OperatorItem = nullptr;
    QAction* RepairLogItem = nullptr;

signals:
    // The record of the fault ticked from fault line k (from 1) is committed and its tick shown.
    void Repaired(std::size_t k, const QString& id);
    // The reversal `id` is committed and the tick of the fault of line k removed.
    void Unrepaired(std::size_t k, const QString& id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TickWanted(std::size_t fault, std::size_t k, bool repaired);
    void ShowUnit();
    void ShowLogStatus();

    TForm1& form1_;
    FaultListCommands& faults_;
    RepairStation* station_ = nullptr;
    UnitPanel* unit_ = nullptr;
    QLabel* waiting_ = nullptr;
};

} // namespace dorvik
