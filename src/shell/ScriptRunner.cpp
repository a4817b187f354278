#include "shell/ScriptRunner.h"

#include "report/FaultListFile.h"
#include "report/TextLines.h"
#include "shell/ControlsReport.h"
#include "shell/DrawingArea.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/FindField.h"
#include "shell/MainWindow.h"
#include "shell/RepairCommands.h"
#include "shell/RepairScript.h"
#include "shell/ScriptChecks.h"
#include "shell/ScriptLines.h"
#include "shell/StateReport.h"
#include "shell/UnitCommands.h"
#include "shell/UnitScript.h"
#include "shell/ViewerExtensions.h"
#include "view/Workspace.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QTableWidget>
#include <QTimer>
#include <QWheelEvent>

#include <utility>

namespace dorvik {
namespace {

constexpr int ResizeWaitMs = 5000;

// The modal windows on the screen now.
int ModalDepth() {
    int depth = 0;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isModal()) {
            ++depth;
        }
    }
    return depth;
}

QLineEdit& EditBox(QWidget* modal, const char* verb, int number) {
    const QString name = QStringLiteral("Edit%1").arg(number);
    auto* edit = modal != nullptr ? modal->findChild<QLineEdit*>(name) : nullptr;
    if (edit == nullptr) {
        throw ScriptFailure(QStringLiteral("'%1': the active window has no edit box %2")
                                .arg(QLatin1String(verb), name));
    }
    return *edit;
}

// The control a keyboard's key goes to: the focused one of the active window.
QWidget& KeyTarget(TForm1& form) {
    QWidget* modal = QApplication::activeModalWidget();
    QWidget& window = modal != nullptr ? *modal : static_cast<QWidget&>(form);
    QWidget* focus = window.focusWidget();
    return focus != nullptr ? *focus : window;
}

// A press and then its release, each to the control that has the keyboard at that moment, as a
// keyboard sends them: a press that closes a window sends the release to the one below.
void SendKeyStroke(TForm1& form, const KeyStroke& key) {
    QKeyEvent press(QEvent::KeyPress, key.QtKey, key.Modifiers);
    QCoreApplication::sendEvent(&KeyTarget(form), &press);
    QKeyEvent release(QEvent::KeyRelease, key.QtKey, key.Modifiers);
    QCoreApplication::sendEvent(&KeyTarget(form), &release);
}

void SendMouse(QWidget& area, QEvent::Type type, Qt::MouseButton button, int x, int y) {
    const QPointF local(x, y);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, local, area.mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&area, &event);
}

void SendMove(QWidget& area, int x, int y) {
    const QPointF local(x, y);
    QMouseEvent event(QEvent::MouseMove, local, area.mapToGlobal(local), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&area, &event);
}

// A drag as a hand makes it: the button goes down, the pointer moves there in a few steps with
// the button held, and the button comes up.
void SendDrag(QWidget& area, int x1, int y1, int x2, int y2) {
    constexpr int Steps = 4;
    SendMouse(area, QEvent::MouseButtonPress, Qt::LeftButton, x1, y1);
    for (int step = 1; step <= Steps; ++step) {
        const auto along = [&](int from, int to) {
            return static_cast<int>(from + (static_cast<long long>(to) - from) * step / Steps);
        };
        SendMove(area, along(x1, x2), along(y1, y2));
    }
    SendMouse(area, QEvent::MouseButtonRelease, Qt::LeftButton, x2, y2);
}

void SendWheelNotch(QWidget& area, int x, int y, bool up) {
    const QPointF local(x, y);
    QWheelEvent event(local, area.mapToGlobal(local), QPoint(),
                      QPoint(0, up ? WheelNotches::NotchDelta : -WheelNotches::NotchDelta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&area, &event);
}

// Types the text into the search field and presses Enter there, as the operator does.
void TypeAndFind(FindField& field, const QString& text) {
    if (!field.isEnabled()) {
        return; // like a disabled button, nothing
    }
    field.Activate();
    field.insert(text);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent enter(type, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&field, &enter);
    }
}

void PressOk(QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (ok == nullptr) {
            throw ScriptFailure(QStringLiteral("the message box has no OK button"));
        }
        ok->click();
        return;
    }
    for (const char* name : {"OkBitBtn", "BitBtn1", "OKButton"}) {
        if (auto* ok = modal.findChild<QAbstractButton*>(QLatin1String(name))) {
            ok->click();
            return;
        }
    }
    throw ScriptFailure(QStringLiteral("the active window has no OK button"));
}

void PressCancel(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QAbstractButton* cancel = box != nullptr ? box->button(QMessageBox::Cancel) : nullptr;
    if (cancel == nullptr && box == nullptr && modal != nullptr) {
        cancel = modal->findChild<QAbstractButton*>(QStringLiteral("CancelButton"));
    }
    if (cancel == nullptr) {
        throw ScriptFailure(
            QStringLiteral("'cancel' needs a message box or a window with a Cancel button"));
    }
    cancel->click();
}

// Shows the main window restored and sizes it so that the drawing area is exactly `target`.
void SizeDrawingArea(TForm1& form, QSize target) {
    form.showNormal();
    PollUntil([&] { return form.isVisible() && !form.isMaximized(); }, ResizeWaitMs);
    DrawingArea& area = form.Image1();
    // The frame around the drawing area is fixed, but a window manager may adjust the first
    // request; a second one settles it.
    for (int attempt = 0; attempt < 3 && area.size() != target; ++attempt) {
        form.resize(form.size() + (target - area.size()));
        PollUntil([&] { return area.size() == target; }, ResizeWaitMs);
    }
    if (area.size() != target || form.Picture().size() != target) {
        throw ScriptFailure(QStringLiteral("the drawing area could not be sized to %1 x %2")
                                .arg(target.width())
                                .arg(target.height()));
    }
}

} // namespace

ScriptRunner::ScriptRunner(TForm1& form, std::unique_ptr<ScriptLines> lines,
                           std::optional<QString> board, ExitFunction exit, std::FILE* out,
                           std::FILE* err)
    : form_(form), lines_(std::move(lines)), board_(std::move(board)), exit_(std::move(exit)),
      out_(out), err_(err) {}

ScriptRunner::~ScriptRunner() {
    if (started_ && !finished_) {
        qApp->removeEventFilter(this);
    }
}

void ScriptRunner::Start() {
    if (started_) {
        return;
    }
    started_ = true;
    qApp->installEventFilter(this);
    // A tick's record and a reversal are told as they are committed.
    connect(&form_.Repairs(), &RepairCommands::Repaired, this,
            [this](std::size_t k, const QString& id) {
                Print("repaired: " + std::to_string(k) + ' ' + id.toStdString());
            });
    connect(&form_.Repairs(), &RepairCommands::Unrepaired, this,
            [this](std::size_t k, const QString& id) {
                Print("unrepaired: " + std::to_string(k) + ' ' + id.toStdString());
            });
    // Once the main window is closed the program is ending; the script ends with it.
    connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] {
        if (!finished_) {
            Finish();
        }
    });
    ScheduleStep();
}

void ScriptRunner::ScheduleStep() {
    if (pending_ || finished_) {
        return;
    }
    pending_ = true;
    QTimer::singleShot(0, this, &ScriptRunner::Step);
}

void ScriptRunner::Step() {
    pending_ = false;
    if (finished_) {
        return;
    }
    const int depthBefore = ModalDepth();
    ++executing_;
    struct Leave {
        int& executing;
        ~Leave() { --executing; }
    } leave{executing_};

    if (board_) {
        const QString board = *std::exchange(board_, std::nullopt);
        form_.OpenChosenFile(board);
    } else if (report_) {
        const QString report = *std::exchange(report_, std::nullopt);
        form_.FaultCommands().OpenReport(report);
    } else {
        ScriptCommand command;
        int lineNumber = 0;
        switch (NextCommand(command, lineNumber)) {
        case Next::Command:
            break;
        case Next::Waiting:
            WaitForInput();
            return;
        case Next::Failed:
            return;
        case Next::Ended:
            if (ModalDepth() > 0) {
                Fail(linesRead_ + 1,
                     QStringLiteral("the script ended while a modal window is open"));
            } else {
                Finish();
            }
            return;
        }
        // Whatever a command throws ends the script with its reason, never the program.
        try {
            Execute(command);
        } catch (const std::exception& failure) {
            Fail(lineNumber, QString::fromUtf8(failure.what()));
            return;
        } catch (...) {
            Fail(lineNumber, QStringLiteral("unknown error"));
            return;
        }
    }
    // A command that closed the window it ran in leaves the next step to the command that
    // opened that window, which goes on once the window's own loop has ended.
    if (ModalDepth() >= depthBefore) {
        ScheduleStep();
    }
}

ScriptRunner::Next ScriptRunner::NextCommand(ScriptCommand& command, int& lineNumber) {
    std::string line;
    for (;;) {
        switch (lines_->Next(line)) {
        case ScriptLines::Status::Waiting:
            return Next::Waiting;
        case ScriptLines::Status::Ended:
            return Next::Ended;
        case ScriptLines::Status::Line:
            break;
        }
        lineNumber = ++linesRead_;
        const ParsedLine parsed = ParseScriptLine(QString::fromUtf8(line));
        switch (parsed.What) {
        case ParsedLine::Kind::Skip:
            continue;
        case ParsedLine::Kind::Error:
            Fail(lineNumber, parsed.Error);
            return Next::Failed;
        case ParsedLine::Kind::Command:
            command = parsed.Command;
            return Next::Command;
        }
    }
}

void ScriptRunner::WaitForInput() {
    if (inputNotifier_ == nullptr) {
        inputNotifier_ = new QSocketNotifier(lines_->Descriptor(), QSocketNotifier::Read, this);
        connect(inputNotifier_, &QSocketNotifier::activated, this, [this] {
            inputNotifier_->setEnabled(false);
            ScheduleStep();
        });
    }
    inputNotifier_->setEnabled(true);
}

void ScriptRunner::Execute(const ScriptCommand& command) {
    QWidget* modal = QApplication::activeModalWidget();
    switch (command.Verb) {
    case ScriptVerb::Size:
        RequireMainWindow(modal, "size");
        SizeDrawingArea(form_, QSize(command.X, command.Y));
        return;
    case ScriptVerb::Open:
        RequireMainWindow(modal, "open");
        form_.OpenChosenFile(command.Argument);
        return;
    case ScriptVerb::Key:
        SendKeyStroke(form_, command.Key);
        return;
    case ScriptVerb::Click:
        RequireMainWindow(modal, "click");
        SendMouse(form_.Image1(), QEvent::MouseButtonRelease, command.Button, command.X, command.Y);
        return;
    case ScriptVerb::DoubleClick:
        RequireMainWindow(modal, "dblclick");
        for (const QEvent::Type type : {QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                        QEvent::MouseButtonRelease}) {
            SendMouse(form_.Image1(), type, Qt::LeftButton, command.X, command.Y);
        }
        return;
    case ScriptVerb::Button:
        RequireMainWindow(modal, "button");
        for (QAbstractButton* button : form_.ToolButtons()) {
            if (button->objectName() == command.Argument) {
                button->click(); // does nothing while the button is disabled
            }
        }
        return;
    case ScriptVerb::Menu: {
        RequireMainWindow(modal, "menu");
        for (const auto& actions : {form_.MenuActions(), form_.FaultCommands().MenuActions(),
                                    form_.Viewer().MenuActions(), form_.Repairs().MenuActions(),
                                    form_.Units().MenuActions()}) {
            for (QAction* item : actions) {
                if (item->objectName() == command.Argument && item->isEnabled()) {
                    item->trigger();
                }
            }
        }
        return;
    }
    case ScriptVerb::Report:
        RequireMainWindow(modal, "report");
        form_.FaultCommands().OpenReport(command.Argument);
        return;
    case ScriptVerb::Faults: {
        const std::string listing = FaultsListing(form_.FaultCommands().Panel().List());
        for (const std::string_view line : SplitLines(listing)) {
            Print(std::string(line));
        }
        return;
    }
    case ScriptVerb::Fault: {
        RequireMainWindow(modal, "fault");
        FaultListPanel& panel = form_.FaultCommands().Panel();
        if (static_cast<std::size_t>(command.Edit) > panel.List().LineCount()) {
            throw ScriptFailure(QStringLiteral("there is no fault line %1").arg(command.Edit));
        }
        panel.ShowLine(static_cast<std::size_t>(command.Edit - 1));
        return;
    }
    case ScriptVerb::NextFault:
        RequireMainWindow(modal, "next");
        form_.FaultCommands().Panel().ShowNext();
        return;
    case ScriptVerb::PreviousFault:
        RequireMainWindow(modal, "previous");
        form_.FaultCommands().Panel().ShowPrevious();
        return;
    case ScriptVerb::Wheel:
        RequireMainWindow(modal, "wheel");
        SendWheelNotch(form_.Image1(), command.X, command.Y, command.Up);
        return;
    case ScriptVerb::Drag:
        RequireMainWindow(modal, "drag");
        SendDrag(form_.Image1(), command.X, command.Y, command.X2, command.Y2);
        return;
    case ScriptVerb::Find:
        RequireMainWindow(modal, "find");
        TypeAndFind(form_.Viewer().Find(), command.Argument);
        return;
    case ScriptVerb::Export:
        if (!form_.Viewer().ExportPicture(command.Argument)) {
            throw ScriptFailure(QStringLiteral("cannot write %1").arg(command.Argument));
        }
        return;
    case ScriptVerb::Text: {
        QLineEdit& edit = EditBox(modal, "text", command.Edit);
        edit.selectAll();
        edit.insert(command.Argument); // as typed: the box's length limit applies
        return;
    }
    case ScriptVerb::Enter:
        EditBox(modal, "enter", command.Edit).setFocus();
        SendKeyStroke(form_, KeyStroke{Qt::Key_Return, {}});
        return;
    case ScriptVerb::Ok:
        PressOk(RequireModal(modal, "ok"));
        return;
    case ScriptVerb::Cancel:
        PressCancel(modal);
        return;
    case ScriptVerb::Close:
        RequireModal(modal, "close").close();
        return;
    case ScriptVerb::Status:
        Print("status: " + form_.Work().Controls.StatusText());
        return;
    case ScriptVerb::State:
        for (const std::string& line : StateLines(form_.Work())) {
            Print(line);
        }
        return;
    case ScriptVerb::Controls:
        for (const std::string& line : ControlsLines(form_)) {
            Print(line);
        }
        return;
    case ScriptVerb::Pixel: {
        const auto colour = form_.Work().Canvas.Pixel(command.X, command.Y);
        if (!colour) {
            throw ScriptFailure(QStringLiteral("pixel %1 %2 lies outside the picture")
                                    .arg(command.X)
                                    .arg(command.Y));
        }
        Print("pixel " + std::to_string(command.X) + ' ' + std::to_string(command.Y) + ' ' +
              HexColour(*colour));
        return;
    }
    case ScriptVerb::Where:
        Print(WhereLine(command));
        return;
    case ScriptVerb::Save:
        if (command.Argument.contains(QChar(u'\0')) ||
            !form_.Picture().save(command.Argument, "PNG")) {
            throw ScriptFailure(QStringLiteral("cannot write %1").arg(command.Argument));
        }
        return;
    case ScriptVerb::Quit:
        finished_ = true;
        exit_(0);
        return;
    case ScriptVerb::Operator:
    case ScriptVerb::Serial:
    case ScriptVerb::Tick:
    case ScriptVerb::Action:
    case ScriptVerb::Refdes:
    case ScriptVerb::Comment:
    case ScriptVerb::Unit:
    case ScriptVerb::History:
    case ScriptVerb::LogStatus:
        RunRepairCommand(form_, command, modal, [this](const std::string& line) { Print(line); });
        return;
    case ScriptVerb::UnitReports:
    case ScriptVerb::WaitIndex:
        RunUnitCommand(form_, command, modal, [this](const std::string& line) { Print(line); });
        return;
    }
}

bool ScriptRunner::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !finished_ && watched->isWidgetType()) {
        const auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window->isModal()) {
            if (const auto* box = qobject_cast<const QMessageBox*>(window)) {
                Print("message: " + box->text().toStdString());
            }
            // The command that opened the window waits inside it; the script goes on there.
            if (executing_ > 0) {
                ScheduleStep();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

std::string ScriptRunner::WhereLine(const ScriptCommand& command) const {
    QRect place;
    std::string name = command.Argument.toStdString();
    if (command.Edit > 0) {
        // A line's row of the fault list, all its cells.
        const QTableWidget& table = form_.FaultCommands().Panel().Table();
        const int row = command.Edit - 1;
        if (row >= table.rowCount() || !table.isVisible()) {
            throw ScriptFailure(
                QStringLiteral("there is no fault line %1 shown").arg(command.Edit));
        }
        const QRect cells =
            table.visualRect(table.model()->index(row, 0))
                .united(table.visualRect(table.model()->index(row, table.columnCount() - 1)));
        place = QRect(table.viewport()->mapToGlobal(cells.topLeft()), cells.size());
        name += ' ' + std::to_string(command.Edit);
    } else {
        const auto* widget = form_.findChild<const QWidget*>(command.Argument);
        if (widget == nullptr || !widget->isVisible()) {
            throw ScriptFailure(
                QStringLiteral("there is no widget %1 shown").arg(command.Argument));
        }
        place = QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    }
    return "where " + name + ' ' + std::to_string(place.x()) + ' ' + std::to_string(place.y()) +
           ' ' + std::to_string(place.width()) + ' ' + std::to_string(place.height());
}

void ScriptRunner::Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fputc('\n', out_);
    std::fflush(out_);
}

void ScriptRunner::Fail(int lineNumber, const QString& reason) {
    std::fprintf(err_, "script: line %d: %s\n", lineNumber, reason.toUtf8().constData());
    std::fflush(err_);
    std::fflush(out_);
    Finish();
    exit_(2);
}

void ScriptRunner::Finish() {
    finished_ = true;
    qApp->removeEventFilter(this);
}

} // namespace dorvik
