#pragma once
// The fault list's commands in the main window: File > Open Report…, the Faults menu (Next,
// Previous, Save List) and the panel they drive. The window's key table is not touched.

#include "report/ReportUnit.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace dorvik {

class FaultListPanel;
class TForm1;

class FaultListCommands final : public QObject {
    Q_OBJECT

public:
    // A file dialog: the chosen path, or an empty text when the operator cancels.
    using PathChooser = std::function<QString(QWidget* parent)>;

    // Adds the menu items and the dock to the window.
    explicit FaultListCommands(TForm1& form1);

    FaultListPanel& Panel() const noexcept { return *panel_; }

    // The save dialog is offered a file name, made from the unit's serial.
    using SaveChooser = std::function<QString(QWidget* parent, const QString& offered)>;

    void SetReportChooser(PathChooser chooser) { chooseReport_ = std::move(chooser); }
    void SetSaveChooser(SaveChooser chooser) { chooseSave_ = std::move(chooser); }
    // Asked before another report replaces the list, with the end of the question: false keeps
    // the list.
    void SetLeaveCheck(std::function<bool(const QString& going)> check) {
        leaveCheck_ = std::move(check);
    }

    // The board file the board library gives for the report's board name `unit.Board` (a full
    // path), or an empty text when it knows none.
    using BoardExpectation = std::function<QString(const ReportUnit& unit)>;
    void SetBoardExpectation(BoardExpectation expect) { expectBoard_ = std::move(expect); }
    // Says again whether the board loaded looks like the report's; called when a list is shown,
    // when another board opens, and by the owner of the board library when the library changes.
    void RecheckBoard();
    // The panel's warning that the board may not be the report's; empty when it shows none.
    QString BoardWarning() const;

    // The unit of the list shown: the report's, with the serial typed since then.
    const ReportUnit& Unit() const noexcept { return unit_; }
    void SetSerial(const QString& serial) { unit_.Serial = serial.toStdString(); }

    void OpenReportClick();
    // Open Report with `path` chosen in the dialog.
    void OpenReport(const QString& path);
    void SaveListClick();
    // Save List with `path` chosen in the dialog.
    void SaveList(const QString& path);

    // The items the commands add, for the script's `menu`.
    std::vector<QAction*> MenuActions() const {
        return {OpenReportItem, NextItem, PreviousItem, SaveListItem};
    }

    QAction* OpenReportItem = nullptr;
    QAction* NextItem = nullptr;
    QAction* PreviousItem = nullptr;
    QAction* SaveListItem = nullptr;

signals:
    // A list read from `path` is shown.
    void ListShown(const QString& path);

private:
    void Message(const QString& text);
    void EnableStepping(bool enabled);
    void KeepBoardInSight(QSize drawing);
    void BoardOpened();

    TForm1& form1_;
    FaultListPanel* panel_ = nullptr;
    QMenu* menu_ = nullptr;
    PathChooser chooseReport_;
    SaveChooser chooseSave_;
    std::function<bool(const QString& going)> leaveCheck_;
    BoardExpectation expectBoard_;
    bool listShown_ = false;
    // The unit of the report read last, written back by Save List.
    ReportUnit unit_;
};

} // namespace dorvik
