// Dorvik: shows a board file of the in-circuit test fixture and marks faults on it.

#include "board/BoardData.h"
#include "shell/CommandLine.h"
#include "shell/DataDirectory.h"
#include "shell/FaultListCommands.h"
#include "shell/MainWindow.h"
#include "shell/Remembered.h"
#include "shell/ScriptLines.h"
#include "shell/ScriptRunner.h"
#include "shell/StartUp.h"
#include "shell/ViewerExtensions.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

namespace {

int Usage(std::FILE* to, int status) {
    std::fputs(dorvik::UsageText().toLocal8Bit().constData(), to);
    return status;
}

// The offscreen platform, on which scripts usually run, reports that it has no window manager
// to tell about size limits; the notice says nothing about the program and is dropped.
QtMessageHandler defaultMessageHandler = nullptr;

void FilterToolkitMessages(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support propagateSizeHints"))) {
        return;
    }
    defaultMessageHandler(type, context, message);
}

[[noreturn]] void EndProgram(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

// Opens the board given on the command line once the window is on the screen at its final size,
// so that the board is fitted to the drawing area the operator sees.
void OpenWhenShown(dorvik::TForm1& form1, const std::optional<QString>& board,
                   const std::optional<QString>& report, int attempt) {
    constexpr int Attempts = 100;
    constexpr int RetryMs = 20;
    const QWindow* window = form1.windowHandle();
    if (attempt < Attempts && (window == nullptr || !window->isExposed())) {
        QTimer::singleShot(RetryMs, &form1, [&form1, board, report, attempt] {
            OpenWhenShown(form1, board, report, attempt + 1);
        });
        return;
    }
    if (board) {
        form1.OpenChosenFile(*board);
    }
    if (report) {
        form1.FaultCommands().OpenReport(*report);
    }
}

int Run(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const dorvik::CommandLine line = dorvik::ParseCommandLine(arguments);
    if (!line.Error.isEmpty()) {
        std::fprintf(stderr, "dorvik: %s\n", line.Error.toLocal8Bit().constData());
        return Usage(stderr, 2);
    }
    if (line.Help) {
        return Usage(stdout, 0);
    }
    std::unique_ptr<dorvik::ScriptLines> script;
    if (line.Script) {
        script = dorvik::ScriptLines::Open(*line.Script);
        if (!script) {
            std::fprintf(stderr, "dorvik: cannot read the script %s\n",
                         line.Script->toLocal8Bit().constData());
            return 2;
        }
    }

    // The toolkit sees only the program name: every argument has been read above.
    int toolkitArgc = 1;
    defaultMessageHandler = qInstallMessageHandler(FilterToolkitMessages);
    QApplication app(toolkitArgc, argv);
    try {
        auto board = std::make_unique<dorvik::BoardData>();
        dorvik::TForm1 form1(*board, dorvik::DataDirectory());
        dorvik::CreateSecondaryWindows(form1);
        // The operator's window comes back where it was left; a script always starts from the
        // designed placement and leaves the remembered one alone, so that it runs the same
        // everywhere.
        if (script || !dorvik::ShowRememberedPlacement(form1)) {
            form1.showMaximized();
        }
        form1.Viewer().RememberPlacementOnClose(!script);

        std::unique_ptr<dorvik::ScriptRunner> runner;
        if (script) {
            runner = std::make_unique<dorvik::ScriptRunner>(form1, std::move(script), line.Board,
                                                            EndProgram);
            runner->SetReport(line.Report);
            runner->Start();
        } else if (line.Board || line.Report) {
            OpenWhenShown(form1, line.Board, line.Report, 0);
        }
        return app.exec();
    } catch (const std::exception& error) {
        // A script runs without anyone to answer a message box.
        if (line.Script) {
            std::fprintf(stderr, "dorvik: %s\n", error.what());
        } else {
            dorvik::MessageBoxRequest box;
            box.Icon = QMessageBox::Critical;
            box.Text = QString::fromLocal8Bit(error.what());
            dorvik::ShowMessageBox(box);
        }
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    return Run(argc, argv);
}
