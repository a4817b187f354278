#include "shell/ScriptCommand.h"

#include <QList>

#include <array>
#include <limits>

namespace dorvik {
namespace {

struct NamedKey {
    const char* Name;
    int QtKey;
    bool Keypad;
};

constexpr std::array NamedKeys{
    NamedKey{"Esc", Qt::Key_Escape, false},  NamedKey{"Enter", Qt::Key_Return, false},
    NamedKey{"Space", Qt::Key_Space, false}, NamedKey{"Home", Qt::Key_Home, false},
    NamedKey{"Left", Qt::Key_Left, false},   NamedKey{"Up", Qt::Key_Up, false},
    NamedKey{"Right", Qt::Key_Right, false}, NamedKey{"Down", Qt::Key_Down, false},
    NamedKey{"Plus", Qt::Key_Plus, false},   NamedKey{"Minus", Qt::Key_Minus, false},
    NamedKey{"KpPlus", Qt::Key_Plus, true},  NamedKey{"KpMinus", Qt::Key_Minus, true},
};

constexpr std::array ButtonNames{"RoateButton", "TextButton",  "LeftButton",     "UpButton",
                                 "DownButton",  "RightButton", "TopButomButton", "HomeButton"};
constexpr std::array MenuNames{"Exit",         "Open",          "Short",         "Net",
                               "Comp",         "ShortCut",      "About",         "OpenReport",
                               "NextFault",    "PreviousFault", "SaveFaultList", "FitBoard",
                               "ZoomToMarks",  "SavePicture",   "Print",         "Find",
                               "RecentBoards", "Operator",      "RepairLog"};

template <std::size_t N> bool IsOneOf(QStringView word, const std::array<const char*, N>& names) {
    for (const char* name : names) {
        if (word == QLatin1String(name)) {
            return true;
        }
    }
    return false;
}

std::optional<int> WholeNumber(QStringView word) {
    qsizetype i = word.startsWith(u'-') ? 1 : 0;
    if (i == word.size()) {
        return std::nullopt;
    }
    long long value = 0;
    for (; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
        if (value > std::numeric_limits<int>::max() + 1LL) {
            return std::nullopt;
        }
    }
    if (word.startsWith(u'-')) {
        value = -value;
    }
    if (value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// Reads the line's words as arguments of `verb`; throws nothing, reports through `error`.
class LineReader {
public:
    explicit LineReader(QStringView line) {
        const qsizetype blank = line.indexOf(u' ');
        verb_ = blank < 0 ? line : line.left(blank);
        rest_ = blank < 0 ? QStringView{} : line.mid(blank + 1);
        hasRest_ = blank >= 0;
    }

    QStringView Verb() const { return verb_; }
    // Everything after the command word and its blank, verbatim.
    QStringView Rest() const { return rest_; }
    bool HasRest() const { return hasRest_; }

    // The words after the command word; false (with the error set) when they are not exactly
    // `count` words separated by single blanks.
    bool Words(qsizetype count, QList<QStringView>& words, QString& error) const {
        words.clear();
        if (hasRest_) {
            words = rest_.split(u' ');
        }
        for (const QStringView word : words) {
            if (word.isEmpty()) {
                error = QStringLiteral("words must be separated by single blanks");
                return false;
            }
        }
        if (words.size() != count) {
            error = QStringLiteral("'%1' takes %2 argument%3")
                        .arg(verb_.toString())
                        .arg(count)
                        .arg(count == 1 ? "" : "s");
            return false;
        }
        return true;
    }

private:
    QStringView verb_;
    QStringView rest_;
    bool hasRest_ = false;
};

bool ReadPoint(const QList<QStringView>& words, ScriptCommand& command, QString& error) {
    const auto x = WholeNumber(words[words.size() - 2]);
    const auto y = WholeNumber(words[words.size() - 1]);
    if (!x || !y) {
        error = QStringLiteral("'%1' is not a whole number")
                    .arg((x ? words[words.size() - 1] : words[words.size() - 2]).toString());
        return false;
    }
    command.X = *x;
    command.Y = *y;
    return true;
}

std::optional<int> EditNumber(QStringView word) {
    if (word == u"1" || word == u"2" || word == u"3") {
        return word[0].unicode() - u'0';
    }
    return std::nullopt;
}

ParsedLine Failure(QString reason) {
    ParsedLine parsed;
    parsed.What = ParsedLine::Kind::Error;
    parsed.Error = std::move(reason);
    return parsed;
}

} // namespace

std::optional<KeyStroke> ParseKeyName(QStringView name) {
    KeyStroke key;
    for (;;) {
        if (name.startsWith(u"Shift+")) {
            key.Modifiers |= Qt::ShiftModifier;
            name = name.mid(6);
        } else if (name.startsWith(u"Ctrl+")) {
            key.Modifiers |= Qt::ControlModifier;
            name = name.mid(5);
        } else {
            break;
        }
    }
    if (name.size() == 1) {
        const char16_t c = name[0].unicode();
        if (c >= u'A' && c <= u'Z') {
            key.QtKey = Qt::Key_A + (c - u'A');
            return key;
        }
        if (c >= u'0' && c <= u'9') {
            key.QtKey = Qt::Key_0 + (c - u'0');
            return key;
        }
        return std::nullopt;
    }
    for (const NamedKey& named : NamedKeys) {
        if (name == QLatin1String(named.Name)) {
            key.QtKey = named.QtKey;
            if (named.Keypad) {
                key.Modifiers |= Qt::KeypadModifier;
            }
            return key;
        }
    }
    if (name.size() == 3 && name.startsWith(u"Kp") && name[2] >= u'0' && name[2] <= u'9') {
        key.QtKey = Qt::Key_0 + (name[2].unicode() - u'0');
        key.Modifiers |= Qt::KeypadModifier;
        return key;
    }
    if (name.startsWith(u'F')) {
        const auto n = WholeNumber(name.mid(1));
        if (n && *n >= 1 && *n <= 12 && !name.mid(1).startsWith(u'0') &&
            !name.mid(1).startsWith(u'-')) {
            key.QtKey = Qt::Key_F1 + (*n - 1);
            return key;
        }
    }
    return std::nullopt;
}

ParsedLine ParseScriptLine(QStringView line) {
    if (line.trimmed().isEmpty() || line.startsWith(u'#')) {
        return {};
    }
    const LineReader reader(line);
    const QStringView verb = reader.Verb();
    ParsedLine parsed;
    parsed.What = ParsedLine::Kind::Command;
    ScriptCommand& command = parsed.Command;
    QList<QStringView> words;
    QString error;

    struct Simple {
        const char* Name;
        ScriptVerb Verb;
    };
    static constexpr std::array NoArguments{
        Simple{"ok", ScriptVerb::Ok},
        Simple{"cancel", ScriptVerb::Cancel},
        Simple{"close", ScriptVerb::Close},
        Simple{"status", ScriptVerb::Status},
        Simple{"state", ScriptVerb::State},
        Simple{"controls", ScriptVerb::Controls},
        Simple{"quit", ScriptVerb::Quit},
        Simple{"faults", ScriptVerb::Faults},
        Simple{"next", ScriptVerb::NextFault},
        Simple{"previous", ScriptVerb::PreviousFault},
        Simple{"unit", ScriptVerb::Unit},
        Simple{"history", ScriptVerb::History},
        Simple{"logstatus", ScriptVerb::LogStatus},
        Simple{"unitreports", ScriptVerb::UnitReports},
        Simple{"waitindex", ScriptVerb::WaitIndex},
    };
    for (const Simple& simple : NoArguments) {
        if (verb == QLatin1String(simple.Name)) {
            if (!reader.Words(0, words, error)) {
                return Failure(error);
            }
            command.Verb = simple.Verb;
            return parsed;
        }
    }

    if (verb == u"where") {
        command.Verb = ScriptVerb::Where;
        if (!reader.Words(1, words, error) && !reader.Words(2, words, error)) {
            return Failure(QStringLiteral("'where' needs a NAME or 'fault K'"));
        }
        command.Argument = words[0].toString();
        if (words.size() == 1) {
            return parsed;
        }
        if (words[0] != u"fault") {
            return Failure(QStringLiteral("'where' needs a NAME or 'fault K'"));
        }
        words.removeFirst(); // the line number is read as fault's
    } else if (verb == u"fault" || verb == u"tick") {
        command.Verb = verb == u"fault" ? ScriptVerb::Fault : ScriptVerb::Tick;
        if (!reader.Words(1, words, error)) {
            return Failure(error);
        }
    }
    if (verb == u"fault" || verb == u"tick" || verb == u"where") {
        bool ok = false;
        const int k = words[0].toInt(&ok);
        if (!ok || k < 1 || words[0].startsWith(u'+')) {
            return Failure(
                QStringLiteral("'%1' is not a fault line number").arg(words[0].toString()));
        }
        command.Edit = k;
        return parsed;
    }
    if (verb == u"open" || verb == u"save" || verb == u"report" || verb == u"export") {
        command.Verb = verb == u"open"     ? ScriptVerb::Open
                       : verb == u"save"   ? ScriptVerb::Save
                       : verb == u"report" ? ScriptVerb::Report
                                           : ScriptVerb::Export;
        if (reader.Rest().isEmpty()) {
            return Failure(QStringLiteral("'%1' needs a PATH").arg(verb.toString()));
        }
        command.Argument = reader.Rest().toString();
        return parsed;
    }
    // Commands that take the rest of the line as it stands: some need a text, some take an empty
    // one.
    struct Texted {
        const char* Name;
        ScriptVerb Verb;
        bool MayBeEmpty;
    };
    static constexpr std::array TextCommands{
        Texted{"find", ScriptVerb::Find, true},     Texted{"operator", ScriptVerb::Operator, false},
        Texted{"serial", ScriptVerb::Serial, true}, Texted{"action", ScriptVerb::Action, false},
        Texted{"refdes", ScriptVerb::Refdes, true}, Texted{"comment", ScriptVerb::Comment, true},
    };
    for (const Texted& texted : TextCommands) {
        if (verb == QLatin1String(texted.Name)) {
            command.Verb = texted.Verb;
            if (!reader.HasRest() || (!texted.MayBeEmpty && reader.Rest().isEmpty())) {
                return Failure(QStringLiteral("'%1' needs a TEXT").arg(verb.toString()));
            }
            command.Argument = reader.Rest().toString();
            return parsed;
        }
    }
    if (verb == u"wheel") {
        command.Verb = ScriptVerb::Wheel;
        if (!reader.Words(3, words, error)) {
            return Failure(error);
        }
        if (words[2] != u"up" && words[2] != u"down") {
            return Failure(QStringLiteral("the wheel turns 'up' or 'down', not '%1'")
                               .arg(words[2].toString()));
        }
        command.Up = words[2] == u"up";
        words.removeLast();
        if (!ReadPoint(words, command, error)) {
            return Failure(error);
        }
        return parsed;
    }
    if (verb == u"drag") {
        command.Verb = ScriptVerb::Drag;
        if (!reader.Words(4, words, error) || !ReadPoint(words, command, error)) {
            return Failure(error);
        }
        command.X2 = command.X;
        command.Y2 = command.Y;
        words.resize(2);
        if (!ReadPoint(words, command, error)) {
            return Failure(error);
        }
        return parsed;
    }
    if (verb == u"text") {
        command.Verb = ScriptVerb::Text;
        const QStringView rest = reader.Rest();
        const qsizetype blank = rest.indexOf(u' ');
        const QStringView number = blank < 0 ? rest : rest.left(blank);
        const auto edit = EditNumber(number);
        if (!edit) {
            return Failure(
                reader.HasRest() && !number.isEmpty()
                    ? QStringLiteral("there is no edit box Edit%1").arg(number.toString())
                    : QStringLiteral("'text' needs an edit box number"));
        }
        command.Edit = *edit;
        command.Argument = blank < 0 ? QString() : rest.mid(blank + 1).toString();
        return parsed;
    }
    if (verb == u"enter") {
        command.Verb = ScriptVerb::Enter;
        if (!reader.Words(1, words, error)) {
            return Failure(error);
        }
        const auto edit = EditNumber(words[0]);
        if (!edit) {
            return Failure(QStringLiteral("there is no edit box Edit%1").arg(words[0].toString()));
        }
        command.Edit = *edit;
        return parsed;
    }
    if (verb == u"key") {
        command.Verb = ScriptVerb::Key;
        if (!reader.Words(1, words, error)) {
            return Failure(error);
        }
        const auto key = ParseKeyName(words[0]);
        if (!key) {
            return Failure(QStringLiteral("unknown key '%1'").arg(words[0].toString()));
        }
        command.Key = *key;
        return parsed;
    }
    if (verb == u"button" || verb == u"menu") {
        const bool isButton = verb == u"button";
        command.Verb = isButton ? ScriptVerb::Button : ScriptVerb::Menu;
        if (!reader.Words(1, words, error)) {
            return Failure(error);
        }
        const bool known = isButton ? IsOneOf(words[0], ButtonNames) : IsOneOf(words[0], MenuNames);
        if (!isButton && words[0] == u"OpenFile") {
            return Failure(QStringLiteral("OpenFile is chosen with 'open PATH'"));
        }
        if (!known) {
            return Failure(QStringLiteral("unknown %1 '%2'")
                               .arg(isButton ? "button" : "menu item", words[0].toString()));
        }
        command.Argument = words[0].toString();
        return parsed;
    }
    if (verb == u"size" || verb == u"dblclick" || verb == u"pixel") {
        command.Verb = verb == u"size"       ? ScriptVerb::Size
                       : verb == u"dblclick" ? ScriptVerb::DoubleClick
                                             : ScriptVerb::Pixel;
        if (!reader.Words(2, words, error) || !ReadPoint(words, command, error)) {
            return Failure(error);
        }
        if (command.Verb == ScriptVerb::Size &&
            (command.X < 1 || command.Y < 1 || command.X > MaxScriptSize ||
             command.Y > MaxScriptSize)) {
            return Failure(
                QStringLiteral("the size must be 1 to %1 pixels each way").arg(MaxScriptSize));
        }
        return parsed;
    }
    if (verb == u"click") {
        command.Verb = ScriptVerb::Click;
        if (!reader.Words(3, words, error)) {
            return Failure(error);
        }
        if (words[0] == u"left") {
            command.Button = Qt::LeftButton;
        } else if (words[0] == u"right") {
            command.Button = Qt::RightButton;
        } else if (words[0] == u"middle") {
            command.Button = Qt::MiddleButton;
        } else {
            return Failure(QStringLiteral("unknown mouse button '%1'").arg(words[0].toString()));
        }
        if (!ReadPoint(words, command, error)) {
            return Failure(error);
        }
        return parsed;
    }
    return Failure(QStringLiteral("unknown command '%1'").arg(verb.toString()));
}

} // namespace dorvik
