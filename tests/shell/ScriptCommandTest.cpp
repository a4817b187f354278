#include "shell/ScriptCommand.h"

#include <gtest/gtest.h>

namespace dorvik {
namespace {

std::string Show(const QString& text) {
    return text.toStdString();
}

TEST(ScriptCommand, SkipsBlankAndCommentLines) {
    for (const char* line : {"", "   ", "#", "# size 1 1", "#quit"}) {
        EXPECT_EQ(ParseScriptLine(QString::fromLatin1(line)).What, ParsedLine::Kind::Skip)
            << '"' << line << '"';
    }
}

struct GoodCase {
    const char* Line;
    ScriptVerb Verb;
    int X = 0;
    int Y = 0;
    int Edit = 0;
    Qt::MouseButton Button = Qt::NoButton;
    QString Argument = {};
};

TEST(ScriptCommand, ReadsEveryCommand) {
    const GoodCase cases[] = {
        {"size 800 600", ScriptVerb::Size, 800, 600},
        {"size 8192 1", ScriptVerb::Size, 8192, 1},
        {"open examples/demo.brd", ScriptVerb::Open, 0, 0, 0, Qt::NoButton, "examples/demo.brd"},
        {"open my  board.brd ", ScriptVerb::Open, 0, 0, 0, Qt::NoButton, "my  board.brd "},
        {"click left 10 20", ScriptVerb::Click, 10, 20, 0, Qt::LeftButton},
        {"click right -5 99999", ScriptVerb::Click, -5, 99999, 0, Qt::RightButton},
        {"click middle 0 -2147483648", ScriptVerb::Click, 0, -2147483647 - 1, 0, Qt::MiddleButton},
        {"dblclick 3 4", ScriptVerb::DoubleClick, 3, 4},
        {"pixel 0 0", ScriptVerb::Pixel},
        {"button TopButomButton", ScriptVerb::Button, 0, 0, 0, Qt::NoButton, "TopButomButton"},
        {"menu ShortCut", ScriptVerb::Menu, 0, 0, 0, Qt::NoButton, "ShortCut"},
        {"text 1 12", ScriptVerb::Text, 0, 0, 1, Qt::NoButton, "12"},
        {"text 3   34", ScriptVerb::Text, 0, 0, 3, Qt::NoButton, "  34"},
        {"text 2 ", ScriptVerb::Text, 0, 0, 2, Qt::NoButton, ""},
        {"text 2", ScriptVerb::Text, 0, 0, 2, Qt::NoButton, ""},
        {"text 1 u321, 22 ", ScriptVerb::Text, 0, 0, 1, Qt::NoButton, "u321, 22 "},
        {"enter 3", ScriptVerb::Enter, 0, 0, 3},
        {"ok", ScriptVerb::Ok},
        {"cancel", ScriptVerb::Cancel},
        {"close", ScriptVerb::Close},
        {"status", ScriptVerb::Status},
        {"state", ScriptVerb::State},
        {"controls", ScriptVerb::Controls},
        {"save out dir/a.png", ScriptVerb::Save, 0, 0, 0, Qt::NoButton, "out dir/a.png"},
        {"quit", ScriptVerb::Quit},
        {"where FaultTable", ScriptVerb::Where, 0, 0, 0, Qt::NoButton, "FaultTable"},
        {"where fault 12", ScriptVerb::Where, 0, 0, 12, Qt::NoButton, "fault"},
    };
    for (const GoodCase& c : cases) {
        const ParsedLine parsed = ParseScriptLine(QString::fromLatin1(c.Line));
        ASSERT_EQ(parsed.What, ParsedLine::Kind::Command) << c.Line << ": " << Show(parsed.Error);
        const ScriptCommand& command = parsed.Command;
        EXPECT_EQ(command.Verb, c.Verb) << c.Line;
        EXPECT_EQ(command.X, c.X) << c.Line;
        EXPECT_EQ(command.Y, c.Y) << c.Line;
        EXPECT_EQ(command.Edit, c.Edit) << c.Line;
        EXPECT_EQ(command.Button, c.Button) << c.Line;
        EXPECT_EQ(Show(command.Argument), Show(c.Argument)) << c.Line;
    }
}

struct KeyCase {
    const char* Name;
    int QtKey;
    Qt::KeyboardModifiers Modifiers;
};

TEST(ScriptCommand, ReadsKeyNamesWithModifiers) {
    const Qt::KeyboardModifiers none;
    const KeyCase cases[] = {
        {"Esc", Qt::Key_Escape, none},
        {"Enter", Qt::Key_Return, none},
        {"Space", Qt::Key_Space, none},
        {"Home", Qt::Key_Home, none},
        {"Left", Qt::Key_Left, none},
        {"Up", Qt::Key_Up, none},
        {"Right", Qt::Key_Right, none},
        {"Down", Qt::Key_Down, none},
        {"F1", Qt::Key_F1, none},
        {"F12", Qt::Key_F12, none},
        {"A", Qt::Key_A, none},
        {"Z", Qt::Key_Z, none},
        {"0", Qt::Key_0, none},
        {"9", Qt::Key_9, none},
        {"Plus", Qt::Key_Plus, none},
        {"Minus", Qt::Key_Minus, none},
        {"KpPlus", Qt::Key_Plus, Qt::KeypadModifier},
        {"KpMinus", Qt::Key_Minus, Qt::KeypadModifier},
        {"Kp0", Qt::Key_0, Qt::KeypadModifier},
        {"Kp9", Qt::Key_9, Qt::KeypadModifier},
        {"Shift+O", Qt::Key_O, Qt::ShiftModifier},
        {"Ctrl+O", Qt::Key_O, Qt::ControlModifier},
        {"Ctrl+Shift+KpPlus", Qt::Key_Plus,
         Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier},
    };
    for (const KeyCase& c : cases) {
        const ParsedLine parsed = ParseScriptLine(QStringLiteral("key ") + QLatin1String(c.Name));
        ASSERT_EQ(parsed.What, ParsedLine::Kind::Command) << c.Name << ": " << Show(parsed.Error);
        EXPECT_EQ(parsed.Command.Verb, ScriptVerb::Key);
        EXPECT_EQ(parsed.Command.Key.QtKey, c.QtKey) << c.Name;
        EXPECT_EQ(parsed.Command.Key.Modifiers, c.Modifiers) << c.Name;
    }
}

struct BadCase {
    const char* Line;
    const char* Reason; // a part of the reason given
};

TEST(ScriptCommand, RefusesBadLinesWithAReason) {
    const BadCase cases[] = {
        {"jump 1 2", "unknown command 'jump'"},
        {"QUIT", "unknown command 'QUIT'"},
        {" quit", "unknown command ''"},
        {"quit now", "'quit' takes 0 arguments"},
        {"quit ", "single blanks"},
        {"size 800", "'size' takes 2 arguments"},
        {"size 800  600", "single blanks"},
        {"size 800 6OO", "'6OO' is not a whole number"},
        {"size 1.5 2", "'1.5' is not a whole number"},
        {"size 0 600", "1 to 8192"},
        {"size 8193 600", "1 to 8192"},
        {"click left 1", "'click' takes 3 arguments"},
        {"click centre 1 2", "unknown mouse button 'centre'"},
        {"click left 1 +2", "'+2' is not a whole number"},
        {"click left 2147483648 0", "'2147483648' is not a whole number"},
        {"dblclick 1 -", "'-' is not a whole number"},
        {"pixel x 1", "'x' is not a whole number"},
        {"key", "'key' takes 1 argument"},
        {"key o", "unknown key 'o'"},
        {"key F13", "unknown key 'F13'"},
        {"key F0", "unknown key 'F0'"},
        {"key Alt+O", "unknown key 'Alt+O'"},
        {"key Kp10", "unknown key 'Kp10'"},
        {"key Shift+", "unknown key 'Shift+'"},
        {"button OkBitBtn", "unknown button 'OkBitBtn'"},
        {"menu OpenFile", "open PATH"},
        {"menu File1", "unknown menu item 'File1'"},
        {"text 4 x", "no edit box Edit4"},
        {"text", "needs an edit box number"},
        {"enter 0", "no edit box Edit0"},
        {"enter", "'enter' takes 1 argument"},
        {"open", "'open' needs a PATH"},
        {"open ", "'open' needs a PATH"},
        {"save", "'save' needs a PATH"},
        {"where", "'where' needs a NAME or 'fault K'"},
        {"where Next Button", "'where' needs a NAME or 'fault K'"},
        {"where fault 0", "'0' is not a fault line number"},
        {"where fault x y", "'where' needs a NAME or 'fault K'"},
    };
    for (const BadCase& c : cases) {
        const ParsedLine parsed = ParseScriptLine(QString::fromLatin1(c.Line));
        ASSERT_EQ(parsed.What, ParsedLine::Kind::Error) << '"' << c.Line << '"';
        EXPECT_TRUE(parsed.Error.contains(QLatin1String(c.Reason)))
            << '"' << c.Line << "\" gave: " << Show(parsed.Error);
    }
}

} // namespace
} // namespace dorvik
