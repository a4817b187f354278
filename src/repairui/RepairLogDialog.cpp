#include "repairui/RepairLogDialog.h"

#include "repairui/RepairDialog.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/ProgramFont.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dorvik {

RepairLogDialog::RepairLogDialog(const QString& database, int loopLimit, const QString& note,
                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("RepairLogWindow"));
    setWindowTitle(QStringLiteral("Repair Log"));
    setModal(true);
    setFont(ProgramFont(RepairDialog::FontPixels));
    auto* column = new QVBoxLayout(this);
    auto* prompt = new QLabel(
        QStringLiteral("&Line database, as a PostgreSQL connection (host=db.line3 dbname=repairs "
                       "user=bench, postgresql://bench@db.line3/repairs or service=line3), or an "
                       "SQLite file; empty for this bench's own file:"),
        this);
    prompt->setWordWrap(true);
    column->addWidget(prompt);
    database_ = new QLineEdit(database, this);
    database_->setObjectName(QStringLiteral("RepairLogEdit"));
    database_->setMinimumWidth(420);
    prompt->setBuddy(database_);
    column->addWidget(database_);
    auto* shown = new QLabel(note, this);
    shown->setWordWrap(true);
    shown->setTextFormat(Qt::PlainText);
    column->addWidget(shown);

    loopLimit_ = new QSpinBox(this);
    loopLimit_->setObjectName(QStringLiteral("LoopLimitEdit"));
    loopLimit_->setRange(1, MostLoopLimit);
    loopLimit_->setValue(loopLimit);
    loopLimit_->setSuffix(QStringLiteral(" earlier visits"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Loop &warning after:"), loopLimit_);
    column->addLayout(form);

    column->addWidget(OkCancelButtons(*this));
    database_->setFocus();
}

QString RepairLogDialog::Database() const {
    return database_->text();
}

int RepairLogDialog::LoopLimit() const {
    return loopLimit_->value();
}

} // namespace dorvik
