#pragma once
// One line of a script, read into a command. Reading is strict: words are separated by single
// blanks, command words and names are written exactly as the script interface gives them, and
// numbers are plain decimal whole numbers.

#include <QString>
#include <QStringView>
#include <Qt>

#include <optional>

namespace dorvik {

enum class ScriptVerb {
    Size,
    Open,
    Key,
    Click,
    DoubleClick,
    Button,
    Menu,
    Text,
    Enter,
    Ok,
    Cancel,
    Close,
    Status,
    State,
    Controls,
    Pixel,
    Save,
    Quit,
    Report,
    Faults,
    Fault,
    NextFault,
    PreviousFault,
    Wheel,
    Drag,
    Find,
    Export,
    Where,
    Operator,
    Serial,
    Tick,
    Action,
    Refdes,
    Comment,
    Unit,
    History,
    LogStatus,
    UnitReports,
    WaitIndex,
};

// A key as the toolkit reports it.
struct KeyStroke {
    int QtKey = 0;
    Qt::KeyboardModifiers Modifiers{};
};

struct ScriptCommand {
    ScriptVerb Verb = ScriptVerb::Quit;
    int X = 0;  // size: width; click, dblclick, pixel: x
    int Y = 0;  // size: height; click, dblclick, pixel: y
    int X2 = 0; // drag: where the pointer ends
    int Y2 = 0;
    bool Up = false; // wheel: turned up (away from the operator)
    int Edit = 0;    // text, enter: the edit box number, 1 to 3; fault, tick, where fault: the line
    Qt::MouseButton Button = Qt::NoButton;
    KeyStroke Key;
    QString Argument; // open, save, export: the path; button, menu, where: the control name;
                      // text, find, operator, serial, action, refdes, comment: the text
};

// The largest drawing area `size` accepts on either side.
inline constexpr int MaxScriptSize = 8192;

struct ParsedLine {
    enum class Kind { Skip, Command, Error };
    Kind What = Kind::Skip;
    ScriptCommand Command;
    QString Error; // the reason, for Kind::Error
};

// Blank lines and lines starting with '#' are skipped.
ParsedLine ParseScriptLine(QStringView line);

// A key name with optional "Shift+" and "Ctrl+" prefixes, e.g. "Shift+O", "KpPlus", "F1".
std::optional<KeyStroke> ParseKeyName(QStringView name);

} // namespace dorvik
