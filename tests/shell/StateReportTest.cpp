#include "shell/StateReport.h"

#include "support/FakeControls.h"
#include "support/RecordingSurface.h"
#include "view/Workspace.h"

#include <gtest/gtest.h>

#include <memory>

namespace dorvik {
namespace {

class StateReportTest : public ::testing::Test {
protected:
    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    test::RecordingSurface surface;
    test::FakeControls controls;
    Workspace ws{*board, surface, controls};
};

TEST_F(StateReportTest, FreshStateInOrder) {
    const std::vector<std::string> expected = {
        "ImageWidth=0", "ImageHeight=0", "ClickX=0",      "ClickY=0",    "Zoom=0",
        "FitScale=0",   "ClipLeft=0",    "ClipTop=0",     "ClipRight=0", "ClipBottom=0",
        "PanX=0",       "PanY=0",        "BoardMinX=0",   "BoardMinY=0", "CentreX=0",
        "CentreY=0",    "ViewSide=0",    "NetText=",      "Probe1=0",    "Probe2=0",
        "Probe3=0",     "CompText1=",    "CompText2=",    "CompText3=",  "TextFlag=",
        "NewEntry=",    "DisplayMode=0", "BoardLoaded=0", "Rotation=0",  "OutlineCount=0",
        "PartCount=0",  "PinCount=0",    "NailCount=0",
    };
    EXPECT_EQ(StateLines(ws), expected);
}

TEST_F(StateReportTest, FormatsNumbersTextsAndBytes) {
    WindowState& s = ws.State;
    s.Zoom = 0.001953125f;
    s.FitScale = 0.1f; // not exact in a float: nine significant digits show it
    s.ViewSide = -1;
    s.PanX = -2147483647 - 1;
    SetText(s.NetText, ",GND,");
    SetText(s.CompText2, ",U321, 22,");
    s.TextFlag = 'Y';
    s.NewEntry = 'T';
    s.BoardLoaded = 1;
    ws.Rotation = 3;
    board->NailCount = 157;

    const std::vector<std::string> lines = StateLines(ws);
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[4], "Zoom=0.001953125");
    EXPECT_EQ(lines[5], "FitScale=0.100000001");
    EXPECT_EQ(lines[10], "PanX=-2147483648");
    EXPECT_EQ(lines[16], "ViewSide=-1");
    EXPECT_EQ(lines[17], "NetText=,GND,");
    EXPECT_EQ(lines[22], "CompText2=,U321, 22,");
    EXPECT_EQ(lines[24], "TextFlag=Y");
    EXPECT_EQ(lines[25], "NewEntry=T");
    EXPECT_EQ(lines[27], "BoardLoaded=1");
    EXPECT_EQ(lines[28], "Rotation=3");
    EXPECT_EQ(lines[32], "NailCount=157");
}

TEST(HexColour, WritesRgbFromSurfaceValues) {
    EXPECT_EQ(HexColour(colours::Maroon), "#800000");
    EXPECT_EQ(HexColour(colours::Blue), "#0000FF");
    EXPECT_EQ(HexColour(colours::Yellow), "#FFFF00");
    EXPECT_EQ(HexColour(colours::Black), "#000000");
}

} // namespace
} // namespace dorvik
