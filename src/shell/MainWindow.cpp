#include "shell/MainWindow.h"

#include "board/BoardReader.h"
#include "faults/FaultDisplays.h"
#include "help/HelpWindows.h"
#include "navigate/KeyTable.h"
#include "navigate/Mouse.h"
#include "navigate/Navigation.h"
#include "shell/DrawingArea.h"
#include "shell/StatusPanels.h"
#include "shell/VirtualKeys.h"
#include "shell/WidgetControls.h"
#include "view/ImageSurface.h"
#include "view/Render.h"
#include "view/ViewGeometry.h"
#include "view/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <exception>

// The window's pictures are built into the program; a static library's resources must be
// registered by name before they are used.
static void RegisterShellResources() {
    Q_INIT_RESOURCE(shell);
}

namespace dorvik {
namespace {

constexpr int StatusBarHeight = 21;

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens a board file for reading and updating. Only a regular file will do: a directory,
// a pipe or a device either fails to open so or would never end, and the reader must end.
FileHandle OpenForUpdate(const QString& path) {
    if (path.isEmpty() || path.contains(QChar(u'\0'))) {
        return nullptr;
    }
    FileHandle file(std::fopen(QFile::encodeName(path).constData(), "r+"));
    if (!file) {
        return nullptr;
    }
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        return nullptr;
    }
    return file;
}

QString ChooseFileToOpen(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a missing file fails when it is opened
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

QFont PixelFont(const QFont& base, int pixelHeight, bool bold) {
    QFont font = base;
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace

TForm1::TForm1(BoardData& board, QString dataDirectory, QWidget* parent)
    : QMainWindow(parent), dataDirectory_(std::move(dataDirectory)), chooseFile_(ChooseFileToOpen) {
    RegisterShellResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Dorvik Drawing Program"));
    setWindowIcon(QIcon(QStringLiteral(":/dorvik/dorvik.png")));
    setFont(PixelFont(font(), 11, false));
    BuildLayout();

    canvas_ =
        std::make_unique<ImageSurface>(RestoredDrawingSize.width(), RestoredDrawingSize.height());
    image1_->SetPicture(&canvas_->Image());
    controls_ = std::make_unique<WidgetControls>(*statusBar_, *buttons_.Side, *buttons_.Text,
                                                 *buttons_.Rotate);
    workspace_ = std::make_unique<Workspace>(board, *canvas_, *controls_);
    InstallFaultDisplays(*workspace_);

    ConnectHandlers();
    PlaceRestored();
    FormCreate();
}

TForm1::~TForm1() {
    image1_->SetPicture(nullptr);
}

void TForm1::BuildLayout() {
    menuBar()->setFont(QApplication::font());
    menu_ = BuildMainMenu(*menuBar());

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(BuildToolBar(central, buttons_));
    image1_ = new DrawingArea(central);
    column->addWidget(image1_, 1);
    setCentralWidget(central);

    const QString banner =
        QString::fromLatin1(StatusBanner.data(), static_cast<qsizetype>(StatusBanner.size()));
    statusBar_ =
        new StatusPanels({{820, banner}, {100, QStringLiteral("Vostrel Corporation")}}, this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setFixedHeight(StatusBarHeight);
    statusBar_->setFont(PixelFont(font(), 15, true));
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

    connect(image1_, &DrawingArea::Released, this, &TForm1::Image1MouseUp);
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

void TForm1::ShowCommandError(const QString& text) noexcept {
    try {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Dorvik"), text, QMessageBox::Ok,
                        this);
        box.exec();
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
        const FileHandle file = OpenForUpdate(path);
        if (!file) {
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Dorvik"),
                            QStringLiteral("CAN NOT OPEN VOSTREL.BRD FILE"), QMessageBox::Ok, this);
            box.exec();
            return;
        }
        Work().State.BoardLoaded = 1;
        EnableCommands();
        repaint();
        ReadBoardFile(file.get(), Work().Board);
        ResetView(Work());
    });
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
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Dorvik"),
                        QStringLiteral("Are you sure to exit?"),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Ok);
        if (box.exec() == QMessageBox::Ok) {
            close();
        }
    });
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

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    if (event->isAutoRepeat()) {
        return;
    }
    FormKeyUp(VirtualKeyCode(event->key(), event->modifiers()));
}

bool TForm1::event(QEvent* event) {
    // The menu hints are kept with the items but never shown.
    if (event->type() == QEvent::StatusTip) {
        return true;
    }
    return QMainWindow::event(event);
}

} // namespace dorvik
