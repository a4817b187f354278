#include "shell/MainWindow.h"

#include "board/BoardOpen.h"
#include "faults/FaultDisplays.h"
#include "help/HelpWindows.h"
#include "navigate/KeyTable.h"
#include "navigate/Mouse.h"
#include "navigate/Navigation.h"
#include "report/FaultSelection.h"
#include "shell/DrawingArea.h"
#include "shell/FaultListCommands.h"
#include "shell/RepairCommands.h"
#include "shell/StatusPanels.h"
#include "shell/UnitCommands.h"
#include "shell/ViewerExtensions.h"
#include "shell/VirtualKeys.h"
#include "shell/WidgetControls.h"
#include "view/ImageSurface.h"
#include "view/Render.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ProgramFont.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

// The window's pictures are built into the program; a static library's resources must be
// registered by name before they are used.
static void RegisterShellResources() {
    Q_INIT_RESOURCE(shell);
}

namespace dorvik {
namespace {

constexpr int StatusBarHeight = 21;

const QString ProgramTitle = QStringLiteral("Dorvik Drawing Program");

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Opens a board file for reading: the program never writes it, so a write-protected file or a
// read-only share will do. Only a regular file will do: a directory, a pipe or a device either
// fails to read or would never end, and the reader must end. The file is opened without waiting,
// so a pipe without a writer is turned away instead of blocking. On failure `reason` says why.
FileHandle OpenForReading(const QString& path, QString& reason) {
    if (path.isEmpty() || path.contains(QChar(u'\0'))) {
        reason = QStringLiteral("not a valid file name");
        return nullptr;
    }
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        reason = SystemReason(errno);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0) {
        reason = SystemReason(errno);
    } else if (!S_ISREG(info.st_mode)) {
        reason = QStringLiteral("not a regular file");
    }
    if (!reason.isEmpty()) {
        ::close(descriptor);
        return nullptr;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    FileHandle file(::fdopen(descriptor, "r"));
    if (!file) {
        reason = SystemReason(errno);
        ::close(descriptor);
    }
    return file;
}

QString ChooseFileToOpen(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a missing file fails when it is opened
    dialog.setNameFilters(BoardFileFilters());
    dialog.setFont(ProgramFont(11));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

MouseButton ToMouseButton(Qt::MouseButton button) noexcept {
    switch (button) {
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

} // namespace

TForm1::TForm1(BoardData& board, QString dataDirectory, QWidget* parent)
    : QMainWindow(parent), dataDirectory_(std::move(dataDirectory)), chooseFile_(ChooseFileToOpen) {
    RegisterShellResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ProgramTitle);
    setWindowIcon(QIcon(QStringLiteral(":/dorvik/dorvik.png")));
    setFont(ProgramFont(11));
    BuildLayout();

    canvas_ =
        std::make_unique<ImageSurface>(RestoredDrawingSize.width(), RestoredDrawingSize.height());
    image1_->SetPicture(&canvas_->Image());
    controls_ = std::make_unique<WidgetControls>(*statusBar_, *buttons_.Side, *buttons_.Text,
                                                 *buttons_.Rotate);
    workspace_ = std::make_unique<Workspace>(board, *canvas_, *controls_);
    InstallFaultDisplays(*workspace_);

    ConnectHandlers();
    faults_ = new FaultListCommands(*this);
    repairs_ = new RepairCommands(*this, *faults_);
    units_ = new UnitCommands(*this, *faults_, *repairs_);
    viewer_ = new ViewerExtensions(*this, *menu_.File1, menu_.Exit, menu_.Open, *toolBar_);
    // The menus and submenus these add are windows of their own as well.
    for (QMenu* menu : findChildren<QMenu*>()) {
        menu->setFont(ProgramFont(11));
    }
    PlaceRestored();
    FormCreate();
}

TForm1::~TForm1() {
    image1_->SetPicture(nullptr);
}

void TForm1::BuildLayout() {
    menuBar()->setFont(ProgramFont(11));
    menu_ = BuildMainMenu(*menuBar());
    // The drop-down menus are windows of their own and do not take the bar's font; the bar's
    // overflow menu is made later, and gets it when it is first readied for the screen.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        menu->setFont(ProgramFont(11));
    }
    menuBar()->installEventFilter(this);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    toolBar_ = BuildToolBar(central, buttons_);
    column->addWidget(toolBar_);
    image1_ = new DrawingArea(central);
    column->addWidget(image1_, 1);
    setCentralWidget(central);

    const QString banner =
        QString::fromLatin1(StatusBanner.data(), static_cast<qsizetype>(StatusBanner.size()));
    statusBar_ =
        new StatusPanels({{820, banner}, {100, QStringLiteral("Vostrel Corporation")}}, this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setFixedHeight(StatusBarHeight);
    statusBar_->setFont(ProgramFont(15, true));
    QPalette palette = statusBar_->palette();
    palette.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    statusBar_->setPalette(palette);
    setStatusBar(statusBar_);
}

void TForm1::ConnectHandlers() {
    connect(menu_.OpenFile, &QAction::triggered, this, &TForm1::OpenFileClick);
    connect(menu_.Exit, &QAction::triggered, this, &TForm1::ExitClick);
    connect(menu_.Open, &QAction::triggered, this, &TForm1::OpenClick);
    connect(menu_.Short, &QAction::triggered, this, &TForm1::ShortClick);
    connect(menu_.Net, &QAction::triggered, this, &TForm1::NetClick);
    connect(menu_.Comp, &QAction::triggered, this, &TForm1::CompClick);
    connect(menu_.ShortCut, &QAction::triggered, this, &TForm1::ShortCutClick);
    connect(menu_.About, &QAction::triggered, this, &TForm1::AboutClick);

    connect(buttons_.Rotate, &QToolButton::clicked, this, &TForm1::RoateButtonClick);
    connect(buttons_.Text, &QToolButton::clicked, this, &TForm1::TextButtonClick);
    connect(buttons_.Left, &QToolButton::clicked, this, &TForm1::LeftButtonClick);
    connect(buttons_.Up, &QToolButton::clicked, this, &TForm1::UpButtonClick);
    connect(buttons_.Down, &QToolButton::clicked, this, &TForm1::DownButtonClick);
    connect(buttons_.Right, &QToolButton::clicked, this, &TForm1::RightButtonClick);
    connect(buttons_.Side, &QToolButton::clicked, this, &TForm1::TopButomButtonClick);
    connect(buttons_.Home, &QToolButton::clicked, this, &TForm1::HomeButtonClick);

    // The release that ends a drag of the picture is no click.
    connect(image1_, &DrawingArea::Released, this, [this](Qt::MouseButton button, int x, int y) {
        if (!viewer_->EndsDrag(button, x, y)) {
            Image1MouseUp(button, x, y);
        }
    });
    connect(image1_, &DrawingArea::DoubleClicked, this, &TForm1::Image1DblClick);
    connect(image1_, &DrawingArea::Resized, this, &TForm1::Image1Resize);
}

// The restored window is sized so that the drawing area gets its designed size, and centred.
void TForm1::PlaceRestored() {
    const int height = menuBar()->sizeHint().height() + ToolBarHeight +
                       RestoredDrawingSize.height() + StatusBarHeight;
    resize(RestoredDrawingSize.width(), height);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() -
             QPoint(RestoredWindowSize.width() / 2, RestoredWindowSize.height() / 2));
    }
}

const QImage& TForm1::Picture() const {
    return canvas_->Image();
}

void TForm1::SetFileChooser(FileChooser chooser) {
    chooseFile_ = std::move(chooser);
}

std::vector<QAbstractButton*> TForm1::ToolButtons() const {
    return {buttons_.Rotate, buttons_.Text,  buttons_.Left, buttons_.Up,
            buttons_.Down,   buttons_.Right, buttons_.Side, buttons_.Home};
}

std::vector<QAction*> TForm1::MenuActions() const {
    return {menu_.File1->menuAction(),
            menu_.OpenFile,
            menu_.Exit,
            menu_.Open,
            menu_.Short,
            menu_.Net,
            menu_.Comp,
            menu_.Help->menuAction(),
            menu_.ShortCut,
            menu_.About};
}

template <class Command> void TForm1::Run(Command&& command) noexcept {
    try {
        command();
    } catch (const std::exception& error) {
        ShowCommandError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowCommandError(QStringLiteral("Unknown error"));
    }
    image1_->update();
}

void TForm1::RunCommand(const std::function<void()>& command) noexcept {
    Run(command);
}

void TForm1::ShowCommandError(const QString& text) noexcept {
    try {
        MessageBoxRequest box;
        box.Parent = this;
        box.Icon = QMessageBox::Critical;
        box.Text = text;
        ShowMessageBox(box);
    } catch (...) {
        // Nothing more can be shown; the command has ended either way.
    }
}

void TForm1::FormCreate() {
    Run([this] {
        Work().State.BoardLoaded = 0;
        Work().State.DisplayMode = BoardDisplay;
        ClearDrawing(Work());
    });
}

void TForm1::OpenFileClick() {
    Run([this] {
        const QString path = chooseFile_(this);
        if (!path.isEmpty()) {
            OpenChosenFile(path);
        }
    });
}

void TForm1::OpenChosenFile(const QString& path) {
    Run([&] {
        if (leaveCheck_ &&
            !leaveCheck_(QStringLiteral("Open %1 anyway?").arg(QFileInfo(path).fileName()))) {
            return;
        }
        QString reason;
        const FileHandle file = OpenForReading(path, reason);
        if (!file) {
            MessageBoxRequest box;
            box.Parent = this;
            box.Text = QStringLiteral("CAN NOT OPEN VOSTREL.BRD FILE");
            box.Detail = QStringLiteral("%1\n%2").arg(path, reason);
            ShowMessageBox(box);
            return;
        }
        Work().State.BoardLoaded = 1;
        setWindowTitle(QStringLiteral("%1 - %2").arg(QFileInfo(path).fileName(), ProgramTitle));
        EnableCommands();
        repaint();
        const BoardOpenResult opened = ReadBoardOrNetlist(file.get(), Work().Board);
        ResetView(Work());
        ReportRead(path, opened);
        viewer_->BoardOpened(path);
        emit BoardOpened(path);
    });
}

// The board is drawn with whatever was read; the operator is told when that is not the file,
// and what a netlist's reader had to leave out or change.
void TForm1::ReportRead(const QString& path, const BoardOpenResult& opened) {
    MessageBoxRequest box;
    box.Parent = this;
    if (opened.ReadError() != 0) {
        box.Text = QStringLiteral("Cannot read %1: %2. The board shows what was read before.")
                       .arg(path, SystemReason(opened.ReadError()));
    } else if (opened.Netlist) {
        const NetlistNotice notice = DescribeNetlistRead(*opened.Netlist);
        if (notice.Summary.empty()) {
            return;
        }
        box.Text = QString::fromStdString(notice.Summary);
        box.Detail = QString::fromStdString(notice.Details);
    } else if (!opened.Board.AnyKeyword) {
        box.Text = QStringLiteral("%1 holds no board data.").arg(path);
    } else {
        return;
    }
    ShowMessageBox(box);
}

void TForm1::EnableCommands() {
    for (QAction* item : {menu_.Open, menu_.Short, menu_.Net, menu_.Comp}) {
        item->setEnabled(true);
    }
    for (QAbstractButton* button : ToolButtons()) {
        button->setEnabled(true);
    }
}

void TForm1::ExitClick() {
    ConfirmExit();
}

void TForm1::ConfirmExit() {
    Run([this] {
        if (AskToExit()) {
            exitConfirmed_ = true;
            close();
        }
    });
}

bool TForm1::AskToExit() {
    if (leaveCheck_ && !leaveCheck_(QStringLiteral("Exit anyway?"))) {
        return false;
    }
    MessageBoxRequest box;
    box.Parent = this;
    box.Text = QStringLiteral("Are you sure to exit?");
    box.Buttons = QMessageBox::Ok | QMessageBox::Cancel;
    box.Default = QMessageBox::Ok;
    return ShowMessageBox(box) == QMessageBox::Ok;
}

void TForm1::FormKeyUp(int virtualKey) {
    Run([&] {
        switch (const KeyCommand command = CommandForKey(virtualKey)) {
        case KeyCommand::None:
            return;
        case KeyCommand::Exit:
            ConfirmExit();
            return;
        case KeyCommand::Open:
            RunEntry(EntryKind::Open);
            return;
        case KeyCommand::Short:
            RunEntry(EntryKind::Short);
            return;
        case KeyCommand::Net:
            RunEntry(EntryKind::Net);
            return;
        case KeyCommand::Component:
            RunEntry(EntryKind::Comp);
            return;
        case KeyCommand::Help:
            ShowHelpWindow(this, dataDirectory_);
            return;
        default:
            RunViewCommand(Work(), command);
            return;
        }
    });
}

void TForm1::Image1MouseUp(Qt::MouseButton button, int x, int y) {
    Run([&] { MouseRelease(Work(), ToMouseButton(button), x, y); });
}

void TForm1::Image1DblClick() {
    Run([this] { DoubleClick(Work()); });
}

void TForm1::Image1Resize(QSize size) {
    Run([&] {
        canvas_->Resize(std::max(1, size.width()), std::max(1, size.height()));
        image1_->SetPicture(&canvas_->Image());
        // Before a board is loaded the tables are empty and the picture is the cleared one;
        // clearing it keeps the fresh window's state as it was created.
        if (Work().State.BoardLoaded != 0) {
            Redraw(Work());
        } else {
            ClearDrawing(Work());
        }
    });
}

void TForm1::ShowFaultLine(const FaultLine& line) {
    Run([&] { SelectFaultLine(Work(), line); });
}

void TForm1::RunEntry(EntryKind kind) {
    RunEntryWindow(this, Work(), kind);
    repaint();
    Redraw(Work());
}

void TForm1::OpenClick() {
    Run([this] { RunEntry(EntryKind::Open); });
}

void TForm1::ShortClick() {
    Run([this] { RunEntry(EntryKind::Short); });
}

void TForm1::NetClick() {
    Run([this] { RunEntry(EntryKind::Net); });
}

void TForm1::CompClick() {
    Run([this] { RunEntry(EntryKind::Comp); });
}

void TForm1::ShortCutClick() {
    Run([this] { ShowHelpWindow(this, dataDirectory_); });
}

void TForm1::AboutClick() {
    Run([this] { ShowAboutBox(this, dataDirectory_); });
}

void TForm1::RoateButtonClick() {
    Run([this] { RotateStep(Work(), QFile::encodeName(dataDirectory_).toStdString()); });
}

void TForm1::TextButtonClick() {
    Run([this] { ToggleText(Work()); });
}

void TForm1::LeftButtonClick() {
    Run([this] { PanStep(Work(), PanDirection::Left); });
}

void TForm1::UpButtonClick() {
    Run([this] { PanStep(Work(), PanDirection::Up); });
}

void TForm1::DownButtonClick() {
    Run([this] { PanStep(Work(), PanDirection::Down); });
}

void TForm1::RightButtonClick() {
    Run([this] { PanStep(Work(), PanDirection::Right); });
}

void TForm1::TopButomButtonClick() {
    Run([this] { ChangeSide(Work()); });
}

void TForm1::HomeButtonClick() {
    Run([this] { HomeView(Work()); });
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    keyPresses_.Press(*event);
    QMainWindow::keyPressEvent(event);
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    // A release acts only when this window had the press: the Esc that closed a menu, a dialog
    // or a message box must not go on to act here.
    if (!keyPresses_.Release(*event)) {
        return;
    }
    FormKeyUp(VirtualKeyCode(event->key(), event->modifiers()));
}

// The close box and Alt+F4 ask first, as File > Exit does.
void TForm1::closeEvent(QCloseEvent* event) {
    bool leave = exitConfirmed_;
    if (!leave) {
        Run([&] { leave = AskToExit(); });
    }
    exitConfirmed_ = false;
    if (leave) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildPolished && watched == menuBar()) {
        if (auto* menu = qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child())) {
            menu->setFont(ProgramFont(11));
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::event(QEvent* event) {
    // The menu hints are kept with the items but never shown.
    if (event->type() == QEvent::StatusTip) {
        return true;
    }
    // Keys held when the window loses the keyboard are released elsewhere.
    if (event->type() == QEvent::WindowDeactivate) {
        keyPresses_.Clear();
    }
    return QMainWindow::event(event);
}

QStringList BoardFileFilters() {
    return {QStringLiteral("Board files (*.brd *.BRD)"),
            QStringLiteral("IPC-D-356 netlists (*.ipc *.d356 *.356)"),
            QStringLiteral("All files (*)")};
}

} // namespace dorvik
