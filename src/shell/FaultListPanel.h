#pragma once
// The fault list window: a dock beside the drawing listing the faults of a report in report
// order (repaired tick, kind, what each line names, the tester's detail, whether it is on the
// board, whether it repeats an earlier repair of the unit), with Previous, Next and Save List. A
// click, or Enter and the arrow keys while the list has the focus, shows a line; the main
// window's own keys are left alone. A tick is asked for, not made: whoever records the repair
// sets it with SetRepaired. Above the list, a warning line says when the board loaded may not be
// the report's.

#include "report/FaultList.h"

#include <QDockWidget>
#include <QString>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace dorvik {

struct BoardData;

class FaultListPanel final : public QDockWidget {
    Q_OBJECT

public:
    // Shows a line on the board (its entry and the redraw).
    using LineShower = std::function<void(const FaultLine&)>;

    FaultListPanel(LineShower show, QWidget* parent);

    // A new list read from `source`; `summary` is shown above it.
    void SetList(FaultList list, const QString& summary);
    const FaultList& List() const noexcept { return list_; }

    void ShowLine(std::size_t k);
    void ShowNext();
    void ShowPrevious();
    void SetRepaired(std::size_t fault, bool repaired);
    // The tick of line k's fault clicked, as a click on it or Space does: asks for the opposite.
    void RequestTick(std::size_t k);
    // Marks the faults that name a part repaired on the unit before.
    void SetRepeats(const std::vector<bool>& repeats);
    // Puts a widget above the list (the unit's part of the panel), below the ones added before.
    void AddHeader(QWidget* header);
    // Another board is loaded under the list: "On board" is made again for it, and everything
    // else the panel shows stays.
    void BoardOpened(const BoardData& board);
    // The warning line above the list, one line per warning; hidden when empty.
    void SetBoardWarning(const QString& text);
    QString BoardWarning() const;

    QTableWidget& Table() const noexcept { return *table_; }

signals:
    // The operator asks to tick (or untick) a fault from its line k.
    void TickWanted(std::size_t fault, std::size_t k, bool repaired);
    // A fault was shown on the board from one of its lines.
    void FaultShown(std::size_t fault);

private:
    void Fill();
    void RowChosen(int row);

    LineShower show_;
    FaultList list_;
    std::vector<bool> repeats_;
    QLabel* summary_ = nullptr;
    QLabel* boardWarning_ = nullptr;
    int headers_ = 0;
    QTableWidget* table_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    bool filling_ = false;

public:
    QPushButton* SaveButton = nullptr;
};

} // namespace dorvik
