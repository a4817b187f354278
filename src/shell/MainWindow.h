#pragma once
// TForm1, the main window: menu, tool bar, drawing area and status bar, and the handlers of the
// operator's commands. It owns the window state, the retained picture and the window controls
// that the board's commands work on.

#include "faults/EntryWindows.h"
#include "shell/MainMenu.h"
#include "shell/ToolBar.h"
#include "widgets/KeyPresses.h"

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QImage;

namespace dorvik {

struct BoardData;
struct FaultLine;
struct BoardOpenResult;
struct Workspace;
class FaultListCommands;
class DrawingArea;
class RepairCommands;
class UnitCommands;
class ImageSurface;
class StatusPanels;
class ViewerExtensions;
class WidgetControls;

// The window's size when it is not maximised, frame included, and its drawing area's.
inline constexpr QSize RestoredWindowSize{758, 493};
inline constexpr QSize RestoredDrawingSize{750, 383};

// The file types the Open File dialog offers, board files first.
QStringList BoardFileFilters();

class TForm1 final : public QMainWindow {
    Q_OBJECT

public:
    // The open-file dialog: gives the chosen path, or an empty text when the operator cancels.
    using FileChooser = std::function<QString(QWidget* parent)>;

    // Builds the window at its restored size, centred, and runs FormCreate. `board` is the
    // program-wide board; `dataDirectory` (ending in a separator) holds the glyph files that
    // the rotate button loads and the Help and About pictures.
    TForm1(BoardData& board, QString dataDirectory, QWidget* parent = nullptr);
    ~TForm1() override;

    Workspace& Work() noexcept { return *workspace_; }
    const Workspace& Work() const noexcept { return *workspace_; }
    const QImage& Picture() const;
    DrawingArea& Image1() const noexcept { return *image1_; }
    StatusPanels& StatusBar1() const noexcept { return *statusBar_; }
    const QString& DataDirectory() const noexcept { return dataDirectory_; }
    // The viewer's conveniences: wheel, drag, search field, picture export and the like.
    ViewerExtensions& Viewer() const noexcept { return *viewer_; }

    void SetFileChooser(FileChooser chooser);

    // The eight tool-bar buttons and the ten menu items, in layout order.
    std::vector<QAbstractButton*> ToolButtons() const;
    std::vector<QAction*> MenuActions() const;

    // The handlers. Each one shows an error that escapes it in a message box and returns.
    void FormCreate();
    void OpenFileClick();
    // Open File with `path` chosen in the dialog.
    void OpenChosenFile(const QString& path);
    void ExitClick();
    // Asks "Are you sure to exit?" and closes the window on OK.
    void ConfirmExit();
    void FormKeyUp(int virtualKey);
    void Image1MouseUp(Qt::MouseButton button, int x, int y);
    void Image1DblClick();
    // The drawing area has a new size: a picture of that size, redrawn in the present view.
    void Image1Resize(QSize size);
    void OpenClick();
    void ShortClick();
    void NetClick();
    void CompClick();
    void ShortCutClick();
    void AboutClick();
    void RoateButtonClick();
    void TextButtonClick();
    void LeftButtonClick();
    void UpButtonClick();
    void DownButtonClick();
    void RightButtonClick();
    void TopButomButtonClick();
    void HomeButtonClick();
    // Runs a command as the handlers do: an error that escapes it is shown, then the drawing
    // area is updated.
    void RunCommand(const std::function<void()>& command) noexcept;

    // The fault list: its menu items and panel, and showing one of its lines.
    FaultListCommands& FaultCommands() const noexcept { return *faults_; }
    void ShowFaultLine(const FaultLine& line);
    // The repair station: operator, repair log, the unit and its ticks.
    RepairCommands& Repairs() const noexcept { return *repairs_; }
    // Scanning a unit: the report folders, the board library and the unit's reports.
    UnitCommands& Units() const noexcept { return *units_; }

    // Asked before another board is opened and before the program ends, with the end of the
    // question ("Exit anyway?"): false keeps everything as it is.
    using LeaveCheck = std::function<bool(const QString& going)>;
    void SetLeaveCheck(LeaveCheck check) { leaveCheck_ = std::move(check); }

signals:
    // A board file or netlist was opened from `path`.
    void BoardOpened(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
    void PlaceRestored();
    template <class Command> void Run(Command&& command) noexcept;
    void ShowCommandError(const QString& text) noexcept;
    // After a netlist was read: what was skipped, cut or left out, when anything was.
    void RunEntry(EntryKind kind);
    void EnableCommands();
    void ReportRead(const QString& path, const BoardOpenResult& opened);
    bool AskToExit();

    QString dataDirectory_;
    FileChooser chooseFile_;
    std::unique_ptr<ImageSurface> canvas_;
    std::unique_ptr<WidgetControls> controls_;
    std::unique_ptr<Workspace> workspace_;
    DrawingArea* image1_ = nullptr;
    StatusPanels* statusBar_ = nullptr;
    QWidget* toolBar_ = nullptr;
    ViewerExtensions* viewer_ = nullptr;
    ToolBarButtons buttons_;
    MenuItems menu_;
    FaultListCommands* faults_ = nullptr;
    RepairCommands* repairs_ = nullptr;
    UnitCommands* units_ = nullptr;
    LeaveCheck leaveCheck_;
    KeyPresses keyPresses_;
    bool exitConfirmed_ = false;
};

} // namespace dorvik
