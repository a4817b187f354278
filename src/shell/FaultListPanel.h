#pragma once
// The fault list window: a dock beside the drawing listing the faults of a report in report
// order (repaired tick, kind, what each line names, the tester's detail, whether it is on the
// board), with Previous, Next and Save List. A click, or Enter and the arrow keys while the list
// has the focus, shows a line; the main window's own keys are left alone.

#include "report/FaultList.h"

#include <QDockWidget>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace dorvik {

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

    QTableWidget& Table() const noexcept { return *table_; }

private:
    void Fill();
    void RowChosen(int row);

    LineShower show_;
    FaultList list_;
    QLabel* summary_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    bool filling_ = false;

public:
    QPushButton* SaveButton = nullptr;
};

} // namespace dorvik
