#include "repairui/UnitPanel.h"

#include "repairlog/RepairRecord.h"
#include "repairui/RepairStation.h"
#include "widgets/TypingField.h"
#include "widgets/WarningLabel.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace dorvik {
namespace {

enum Column { DateColumn, PartsColumn, ActionColumn, OperatorColumn, BenchColumn, Columns };

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* Label(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

UnitPanel::UnitPanel(RepairStation& station, QWidget* parent) : QWidget(parent), station_(station) {
    setObjectName(QStringLiteral("UnitPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* serialLabel = new QLabel(QStringLiteral("Serial:"), this);
    serial_ = new TypingField(this);
    serial_->setObjectName(QStringLiteral("SerialField"));
    serial_->setPlaceholderText(QStringLiteral("Type or scan the unit's serial"));
    serialLabel->setBuddy(serial_);
    board_ = Label("UnitBoard", this);
    summary_ = Label("UnitSummary", this);
    loop_ = NewWarningLabel("LoopWarning", this);
    note_ = Label("HistoryNote", this);

    history_ = new QTableWidget(0, Columns, this);
    history_->setObjectName(QStringLiteral("HistoryTable"));
    history_->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Parts"),
                                         QStringLiteral("Action"), QStringLiteral("Operator"),
                                         QStringLiteral("Bench")});
    history_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    history_->setSelectionMode(QAbstractItemView::NoSelection);
    history_->setFocusPolicy(Qt::NoFocus);
    history_->verticalHeader()->hide();
    history_->horizontalHeader()->setStretchLastSection(true);
    history_->setMaximumHeight(120);

    grid->addWidget(serialLabel, 0, 0);
    grid->addWidget(serial_, 0, 1);
    grid->addWidget(board_, 0, 2);
    grid->addWidget(summary_, 1, 0, 1, 3);
    grid->addWidget(loop_, 2, 0, 1, 3);
    grid->addWidget(history_, 3, 0, 1, 3);
    grid->addWidget(note_, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(serial_, &QLineEdit::returnPressed, this, [this] {
        if (station_.SetSerial(serial_->text())) {
            emit SerialEntered(station_.Serial());
        }
    });
    connect(&station_, &RepairStation::UnitChanged, this, &UnitPanel::Refresh);
    connect(&station_, &RepairStation::LogStatusChanged, this, &UnitPanel::Refresh);
    Refresh();
}

void UnitPanel::Refresh() {
    if (!serial_->hasFocus() && serial_->text() != station_.Serial()) {
        serial_->setText(station_.Serial());
    }
    board_->setText(station_.Board().isEmpty() ? QString()
                                               : QStringLiteral("Board: %1").arg(station_.Board()));
    const std::size_t visits = station_.EarlierVisits();
    QString unit;
    if (!station_.Serial().isEmpty()) {
        unit = visits == 0 ? QStringLiteral("no earlier repair visit")
                           : QStringLiteral("%1 earlier repair visit%2")
                                 .arg(visits)
                                 .arg(visits == 1 ? QString() : QStringLiteral("s"));
        unit += QStringLiteral(" · ");
    }
    summary_->setText(unit + QStringLiteral("Operator: %1 · Repair log: %2")
                                 .arg(station_.Operator(), station_.Log().Name()));
    loop_->setVisible(station_.Loop());
    loop_->setText(
        QStringLiteral("Loop limit: this unit has come back for repair %1 times.").arg(visits));

    std::vector<const RepairRecord*> shown;
    for (const RepairRecord& record : station_.History().Records()) {
        if (station_.History().Stands(record)) {
            shown.push_back(&record);
        }
    }
    history_->setRowCount(static_cast<int>(shown.size()));
    int row = 0;
    for (auto it = shown.rbegin(); it != shown.rend(); ++it, ++row) { // newest first
        const RepairRecord& r = **it;
        const QString when =
            QDateTime::fromMSecsSinceEpoch(r.Recorded).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        const QString cells[Columns] = {when, FromUtf8(r.Refdes), FromUtf8(r.Action),
                                        FromUtf8(r.Operator), FromUtf8(r.Bench)};
        for (int column = 0; column < Columns; ++column) {
            history_->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
    history_->resizeColumnsToContents();
    history_->setVisible(!shown.empty());
    QString note = station_.HistoryNote();
    if (!station_.HistoryComplete()) {
        note = QStringLiteral("Asking the line database for this unit's repairs...");
    } else if (!note.isEmpty()) {
        note = QStringLiteral("Only this bench's repairs are shown: %1").arg(note);
    }
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

} // namespace dorvik
