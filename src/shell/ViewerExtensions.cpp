#include "shell/ViewerExtensions.h"

#include "board/BoardOpen.h"
#include "faults/EntryActions.h"
#include "navigate/ViewFit.h"
#include "report/ReportReader.h"
#include "shell/DrawingArea.h"
#include "shell/FaultListCommands.h"
#include "shell/FindField.h"
#include "shell/MainWindow.h"
#include "shell/PictureExport.h"
#include "shell/Remembered.h"
#include "view/Render.h"
#include "view/Workspace.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <cstdlib>

namespace dorvik {
namespace {

constexpr int FindFieldWidth = 180;
constexpr int FindFieldHeight = 26;

QString ChooseFileToSave(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Save Picture"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QString png = QStringLiteral("PNG picture (*.png)");
    const QString pdf = QStringLiteral("PDF document (*.pdf)");
    dialog.setNameFilters({png, pdf});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(filter == pdf ? QStringLiteral("pdf") : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

// A dropped file is a tester's report or a fault list when its first bytes say so and it is not
// a netlist; anything else opens as a board, as File > Open File would.
bool IsReport(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false; // Open File says why it cannot be read
    }
    const QByteArray head = file.read(64 * 1024);
    const std::string_view text(head.constData(), static_cast<std::size_t>(head.size()));
    return DetectBoardFileKind(text) != BoardFileKind::Netlist &&
           DetectReportKind(text) != ReportKind::Unknown;
}

// The first local file among the dropped ones.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            return url.toLocalFile();
        }
    }
    return {};
}

} // namespace

ViewerExtensions::ViewerExtensions(TForm1& form, QMenu& file, QAction* exitItem,
                                   QAction* firstBarItem, QWidget& toolBar)
    : QObject(&form), form_(form), toolBar_(toolBar), chooseSave_(ChooseFileToSave),
      clock_([] { return QDateTime::currentDateTime(); }) {
    items_ = BuildViewerMenus(*form.menuBar(), file, exitItem, firstBarItem);
    find_ = new FindField(&toolBar);
    find_->setEnabled(false);
    PlaceFindField();
    toolBar.installEventFilter(this);

    connect(items_.FitBoard, &QAction::triggered, this, &ViewerExtensions::FitBoardClick);
    connect(items_.ZoomToMarks, &QAction::triggered, this, &ViewerExtensions::ZoomToMarksClick);
    connect(items_.Find, &QAction::triggered, this, &ViewerExtensions::FindClick);
    connect(items_.SavePicture, &QAction::triggered, this, &ViewerExtensions::SavePictureClick);
    connect(items_.Print, &QAction::triggered, this, &ViewerExtensions::PrintClick);
    connect(items_.RecentBoards, &QMenu::aboutToShow, this, &ViewerExtensions::FillRecentBoards);
    connect(items_.RecentBoards->menuAction(), &QAction::triggered, this,
            &ViewerExtensions::RecentBoardsClick);
    connect(find_, &FindField::FindRequested, this, &ViewerExtensions::FindName);

    DrawingArea& area = form.Image1();
    connect(&area, &DrawingArea::Pressed, this, [this](Qt::MouseButton button, int x, int y) {
        if (find_->hasFocus()) {
            find_->Leave();
        }
        if (button == Qt::LeftButton) {
            drag_.Press(form_.Work().State, x, y);
        }
    });
    connect(&area, &DrawingArea::LeftMoved, this,
            [this](int x, int y) { form_.RunCommand([&] { drag_.Move(form_.Work(), x, y); }); });
    connect(&area, &DrawingArea::WheelTurned, this, &ViewerExtensions::Wheel);

    form.setAcceptDrops(true);
    form.installEventFilter(this);
}

std::vector<QAction*> ViewerExtensions::MenuActions() const {
    return {items_.RecentBoards->menuAction(),
            items_.SavePicture,
            items_.Print,
            items_.Find,
            items_.FitBoard,
            items_.ZoomToMarks};
}

bool ViewerExtensions::EndsDrag(Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton) {
        return false;
    }
    bool ended = false;
    form_.RunCommand([&] { ended = drag_.Release(form_.Work(), x, y); });
    return ended;
}

QString ViewerExtensions::Caption() const {
    return CaptionLine(boardPath_, QString::fromLatin1(form_.Work().Controls.StatusText()),
                       clock_());
}

bool ViewerExtensions::ExportPicture(const QString& path) const {
    return SaveCaptionedPicture(path, form_.Picture(), Caption());
}

void ViewerExtensions::BoardOpened(const QString& path) {
    boardPath_ = path;
    RememberBoard(path);
    names_.reset();
    find_->SetNames([this] { return &Names(); });
    find_->setEnabled(true);
    for (QAction* item : {items_.Find, items_.FitBoard, items_.ZoomToMarks}) {
        item->setEnabled(true);
    }
}

const BoardNames& ViewerExtensions::Names() {
    if (!names_) {
        names_.emplace(form_.Work().Board);
    }
    return *names_;
}

void ViewerExtensions::Wheel(int x, int y, int angleDelta) {
    const int notches = notches_.Add(angleDelta);
    for (int n = 0; n < std::abs(notches); ++n) {
        WheelNotch(x, y, notches > 0 ? WheelTurn::Up : WheelTurn::Down);
    }
}

void ViewerExtensions::WheelNotch(int x, int y, WheelTurn turn) {
    form_.RunCommand([&] { WheelZoomAt(form_.Work(), x, y, turn); });
}

void ViewerExtensions::FitBoardClick() {
    form_.RunCommand([this] { FitBoard(form_.Work()); });
}

void ViewerExtensions::ZoomToMarksClick() {
    form_.RunCommand([this] { ZoomToMarks(form_.Work()); });
}

void ViewerExtensions::FindClick() {
    if (find_->isEnabled()) {
        find_->Activate();
    }
}

void ViewerExtensions::FindName(const QString& typed) {
    form_.RunCommand([&] {
        const QByteArray latin1 = typed.toLatin1();
        const BoardNames::Found found =
            Names().Lookup(std::string_view(latin1.constData(), latin1.size()));
        Workspace& ws = form_.Work();
        switch (found.What) {
        case BoardNames::Kind::Part:
            AcceptCompEntry(ws.State, {found.Name, "", ""});
            break;
        case BoardNames::Kind::Net:
            AcceptNetEntry(ws.State, found.Name);
            break;
        case BoardNames::Kind::None:
            ws.Controls.SetStatusText("Not found: " + std::string(latin1.constData()));
            return;
        }
        form_.repaint();
        Redraw(ws);
    });
}

void ViewerExtensions::SavePictureClick() {
    form_.RunCommand([this] {
        const QString path = chooseSave_(&form_);
        if (path.isEmpty()) {
            return;
        }
        if (!ExportPicture(path)) {
            MessageBoxRequest box;
            box.Parent = &form_;
            box.Icon = QMessageBox::Warning;
            box.Text = QStringLiteral("Cannot save the picture to %1").arg(path);
            ShowMessageBox(box);
        }
    });
}

void ViewerExtensions::PrintClick() {
    form_.RunCommand([this] { ShowPrintPreview(&form_, form_.Picture(), Caption()); });
}

void ViewerExtensions::OpenRecentBoard(const QString& path) {
    form_.OpenChosenFile(path);
}

void ViewerExtensions::RecentBoardsClick() {
    const QStringList boards = RecentBoards();
    if (!boards.isEmpty()) {
        OpenRecentBoard(boards.constFirst());
    }
}

void ViewerExtensions::FillRecentBoards() {
    QMenu& menu = *items_.RecentBoards;
    menu.clear();
    const QStringList boards = RecentBoards();
    for (const QString& path : boards) {
        QAction* item = menu.addAction(path);
        connect(item, &QAction::triggered, this, [this, path] { OpenRecentBoard(path); });
    }
    if (boards.isEmpty()) {
        menu.addAction(QStringLiteral("(none)"))->setEnabled(false);
    }
}

void ViewerExtensions::PlaceFindField() {
    find_->setGeometry(std::max(0, toolBar_.width() - FindFieldWidth - 6),
                       (toolBar_.height() - FindFieldHeight) / 2, FindFieldWidth, FindFieldHeight);
    find_->raise();
}

bool ViewerExtensions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &toolBar_ && event->type() == QEvent::Resize) {
        PlaceFindField();
    } else if (watched == &form_) {
        switch (event->type()) {
        case QEvent::DragEnter: {
            auto* enter = static_cast<QDragEnterEvent*>(event);
            if (!DroppedFile(enter->mimeData()).isEmpty()) {
                enter->acceptProposedAction();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = DroppedFile(drop->mimeData());
            if (!path.isEmpty()) {
                drop->acceptProposedAction();
                if (IsReport(path)) {
                    form_.FaultCommands().OpenReport(path);
                } else {
                    form_.OpenChosenFile(path);
                }
                return true;
            }
            break;
        }
        case QEvent::Close:
            if (rememberPlacement_) {
                RememberWindowPlacement(form_);
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dorvik
