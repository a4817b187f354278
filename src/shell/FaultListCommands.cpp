#include "shell/FaultListCommands.h"

#include "navigate/ViewFit.h"
#include "report/FaultListFile.h"
#include "report/FaultSelection.h"
#include "report/ReportReader.h"
#include "shell/BoardWarning.h"
#include "shell/DrawingArea.h"
#include "shell/FaultListPanel.h"
#include "shell/MainWindow.h"
#include "shell/NamedAction.h"
#include "shell/ViewerExtensions.h"
#include "view/Workspace.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>

namespace dorvik {

namespace {

QString ChooseReport(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Report"));
}

QString ChooseSave(QWidget* parent, const QString& offered) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Fault List"), offered,
                                        QStringLiteral("Fault lists (*.txt);;All files (*)"));
}

// The unit's serial as a file name: letters, digits, '-', '_' and '.' kept, the rest '_'.
QString OfferedListName(const ReportUnit& unit) {
    QString name = QString::fromStdString(unit.Serial);
    for (QChar& c : name) {
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_' && c != u'.') {
            c = u'_';
        }
    }
    while (name.startsWith(u'.')) {
        name.remove(0, 1);
    }
    return (name.isEmpty() ? QStringLiteral("faults") : name.left(100)) + QStringLiteral(".txt");
}

QString Summary(const QString& name, const ReportResult& result) {
    QString text = QStringLiteral("%1: %2, %3 faults, %4 lines")
                       .arg(name, QString::fromUtf8(ReportKindName(result.Kind)))
                       .arg(result.List.Faults().size())
                       .arg(result.List.LineCount());
    if (result.SkippedLines > 0) {
        text += QStringLiteral("; %1 lines skipped (first: line %2, %3)")
                    .arg(result.SkippedLines)
                    .arg(result.Problems.front().LineNumber)
                    .arg(QString::fromStdString(result.Problems.front().Reason));
    }
    return text;
}

} // namespace

FaultListCommands::FaultListCommands(TForm1& form1)
    : QObject(&form1), form1_(form1), chooseReport_(ChooseReport), chooseSave_(ChooseSave) {
    setObjectName(QStringLiteral("FaultListCommands"));
    panel_ =
        new FaultListPanel([this](const FaultLine& line) { form1_.ShowFaultLine(line); }, &form1);
    form1.addDockWidget(Qt::RightDockWidgetArea, panel_);
    panel_->hide();

    OpenReportItem = NamedAction(&form1, "OpenReport", "Open &Report...");
    NextItem = NamedAction(&form1, "NextFault", "&Next");
    PreviousItem = NamedAction(&form1, "PreviousFault", "&Previous");
    SaveListItem = NamedAction(&form1, "SaveFaultList", "&Save List");

    const QList<QAction*> bar = form1.menuBar()->actions();
    if (!bar.isEmpty() && bar.front()->menu() != nullptr) {
        QMenu* file = bar.front()->menu();
        const QList<QAction*> items = file->actions();
        file->insertAction(items.size() > 1 ? items[1] : nullptr, OpenReportItem);
    }
    menu_ = new QMenu(QStringLiteral("F&aults"), form1.menuBar());
    menu_->setObjectName(QStringLiteral("Faults"));
    menu_->addActions({NextItem, PreviousItem, SaveListItem});
    form1.menuBar()->insertMenu(bar.isEmpty() ? nullptr : bar.back(), menu_);
    EnableStepping(false);

    connect(OpenReportItem, &QAction::triggered, this, &FaultListCommands::OpenReportClick);
    connect(NextItem, &QAction::triggered, panel_, &FaultListPanel::ShowNext);
    connect(PreviousItem, &QAction::triggered, panel_, &FaultListPanel::ShowPrevious);
    connect(SaveListItem, &QAction::triggered, this, &FaultListCommands::SaveListClick);
    connect(panel_->SaveButton, &QPushButton::clicked, this, &FaultListCommands::SaveListClick);
    connect(&form1, &TForm1::BoardOpened, this, &FaultListCommands::BoardOpened);
}

void FaultListCommands::EnableStepping(bool enabled) {
    for (QAction* item : {NextItem, PreviousItem, SaveListItem}) {
        item->setEnabled(enabled);
    }
}

void FaultListCommands::Message(const QString& text) {
    MessageBoxRequest box;
    box.Parent = &form1_;
    box.Text = text;
    ShowMessageBox(box);
}

void FaultListCommands::OpenReportClick() {
    const QString path = chooseReport_(&form1_);
    if (!path.isEmpty()) {
        OpenReport(path);
    }
}

void FaultListCommands::OpenReport(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (form1_.Work().State.BoardLoaded == 0) {
        Message(QStringLiteral("%1: open the board first.").arg(name));
        return;
    }
    if (leaveCheck_ && !leaveCheck_(QStringLiteral("Open %1 anyway?").arg(name))) {
        return;
    }
    ReportResult result =
        ReadReportFile(QFile::encodeName(path).toStdString(), form1_.Work().Board);
    if (!result.Error.empty()) {
        Message(QStringLiteral("%1: %2.").arg(name, QString::fromStdString(result.Error)));
        return;
    }
    const QString summary = Summary(name, result);
    const bool firstShown = panel_->isHidden();
    const QSize drawing = form1_.Image1().size();
    unit_ = std::move(result.Unit);
    panel_->SetList(std::move(result.List), summary);
    listShown_ = true;
    RecheckBoard();
    EnableStepping(true);
    if (firstShown) {
        KeepBoardInSight(drawing);
    }
    emit ListShown(path);
}

// The panel takes its room from the drawing area when it first appears; the board is fitted to
// what is left rather than cut off at the panel, as View > Fit Board would.
void FaultListCommands::KeepBoardInSight(QSize drawing) {
    form1_.layout()->activate();
    if (form1_.Image1().width() < drawing.width()) {
        FitBoard(form1_.Work());
        form1_.Image1().update();
    }
}

// The list stays shown under another board; what it names is looked for on that board now.
void FaultListCommands::BoardOpened() {
    if (listShown_) {
        panel_->BoardOpened(form1_.Work().Board);
        RecheckBoard();
    }
}

void FaultListCommands::RecheckBoard() {
    QStringList warnings;
    if (listShown_) {
        warnings << FewFaultsOnBoardWarning(panel_->List());
        if (expectBoard_) {
            warnings << OtherBoardFileWarning(expectBoard_(unit_), form1_.Viewer().BoardPath(),
                                              QString::fromStdString(unit_.Board));
        }
    }
    warnings.removeAll(QString());
    panel_->SetBoardWarning(warnings.join(u'\n'));
}

QString FaultListCommands::BoardWarning() const {
    return panel_->BoardWarning();
}

void FaultListCommands::SaveListClick() {
    QString path = chooseSave_(&form1_, OfferedListName(unit_));
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".txt");
    }
    SaveList(path);
}

void FaultListCommands::SaveList(const QString& path) {
    const std::string text = WriteFaultList(panel_->List(), unit_);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        Message(QStringLiteral("%1: the fault list cannot be written.")
                    .arg(QFileInfo(path).fileName()));
    }
}

} // namespace dorvik
