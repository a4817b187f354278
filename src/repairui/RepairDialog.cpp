#include "repairui/RepairDialog.h"

#include "repairlog/EnteredText.h"
#include "repairlog/RepairActions.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ProgramFont.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace dorvik {
namespace {

QString Cleaned(const QString& typed, std::size_t most) {
    return QString::fromStdString(CleanEntered(typed.toStdString(), most).Text);
}

// Says which field holds more than a record keeps, if one does.
QString TooLong(const QString& typed, std::size_t most, const char* field) {
    if (!CleanEntered(typed.toStdString(), most).TooLong) {
        return {};
    }
    return QStringLiteral("The %1 holds %2 characters; a repair record keeps at most %3.")
        .arg(QLatin1String(field))
        .arg(typed.size())
        .arg(most);
}

} // namespace

RepairDialog::RepairDialog(const QString& about, const QString& refdes, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("RepairWindow"));
    setWindowTitle(QStringLiteral("Repair"));
    setModal(true);
    setFont(ProgramFont(FontPixels));

    auto* column = new QVBoxLayout(this);
    auto* heading = new QLabel(about, this);
    heading->setObjectName(QStringLiteral("RepairAbout"));
    heading->setWordWrap(true);
    heading->setTextFormat(Qt::PlainText);
    column->addWidget(heading);

    actions_ = new QListWidget(this);
    actions_->setObjectName(QStringLiteral("ActionList"));
    for (const RepairAction action : AllRepairActions) {
        actions_->addItem(QString::fromUtf8(ActionText(action).data(),
                                            static_cast<qsizetype>(ActionText(action).size())));
    }
    actions_->setCurrentRow(0);
    actions_->setMinimumHeight(actions_->sizeHintForRow(0) * actions_->count() +
                               2 * actions_->frameWidth());

    refdes_ = new QLineEdit(refdes, this);
    refdes_->setObjectName(QStringLiteral("RefdesEdit"));
    comment_ = new QLineEdit(this);
    comment_->setObjectName(QStringLiteral("CommentEdit"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Action:"), actions_);
    form->addRow(QStringLiteral("&Parts:"), refdes_);
    form->addRow(QStringLiteral("C&omment:"), comment_);
    column->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setText(QStringLiteral("Record"));
    ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &RepairDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RepairDialog::reject);

    actions_->setFocus();
}

RepairChoice RepairDialog::Choice() const {
    RepairChoice choice;
    choice.Action =
        actions_->currentItem() != nullptr ? actions_->currentItem()->text() : QString();
    choice.Refdes =
        Cleaned(refdes_->text(), MaxRefdesLength).split(u' ', Qt::SkipEmptyParts).join(u' ');
    choice.Comment = Cleaned(comment_->text(), MaxCommentLength);
    return choice;
}

void RepairDialog::accept() {
    QString problem = actions_->currentItem() == nullptr
                          ? QStringLiteral("Choose what was done to the fault.")
                          : TooLong(refdes_->text(), MaxRefdesLength, "parts list");
    if (problem.isEmpty()) {
        problem = TooLong(comment_->text(), MaxCommentLength, "comment");
    }
    if (problem.isEmpty()) {
        QDialog::accept();
        return;
    }
    MessageBoxRequest box;
    box.Parent = this;
    box.Text = problem;
    ShowMessageBox(box);
}

} // namespace dorvik
