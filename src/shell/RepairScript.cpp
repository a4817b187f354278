#include "shell/RepairScript.h"

#include "repairlog/RepairRecord.h"
#include "repairui/RepairStation.h"
#include "repairui/UnitPanel.h"
#include "shell/FaultListCommands.h"
#include "shell/FaultListPanel.h"
#include "shell/MainWindow.h"
#include "shell/RepairCommands.h"
#include "shell/ScriptChecks.h"
#include "widgets/TypingField.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace dorvik {
namespace {

// How long `unit` and `history` wait for the line database to answer for the unit: longer than
// its connect timeout.
constexpr int HistoryWaitMs = 30000;

QWidget& RepairWindow(QWidget* modal, const char* verb) {
    QWidget& window = RequireModal(modal, verb);
    if (window.objectName() != QLatin1String("RepairWindow")) {
        throw ScriptFailure(QStringLiteral("'%1' acts on the Repair window").arg(verb));
    }
    return window;
}

// Types the text as the keyboard would, replacing what the field held.
void TypeInto(QWidget& window, const char* field, const QString& text) {
    auto* edit = window.findChild<QLineEdit*>(QLatin1String(field));
    if (edit == nullptr) {
        throw ScriptFailure(QStringLiteral("the window has no field %1").arg(field));
    }
    edit->selectAll();
    edit->insert(text);
}

void ChooseAction(QWidget& window, const QString& name) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("ActionList"));
    const QList<QListWidgetItem*> found =
        list != nullptr ? list->findItems(name, Qt::MatchExactly) : QList<QListWidgetItem*>{};
    if (found.isEmpty()) {
        throw ScriptFailure(QStringLiteral("'%1' is not an action of the Repair window").arg(name));
    }
    list->setCurrentItem(found.front());
}

// The serial typed into the field and Enter pressed there, as a barcode scanner does.
void Scan(TypingField& field, const QString& text) {
    field.Activate();
    field.insert(text);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent enter(type, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&field, &enter);
    }
}

void WaitForHistory(const RepairStation& station) {
    if (!PollUntil([&] { return station.HistoryComplete(); }, HistoryWaitMs)) {
        throw ScriptFailure(QStringLiteral("the repair log did not answer for the unit"));
    }
}

} // namespace

void RunRepairCommand(TForm1& form, const ScriptCommand& command, QWidget* modal,
                      const std::function<void(const std::string&)>& print) {
    RepairCommands& repairs = form.Repairs();
    RepairStation& station = repairs.Station();
    switch (command.Verb) {
    case ScriptVerb::Operator:
        RequireMainWindow(modal, "operator");
        station.SetOperator(command.Argument);
        return;
    case ScriptVerb::Serial:
        RequireMainWindow(modal, "serial");
        Scan(repairs.Unit().SerialField(), command.Argument);
        return;
    case ScriptVerb::Tick: {
        RequireMainWindow(modal, "tick");
        FaultListPanel& panel = form.FaultCommands().Panel();
        if (static_cast<std::size_t>(command.Edit) > panel.List().LineCount()) {
            throw ScriptFailure(QStringLiteral("there is no fault line %1").arg(command.Edit));
        }
        panel.RequestTick(static_cast<std::size_t>(command.Edit - 1));
        return;
    }
    case ScriptVerb::Action:
        ChooseAction(RepairWindow(modal, "action"), command.Argument);
        return;
    case ScriptVerb::Refdes:
        TypeInto(RepairWindow(modal, "refdes"), "RefdesEdit", command.Argument);
        return;
    case ScriptVerb::Comment:
        TypeInto(RepairWindow(modal, "comment"), "CommentEdit", command.Argument);
        return;
    case ScriptVerb::Unit:
        WaitForHistory(station);
        print("unit: " + station.Serial().toStdString());
        print("board: " + station.Board().toStdString());
        print("visits: " + std::to_string(station.EarlierVisits()));
        print(std::string("loop: ") + (station.Loop() ? "1" : "0"));
        return;
    case ScriptVerb::History:
        WaitForHistory(station);
        print("history: " + std::to_string(station.History().Records().size()));
        for (const RepairRecord& record : station.History().Records()) {
            print("record: " + TabSeparated(record));
        }
        return;
    case ScriptVerb::LogStatus:
        print(station.LogStatusLine().toStdString());
        return;
    default:
        throw ScriptFailure(QStringLiteral("not a command of the repair station"));
    }
}

} // namespace dorvik
