#include "shell/FindField.h"

#include "navigate/BoardNames.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QStringListModel>

namespace dorvik {

FindField::FindField(QWidget* parent) : TypingField(parent) {
    setObjectName(QStringLiteral("FindField"));
    setPlaceholderText(QStringLiteral("Find part or net"));
    setClearButtonEnabled(true);

    offered_ = new QStringListModel(this);
    completer_ = new QCompleter(offered_, this);
    completer_->setWidget(this);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setMaxVisibleItems(12);
    // Moving to an offered name or clicking it fills it in; Enter then finds it.
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& name) { setText(name); });
    connect(completer_, qOverload<const QString&>(&QCompleter::highlighted), this,
            [this](const QString& name) { setText(name); });
    connect(this, &QLineEdit::textEdited, this, &FindField::Offer);
    connect(this, &QLineEdit::returnPressed, this, [this] {
        completer_->popup()->hide();
        emit FindRequested(text());
    });
}

void FindField::SetNames(NamesSource source) {
    names_ = std::move(source);
    offered_->setStringList({});
}

void FindField::focusInEvent(QFocusEvent* event) {
    if (names_) {
        names_(); // gathered now, so the first key typed is answered as fast as the others
    }
    QLineEdit::focusInEvent(event);
}

void FindField::Leave() {
    completer_->popup()->hide();
    TypingField::Leave();
}

void FindField::EscapePressed() {
    completer_->popup()->hide();
}

void FindField::Offer(const QString& typed) {
    QStringList list;
    if (const BoardNames* names = names_ ? names_() : nullptr) {
        const QByteArray prefix = typed.toLatin1();
        for (const std::string_view name :
             names->Complete(std::string_view(prefix.constData(), prefix.size()), OfferedNames)) {
            list << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        }
    }
    offered_->setStringList(list);
    if (list.isEmpty()) {
        completer_->popup()->hide();
    } else {
        completer_->complete();
    }
}

} // namespace dorvik
