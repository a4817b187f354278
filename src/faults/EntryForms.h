#pragma once
// The four fault entry windows: Open (TForm2), Short (TForm3), Nets (TForm4) and Component
// (TForm5). Every control carries its layout name as objectName, which the script interface uses
// to find it.

#include "faults/EntryWindows.h"
#include "widgets/KeyPresses.h"

#include "widgets/NoEscapeDialog.h"

#include <QDialog>

#include <memory>
#include <span>
#include <vector>

class QLineEdit;
class QPushButton;

namespace dorvik {

struct Workspace;

// What the four windows share: the layout built from a table, the fonts and colours, and the
// Enter key in the edit boxes acting on its release.
class EntryForm : public NoEscapeDialog {
    Q_OBJECT

public:
    enum class TextRole { Title, Prompt, Plain };

    struct StaticText {
        const char* Name;
        const char* Caption;
        TextRole Role;
        QRect Geometry;
    };

    struct Layout {
        const char* Title;
        QSize ClientSize;
        std::span<const StaticText> Texts;
        std::span<const QRect> Edits;
        int EditMaxLength; // 0: no limit of the program's own
        const char* OkName;
        QRect OkGeometry;
        int HeaderHeight;
        int StatusBarTop;
        bool EnterInEdit1PressesOk; // the Nets window; the others move on to the next control
    };

    QLineEdit* Edit(int n) const; // 1-based, as the control names
    QPushButton* OkButton() const noexcept { return ok_; }

protected:
    EntryForm(Workspace& ws, QWidget* parent, const Layout& layout);

    Workspace& ws_;

    // The OK action of the window; closes it with accept() when the entry is taken.
    virtual void OkClick() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EnterReleasedIn(int editIndex);

    std::vector<QLineEdit*> edits_;
    QPushButton* ok_ = nullptr;
    KeyPresses enterPresses_;
    bool enterInEdit1PressesOk_ = false;
};

// "Open": up to three probe numbers of an open link.
class TForm2 final : public EntryForm {
    Q_OBJECT
public:
    explicit TForm2(Workspace& ws, QWidget* parent = nullptr);

private:
    void OkClick() override;
};

// "Short": up to three probe numbers of a short link.
class TForm3 final : public EntryForm {
    Q_OBJECT
public:
    explicit TForm3(Workspace& ws, QWidget* parent = nullptr);

private:
    void OkClick() override;
};

// "Nets": a net name.
class TForm4 final : public EntryForm {
    Q_OBJECT
public:
    explicit TForm4(Workspace& ws, QWidget* parent = nullptr);

private:
    void OkClick() override;
};

// "Component": up to three lists of parts and pin numbers.
class TForm5 final : public EntryForm {
    Q_OBJECT
public:
    explicit TForm5(Workspace& ws, QWidget* parent = nullptr);

private:
    void OkClick() override;
};

// A new window of the kind, owned by `owner`.
std::unique_ptr<EntryForm> MakeEntryForm(EntryKind kind, Workspace& ws, QWidget* owner);

} // namespace dorvik
