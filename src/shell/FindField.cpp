#include "shell/FindField.h"

#include "navigate/BoardNames.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>

namespace dorvik {

FindField::FindField(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("FindField"));
    setPlaceholderText(QStringLiteral("Find part or net"));
    setClearButtonEnabled(true);
    // Only a click or Edit > Find puts the focus here: the main window keeps its keys.
    setFocusPolicy(Qt::ClickFocus);

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

void FindField::Activate() {
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void FindField::Leave() {
    completer_->popup()->hide();
    clearFocus();
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

void FindField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        completer_->popup()->hide();
    } else {
        QLineEdit::keyPressEvent(event);
    }
    event->accept(); // never passed on to the window
}

void FindField::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    event->accept(); // the window's commands act on releases: this one is the field's
    // Enter and Esc end the typing once released, so that their releases too stay here.
    const int key = event->key();
    if (!event->isAutoRepeat() &&
        (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        Leave();
    }
}

} // namespace dorvik
