#pragma once
// Runs a script: one command per turn of the event loop, each through the handler the operator's
// action reaches. A command that opens a modal window hands the script over to that window: the
// next command runs inside it, and once the window closes, the command that opened it finishes
// (an entry window's repaint and redraw) before the script goes on.

#include "shell/ScriptCommand.h"

#include <QObject>
#include <QString>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QSocketNotifier;
class QWidget;

namespace dorvik {

class ScriptLines;
class TForm1;

class ScriptRunner final : public QObject {
    Q_OBJECT

public:
    // Ends the program with an exit status; it does not return in the program.
    using ExitFunction = std::function<void(int status)>;

    // `board`, when given, is opened as the first step, before the script's first line.
    ScriptRunner(TForm1& form, std::unique_ptr<ScriptLines> lines, std::optional<QString> board,
                 ExitFunction exit, std::FILE* out = stdout, std::FILE* err = stderr);
    ~ScriptRunner() override;

    // A report read after the board, before the script's first line.
    void SetReport(std::optional<QString> report) { report_ = std::move(report); }

    // Schedules the first step and starts watching for message boxes.
    void Start();
    // The script has ended, stopped or failed; the program goes on for the operator.
    bool Finished() const noexcept { return finished_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ScheduleStep();
    void Step();
    enum class Next { Command, Waiting, Ended, Failed };
    // Reads lines up to the next command.
    Next NextCommand(ScriptCommand& command, int& lineNumber);
    // Schedules the next step once more of the script has arrived.
    void WaitForInput();
    void Execute(const ScriptCommand& command);
    void Print(const std::string& line);
    // "where NAME X Y W H": a shown widget's or a fault line's row's place on the screen.
    std::string WhereLine(const ScriptCommand& command) const;
    void Fail(int lineNumber, const QString& reason);
    void Finish();

    TForm1& form_;
    std::unique_ptr<ScriptLines> lines_;
    QSocketNotifier* inputNotifier_ = nullptr;
    std::optional<QString> board_;
    std::optional<QString> report_;
    ExitFunction exit_;
    std::FILE* out_;
    std::FILE* err_;
    int linesRead_ = 0;
    int executing_ = 0; // steps on the call stack (nested while a modal window runs)
    bool pending_ = false;
    bool started_ = false;
    bool finished_ = false;
};

} // namespace dorvik
