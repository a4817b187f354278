// The key table: which virtual-key codes run which command, and which of them the core runs.

#include "navigate/KeyTable.h"
#include "NavigateFixture.h"

#include <gtest/gtest.h>

namespace dorvik::test {
namespace {

TEST(KeyTable, MapsTheListedCodes) {
    const std::pair<int, KeyCommand> table[] = {
        {27, KeyCommand::Exit},       {69, KeyCommand::Exit},      {32, KeyCommand::ChangeSide},
        {36, KeyCommand::Home},       {37, KeyCommand::PanLeft},   {38, KeyCommand::PanUp},
        {39, KeyCommand::PanRight},   {40, KeyCommand::PanDown},   {67, KeyCommand::Component},
        {72, KeyCommand::Help},       {112, KeyCommand::Help},     {78, KeyCommand::Net},
        {79, KeyCommand::Open},       {82, KeyCommand::TurnBoard}, {83, KeyCommand::Short},
        {86, KeyCommand::ToggleText}, {107, KeyCommand::ZoomIn},   {187, KeyCommand::ZoomIn},
        {109, KeyCommand::ZoomOut},   {189, KeyCommand::ZoomOut},
    };
    for (const auto& [code, command] : table) {
        EXPECT_EQ(CommandForKey(code), command) << "code " << code;
    }
}

TEST(KeyTable, OtherKeysDoNothing) {
    // Enter, Shift, Ctrl, the other letters, keypad digits, F2 to F12, and lower-case codes
    // (the toolkit passes letters as their upper-case codes).
    const int others[] = {0,   8,   13,  16,  17,  33,  35,  41,  48,  65,  68,  70, 90,    96,
                          100, 105, 101, 106, 111, 113, 123, 186, 188, 190, 'o', -1, 100000};
    for (int code : others) {
        EXPECT_EQ(CommandForKey(code), KeyCommand::None) << "code " << code;
    }
}

class KeyCommandTest : public WorkspaceTest {};

TEST_F(KeyCommandTest, WindowCommandsAreLeftToTheWindow) {
    Load(QueryBoard);
    canvas.calls.clear();
    const WindowState before = ws.State;
    for (KeyCommand c : {KeyCommand::None, KeyCommand::Exit, KeyCommand::Component,
                         KeyCommand::Help, KeyCommand::Net, KeyCommand::Open, KeyCommand::Short}) {
        EXPECT_FALSE(RunViewCommand(ws, c)) << static_cast<int>(c);
    }
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(ws.State.Zoom, before.Zoom);
    EXPECT_EQ(ws.State.ViewSide, before.ViewSide);
    EXPECT_EQ(ws.State.TextFlag, before.TextFlag);
    EXPECT_EQ(ws.Rotation, 0);
}

} // namespace
} // namespace dorvik::test
