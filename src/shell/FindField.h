#pragma once
// FindField: the tool bar's search field. It offers the board's part and net names that begin
// with what is typed and asks for the name on Enter. Every key typed in it stays in it: none
// reaches the main window's key table. The release of Enter or Esc gives the focus back.

#include "widgets/TypingField.h"

#include <functional>

class QCompleter;
class QStringListModel;

namespace dorvik {

class BoardNames;

class FindField final : public TypingField {
    Q_OBJECT

public:
    // The most names the completion list offers at a time.
    static constexpr int OfferedNames = 50;

    explicit FindField(QWidget* parent);

    // Where completion gets the names: asked when the field takes the focus and as text is
    // typed, so they can be gathered only once somebody searches; nullptr offers none.
    using NamesSource = std::function<const BoardNames*()>;
    void SetNames(NamesSource source);
    // Gives the focus back to the main window and hides the offered names.
    void Leave() override;

signals:
    // Enter was pressed on this text.
    void FindRequested(const QString& text);

protected:
    void EscapePressed() override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Offer(const QString& typed);

    NamesSource names_;
    QCompleter* completer_ = nullptr;
    QStringListModel* offered_ = nullptr;
};

} // namespace dorvik
