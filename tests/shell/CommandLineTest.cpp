#include "shell/CommandLine.h"

#include <gtest/gtest.h>

namespace dorvik {
namespace {

struct LineCase {
    QStringList Arguments;
    bool Help;
    std::optional<QString> Script;
    std::optional<QString> Board;
    bool Valid;
};

TEST(CommandLine, ReadsScriptBoardAndHelp) {
    const LineCase cases[] = {
        {{}, false, std::nullopt, std::nullopt, true},
        {{"board.brd"}, false, std::nullopt, "board.brd", true},
        {{"--script", "s.txt"}, false, "s.txt", std::nullopt, true},
        {{"--script", "-", "b.brd"}, false, "-", "b.brd", true},
        {{"b.brd", "--script", "s.txt"}, false, "s.txt", "b.brd", true},
        {{"--help"}, true, std::nullopt, std::nullopt, true},
        {{"-"}, false, std::nullopt, "-", true},                     // a file called "-"
        {{"--", "--script"}, false, std::nullopt, "--script", true}, // after "--": a board
        {{"--bogus"}, false, std::nullopt, std::nullopt, false},
        {{"-x", "b.brd"}, false, std::nullopt, std::nullopt, false},
        {{"--script=s.txt"}, false, std::nullopt, std::nullopt, false},
        {{"--script"}, false, std::nullopt, std::nullopt, false},
        {{"--script", "a", "--script", "b"}, false, "a", std::nullopt, false},
        {{"a.brd", "b.brd"}, false, std::nullopt, "a.brd", false},
    };
    for (const LineCase& c : cases) {
        const CommandLine line = ParseCommandLine(c.Arguments);
        const std::string shown = c.Arguments.join(' ').toStdString();
        EXPECT_EQ(line.Error.isEmpty(), c.Valid) << shown << ": " << line.Error.toStdString();
        if (!c.Valid) {
            continue;
        }
        EXPECT_EQ(line.Help, c.Help) << shown;
        EXPECT_EQ(line.Script, c.Script) << shown;
        EXPECT_EQ(line.Board, c.Board) << shown;
    }
}

TEST(CommandLine, UsageNamesTheForm) {
    EXPECT_TRUE(
        UsageText().startsWith("Usage: dorvik [--script FILE] [--report REPORT] [BOARD]\n"));
}

} // namespace
} // namespace dorvik
