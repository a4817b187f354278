#include "faults/EntryForms.h"

#include "faults/EntryActions.h"
#include "view/Workspace.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ProgramFont.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

#include <algorithm>
#include <array>

namespace dorvik {

namespace {

using Role = EntryForm::TextRole;

const QColor Navy(0x00, 0x00, 0x80);
const QColor Green(0x00, 0x80, 0x00);
const QColor Purple(0x80, 0x00, 0x80);

void SetTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Only key events carry a key; any other event through a filter is not one.
bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat();
}

// The probe boxes' texts as typed; anything beyond plain ASCII makes a number fail anyway.
std::array<QByteArray, 3> Utf8Texts(const EntryForm& form) {
    return {form.Edit(1)->text().toUtf8(), form.Edit(2)->text().toUtf8(),
            form.Edit(3)->text().toUtf8()};
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The probe windows' OK: stores the numbers, or shows which box is not a number and stays open.
bool AcceptProbes(EntryForm& form, Workspace& ws, std::int32_t displayMode) {
    const std::array<QByteArray, 3> texts = Utf8Texts(form);
    const std::optional<std::size_t> failed =
        AcceptProbeEntry(ws.State, {View(texts[0]), View(texts[1]), View(texts[2])}, displayMode);
    if (!failed) {
        return true;
    }
    MessageBoxRequest box;
    box.Parent = &form;
    box.Text = QString::fromStdString(InvalidIntegerMessage(View(texts[*failed])));
    ShowMessageBox(box);
    return false;
}

// Board names are single bytes; what is typed is matched against them as Latin-1.
QByteArray NameBytes(const QLineEdit* edit) {
    return edit->text().toLatin1();
}

constexpr std::array<EntryForm::StaticText, 7> OpenTexts{{
    {"StaticText1", "OPEN", Role::Title, QRect(158, 8, 62, 28)},
    {"StaticText2", "Input your probes:", Role::Prompt, QRect(22, 48, 156, 28)},
    {"StaticText3", "[Samples]  1's: 1,22,123, , ,", Role::Plain, QRect(22, 72, 192, 24)},
    {"StaticText4", "2's: 5,43,210, , ,", Role::Plain, QRect(101, 96, 114, 24)},
    {"StaticText5", "Probe1's:", Role::Plain, QRect(29, 130, 70, 24)},
    {"StaticText6", "Probe2's:", Role::Plain, QRect(29, 163, 70, 24)},
    {"StaticText7", "Probe3's:", Role::Plain, QRect(29, 197, 70, 24)},
}};
constexpr std::array<QRect, 3> OpenEdits{
    {QRect(102, 128, 257, 28), QRect(102, 162, 257, 28), QRect(102, 195, 257, 28)}};

constexpr std::array<EntryForm::StaticText, 7> ShortTexts{{
    {"StaticText1", "SHORT", Role::Title, QRect(141, 8, 75, 28)},
    {"StaticText2", "Input your probes:", Role::Prompt, QRect(30, 37, 156, 28)},
    {"StaticText3", "[Samples]  1's: 1,22,123, , ,", Role::Plain, QRect(30, 64, 192, 24)},
    {"StaticText4", "2's: 5,43,210, , ,", Role::Plain, QRect(110, 88, 114, 24)},
    {"StaticText5", "Probe1's:", Role::Plain, QRect(30, 115, 70, 24)},
    {"StaticText6", "Probe2's:", Role::Plain, QRect(30, 149, 70, 24)},
    {"StaticText7", "Probe3's:", Role::Plain, QRect(30, 182, 70, 24)},
}};
constexpr std::array<QRect, 3> ShortEdits{
    {QRect(104, 114, 217, 28), QRect(104, 147, 217, 28), QRect(104, 181, 217, 28)}};

constexpr std::array<EntryForm::StaticText, 4> NetTexts{{
    {"StaticText1", "NETS", Role::Title, QRect(166, 16, 59, 28)},
    {"StaticText2", "Nets Name:", Role::Prompt, QRect(22, 43, 103, 28)},
    {"StaticText3", "[Samples] Nets Name: GND", Role::Plain, QRect(22, 69, 201, 24)},
    {"StaticText4", "Net Name:", Role::Plain, QRect(22, 102, 79, 24)},
}};
constexpr std::array<QRect, 1> NetEdits{{QRect(102, 101, 257, 28)}};

constexpr std::array<EntryForm::StaticText, 7> CompTexts{{
    {"StaticText1", "Component Fail", Role::Title, QRect(112, 10, 152, 28)},
    {"StaticText2", "Input Component, pin, pin", Role::Prompt, QRect(34, 43, 221, 28)},
    {"StaticText3", "[Samples]  1's: U321,22,123, , ,", Role::Plain, QRect(34, 72, 222, 24)},
    {"StaticText4", "2's: C567", Role::Plain, QRect(114, 96, 70, 24)},
    {"StaticText5", "Comp. 1's:", Role::Plain, QRect(35, 122, 78, 24)},
    {"StaticText6", "Comp. 2's:", Role::Plain, QRect(35, 162, 78, 24)},
    {"StaticText7", "Comp. 3's:", Role::Plain, QRect(35, 192, 78, 24)},
}};
constexpr std::array<QRect, 3> CompEdits{
    {QRect(115, 120, 225, 32), QRect(115, 154, 225, 32), QRect(115, 187, 225, 32)}};

// The client areas are the design sizes without the frame: the header strip's width, and down to
// the status bar's bottom edge.
const EntryForm::Layout OpenLayout{
    "Open",     QSize(481, 356),         OpenTexts, OpenEdits, 0,
    "OkBitBtn", QRect(165, 254, 75, 25), 1,         337,       false};
const EntryForm::Layout ShortLayout{
    "Short",    QSize(441, 346),         ShortTexts, ShortEdits, 0,
    "OkBitBtn", QRect(163, 248, 75, 25), 1,          327,        false};
const EntryForm::Layout NetLayout{
    "Nets",     QSize(481, 246),         NetTexts, NetEdits, NetEntryMaxLength,
    "OkBitBtn", QRect(152, 136, 75, 25), 9,        227,      true};
const EntryForm::Layout CompLayout{
    "Component", QSize(471, 346),         CompTexts, CompEdits, CompEntryMaxLength,
    "BitBtn1",   QRect(158, 222, 76, 25), 9,         327,       false};

} // namespace

EntryForm::EntryForm(Workspace& ws, QWidget* parent, const Layout& layout)
    : NoEscapeDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                 Qt::MSWindowsFixedSizeDialogHint),
      ws_(ws), enterInEdit1PressesOk_(layout.EnterInEdit1PressesOk) {
    setWindowTitle(QString::fromLatin1(layout.Title));
    setFont(ProgramFont(16, false));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button)); // the button face
    palette.setColor(QPalette::WindowText, Navy);
    palette.setColor(QPalette::Text, Navy);
    palette.setColor(QPalette::ButtonText, Navy);
    setPalette(palette);
    setFixedSize(layout.ClientSize);

    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("HeaderControl1"));
    header->setFrameStyle(QFrame::Panel | QFrame::Raised);
    header->setGeometry(0, 0, layout.ClientSize.width(), layout.HeaderHeight);

    for (const StaticText& text : layout.Texts) {
        auto* label = new QLabel(QString::fromLatin1(text.Caption), this);
        label->setObjectName(QString::fromLatin1(text.Name));
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(text.Geometry);
        if (text.Role == TextRole::Title) {
            label->setFont(ProgramFont(19, true));
            SetTextColour(label, QPalette::WindowText, Green);
        } else if (text.Role == TextRole::Prompt) {
            label->setFont(ProgramFont(19, false));
        }
    }

    for (std::size_t i = 0; i < layout.Edits.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        edit->setGeometry(layout.Edits[i]);
        if (layout.EditMaxLength > 0) {
            edit->setMaxLength(layout.EditMaxLength);
        }
        edit->installEventFilter(this);
        edits_.push_back(edit);
    }

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QString::fromLatin1(layout.OkName));
    ok_->setGeometry(layout.OkGeometry);
    ok_->setFont(ProgramFont(19, true));
    SetTextColour(ok_, QPalette::ButtonText, Purple);
    // Enter must not press OK from an edit box: only its release there does what the window says.
    ok_->setAutoDefault(false);
    ok_->setDefault(false);
    ok_->installEventFilter(this);
    connect(ok_, &QPushButton::clicked, this, [this] { OkClick(); });

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    status->setGeometry(0, layout.StatusBarTop, layout.ClientSize.width(), 19);

    QWidget* previous = edits_.front();
    for (std::size_t i = 1; i < edits_.size(); ++i) {
        setTabOrder(previous, edits_[i]);
        previous = edits_[i];
    }
    setTabOrder(previous, ok_);
    edits_.front()->setFocus();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QLineEdit* EntryForm::Edit(int n) const {
    return n >= 1 && n <= static_cast<int>(edits_.size()) ? edits_[static_cast<std::size_t>(n - 1)]
                                                          : nullptr;
}

bool EntryForm::eventFilter(QObject* watched, QEvent* event) {
    const bool inEdit = std::find(edits_.begin(), edits_.end(), watched) != edits_.end();
    if ((inEdit || watched == ok_) && IsEnterKey(event)) {
        const auto& key = *static_cast<const QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress) {
            enterPresses_.Press(key);
            // On the OK button the press does nothing: the button acts on the release.
            return watched == ok_;
        }
        // A release whose press came to another window (the Enter that closed a message box)
        // does nothing here.
        if (!enterPresses_.Release(key)) {
            return true;
        }
        if (watched == ok_) {
            ok_->click();
        } else {
            EnterReleasedIn(static_cast<int>(std::find(edits_.begin(), edits_.end(), watched) -
                                             edits_.begin()));
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void EntryForm::EnterReleasedIn(int editIndex) {
    if (enterInEdit1PressesOk_) {
        ok_->click();
        return;
    }
    const auto next = static_cast<std::size_t>(editIndex) + 1;
    if (next < edits_.size()) {
        edits_[next]->setFocus();
    } else {
        ok_->setFocus();
    }
}

TForm2::TForm2(Workspace& ws, QWidget* parent) : EntryForm(ws, parent, OpenLayout) {
    setObjectName(QStringLiteral("Form2"));
}

void TForm2::OkClick() {
    if (AcceptProbes(*this, ws_, OpenDisplay)) {
        accept();
    }
}

TForm3::TForm3(Workspace& ws, QWidget* parent) : EntryForm(ws, parent, ShortLayout) {
    setObjectName(QStringLiteral("Form3"));
}

void TForm3::OkClick() {
    if (AcceptProbes(*this, ws_, ShortDisplay)) {
        accept();
    }
}

TForm4::TForm4(Workspace& ws, QWidget* parent) : EntryForm(ws, parent, NetLayout) {
    setObjectName(QStringLiteral("Form4"));
}

void TForm4::OkClick() {
    const QByteArray typed = NameBytes(Edit(1));
    AcceptNetEntry(ws_.State, View(typed));
    accept();
}

TForm5::TForm5(Workspace& ws, QWidget* parent) : EntryForm(ws, parent, CompLayout) {
    setObjectName(QStringLiteral("Form5"));
}

void TForm5::OkClick() {
    const std::array<QByteArray, 3> typed{NameBytes(Edit(1)), NameBytes(Edit(2)),
                                          NameBytes(Edit(3))};
    AcceptCompEntry(ws_.State, {View(typed[0]), View(typed[1]), View(typed[2])});
    accept();
}

std::unique_ptr<EntryForm> MakeEntryForm(EntryKind kind, Workspace& ws, QWidget* owner) {
    switch (kind) {
    case EntryKind::Open:
        return std::make_unique<TForm2>(ws, owner);
    case EntryKind::Short:
        return std::make_unique<TForm3>(ws, owner);
    case EntryKind::Net:
        return std::make_unique<TForm4>(ws, owner);
    case EntryKind::Comp:
        break;
    }
    return std::make_unique<TForm5>(ws, owner);
}

} // namespace dorvik
