#include "shell/FaultListPanel.h"

#include "report/FaultListFile.h"
#include "report/MarkOnBoard.h"
#include "widgets/WarningLabel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace dorvik {

namespace {

enum Column {
    RepairedColumn,
    KindColumn,
    LineColumn,
    DetailColumn,
    OnBoardColumn,
    HistoryColumn,
    Columns
};

QString LineText(const FaultLine& line) {
    return QString::fromStdString(FormatFaultLine(line, {}));
}

QString OnBoardText(const FaultLine& line) {
    return line.OnBoard ? QStringLiteral("yes") : QStringLiteral("no");
}

// The keys the list acts on while it has the focus: moving between rows, Enter, and Space for
// the tick.
bool IsListKey(int key) noexcept {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

// The list takes the focus only from a click, so the main window's keys stay the main window's
// until the operator works in the list. While it has the focus, its own keys are wholly its own
// (their releases, on which the main window acts, stop here) and every other key goes on to the
// main window; typing never searches the list.
class FaultTable final : public QTableWidget {
public:
    FaultTable(int columns, QWidget* parent) : QTableWidget(0, columns, parent) {
        setFocusPolicy(Qt::ClickFocus);
    }

    void keyboardSearch(const QString&) override {}

    // Space asks for the tick of the current line, whichever of its cells is current.
    std::function<void(int row)> SpacePressed;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && SpacePressed) {
            event->accept();
            SpacePressed(currentRow());
        } else if (IsListKey(event->key())) {
            QTableWidget::keyPressEvent(event);
        } else {
            event->ignore();
        }
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        if (IsListKey(event->key())) {
            event->accept();
        } else {
            event->ignore();
        }
    }
};

} // namespace

FaultListPanel::FaultListPanel(LineShower show, QWidget* parent)
    : QDockWidget(QStringLiteral("Faults"), parent), show_(std::move(show)) {
    setObjectName(QStringLiteral("FaultList"));
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    summary_ = new QLabel(QStringLiteral("No report read"), body);
    summary_->setObjectName(QStringLiteral("FaultSummary"));
    summary_->setWordWrap(true);
    column->addWidget(summary_);
    boardWarning_ = NewWarningLabel("BoardWarning", body);
    boardWarning_->hide();
    column->addWidget(boardWarning_);

    table_ = new FaultTable(Columns, body);
    table_->setObjectName(QStringLiteral("FaultTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Repaired"), QStringLiteral("Kind"),
                                       QStringLiteral("Names"), QStringLiteral("Detail"),
                                       QStringLiteral("On board"), QStringLiteral("History")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->horizontalHeader()->setSectionResizeMode(DetailColumn, QHeaderView::Stretch);
    column->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout;
    previous_ = new QPushButton(QStringLiteral("Previous"), body);
    previous_->setObjectName(QStringLiteral("PreviousFaultButton"));
    next_ = new QPushButton(QStringLiteral("Next"), body);
    next_->setObjectName(QStringLiteral("NextFaultButton"));
    SaveButton = new QPushButton(QStringLiteral("Save List"), body);
    SaveButton->setObjectName(QStringLiteral("SaveFaultListButton"));
    for (QPushButton* button : {previous_, next_, SaveButton}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
    setWidget(body);

    connect(previous_, &QPushButton::clicked, this, &FaultListPanel::ShowPrevious);
    connect(next_, &QPushButton::clicked, this, &FaultListPanel::ShowNext);
    // A click, the arrow keys and Enter all make a row current or activate it.
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                if (row != previousRow) { // moving along a row shows nothing new
                    RowChosen(row);
                }
            });
    connect(table_, &QTableWidget::cellActivated, this, [this](int row, int) { RowChosen(row); });
    // A click on a tick asks for it; the tick itself changes only once the repair is recorded.
    // The request runs after the click is done, so the window it opens does not come up in the
    // middle of the table's own mouse handling.
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || item->column() != RepairedColumn || item->row() < 0) {
            return;
        }
        const auto k = static_cast<std::size_t>(item->row());
        const LinePlace place = list_.PlaceOf(k);
        filling_ = true;
        item->setCheckState(list_.Faults()[place.Fault].Repaired ? Qt::Checked : Qt::Unchecked);
        filling_ = false;
        QTimer::singleShot(0, this, [this, k] { RequestTick(k); });
    });
    static_cast<FaultTable*>(table_)->SpacePressed = [this](int row) {
        if (row >= 0) {
            QTimer::singleShot(0, this,
                               [this, row] { RequestTick(static_cast<std::size_t>(row)); });
        }
    };
}

void FaultListPanel::AddHeader(QWidget* header) {
    static_cast<QVBoxLayout*>(widget()->layout())->insertWidget(headers_++, header);
}

void FaultListPanel::BoardOpened(const BoardData& board) {
    MarkOnBoard(list_, board);
    filling_ = true;
    for (std::size_t k = 0; k < list_.LineCount(); ++k) {
        if (QTableWidgetItem* item = table_->item(static_cast<int>(k), OnBoardColumn)) {
            item->setText(OnBoardText(list_.LineAt(k)));
        }
    }
    filling_ = false;
}

void FaultListPanel::SetBoardWarning(const QString& text) {
    boardWarning_->setText(text);
    boardWarning_->setHidden(text.isEmpty());
}

QString FaultListPanel::BoardWarning() const {
    return boardWarning_->isHidden() ? QString() : boardWarning_->text();
}

void FaultListPanel::SetList(FaultList list, const QString& summary) {
    list_ = std::move(list);
    repeats_.assign(list_.Faults().size(), false);
    summary_->setText(summary);
    Fill();
    show();
    raise();
}

void FaultListPanel::Fill() {
    filling_ = true;
    table_->clearContents();
    table_->setRowCount(static_cast<int>(list_.LineCount()));
    for (std::size_t k = 0; k < list_.LineCount(); ++k) {
        const LinePlace place = list_.PlaceOf(k);
        const Fault& fault = list_.Faults()[place.Fault];
        const FaultLine& line = fault.Lines[place.Line];
        const int row = static_cast<int>(k);
        auto* tick = new QTableWidgetItem;
        if (place.Line == 0) {
            tick->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            tick->setCheckState(fault.Repaired ? Qt::Checked : Qt::Unchecked);
        } else {
            tick->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
        table_->setItem(row, RepairedColumn, tick);
        const QString kind =
            place.Line == 0 ? QString::fromStdString(fault.Kind) : QStringLiteral("  +");
        table_->setItem(row, KindColumn, new QTableWidgetItem(kind));
        table_->setItem(row, LineColumn, new QTableWidgetItem(LineText(line)));
        table_->setItem(row, DetailColumn,
                        new QTableWidgetItem(QString::fromUtf8(line.Description)));
        table_->setItem(row, OnBoardColumn, new QTableWidgetItem(OnBoardText(line)));
        table_->setItem(row, HistoryColumn, new QTableWidgetItem);
    }
    table_->resizeColumnsToContents();
    filling_ = false;
}

void FaultListPanel::RowChosen(int row) {
    if (filling_ || row < 0 || static_cast<std::size_t>(row) >= list_.LineCount()) {
        return;
    }
    ShowLine(static_cast<std::size_t>(row));
}

void FaultListPanel::ShowLine(std::size_t k) {
    if (k >= list_.LineCount()) {
        return;
    }
    list_.SetCurrent(k);
    emit FaultShown(list_.PlaceOf(k).Fault);
    filling_ = true; // the row follows the line shown without showing it again
    const int column = table_->currentColumn();
    table_->setCurrentCell(static_cast<int>(k), column >= 0 ? column : LineColumn);
    filling_ = false;
    show_(list_.LineAt(k));
}

void FaultListPanel::ShowNext() {
    if (const auto k = list_.NextLine()) {
        ShowLine(*k);
    }
}

void FaultListPanel::ShowPrevious() {
    if (const auto k = list_.PreviousLine()) {
        ShowLine(*k);
    }
}

void FaultListPanel::RequestTick(std::size_t k) {
    if (k >= list_.LineCount()) {
        return;
    }
    const std::size_t fault = list_.PlaceOf(k).Fault;
    emit TickWanted(fault, k, !list_.Faults()[fault].Repaired);
}

void FaultListPanel::SetRepeats(const std::vector<bool>& repeats) {
    repeats_ = repeats;
    repeats_.resize(list_.Faults().size(), false);
    filling_ = true;
    for (std::size_t f = 0; f < repeats_.size(); ++f) {
        const int row = static_cast<int>(list_.FirstLineOf(f));
        if (QTableWidgetItem* item = table_->item(row, HistoryColumn)) {
            item->setText(repeats_[f] ? QStringLiteral("repeat") : QString());
            item->setToolTip(repeats_[f] ? QStringLiteral("A part this fault names was repaired "
                                                          "on this unit before")
                                         : QString());
        }
    }
    filling_ = false;
}

void FaultListPanel::SetRepaired(std::size_t fault, bool repaired) {
    list_.SetRepaired(fault, repaired);
    if (fault < list_.Faults().size()) {
        filling_ = true;
        table_->item(static_cast<int>(list_.FirstLineOf(fault)), RepairedColumn)
            ->setCheckState(repaired ? Qt::Checked : Qt::Unchecked);
        filling_ = false;
    }
}

} // namespace dorvik
