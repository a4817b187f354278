#include "repairui/TextEntryDialog.h"

#include "repairui/RepairDialog.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/ProgramFont.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dorvik {

TextEntryDialog::TextEntryDialog(const TextEntry& entry, QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(entry.WindowName));
    setWindowTitle(entry.Title);
    setModal(true);
    setFont(ProgramFont(RepairDialog::FontPixels));
    auto* column = new QVBoxLayout(this);
    auto* prompt = new QLabel(entry.Prompt, this);
    prompt->setWordWrap(true);
    column->addWidget(prompt);
    edit_ = new QLineEdit(entry.Text, this);
    edit_->setObjectName(QLatin1String(entry.EditName));
    edit_->setMinimumWidth(360);
    prompt->setBuddy(edit_);
    column->addWidget(edit_);
    if (!entry.Note.isEmpty()) {
        auto* note = new QLabel(entry.Note, this);
        note->setWordWrap(true);
        note->setTextFormat(Qt::PlainText);
        column->addWidget(note);
    }
    column->addWidget(OkCancelButtons(*this));
    edit_->selectAll();
    edit_->setFocus();
}

QString TextEntryDialog::Text() const {
    return edit_->text();
}

} // namespace dorvik
