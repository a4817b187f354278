#pragma once
// A small modal window asking for one line of text (the operator's name, the repair log's
// database), with a note under the field and OK and Cancel.

#include <QDialog>
#include <QString>

class QLineEdit;

namespace dorvik {

struct TextEntry {
    const char* WindowName; // object names, for the script and the tests
    const char* EditName;
    QString Title;
    QString Prompt;
    QString Text; // shown in the field at first
    QString Note; // under the field; empty for none
};

class TextEntryDialog final : public QDialog {
    Q_OBJECT

public:
    TextEntryDialog(const TextEntry& entry, QWidget* parent);

    QString Text() const;

private:
    QLineEdit* edit_ = nullptr;
};

} // namespace dorvik
