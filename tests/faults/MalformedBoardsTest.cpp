// Every kind of malformed board file through the whole program: read, fitted, drawn in every
// display mode on both sides at both zoom limits and turned, and queried. Nothing may go out of
// bounds or overflow (the sanitizer build checks each step), and the view must stay usable.

#include "support/MalformedBoards.h"
#include "support/BoardWorkout.h"

#include "view/HeadlessControls.h"
#include "view/ImageSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace dorvik {
namespace {

using test::MalformedBoard;

class MalformedBoardProgram : public ::testing::TestWithParam<MalformedBoard> {
protected:
    void SetUp() override { test::ForgetBoard(ws); }

    void ExpectUsableView() const {
        EXPECT_EQ(picture.Width(), 96);
        EXPECT_EQ(picture.Height(), 64);
        EXPECT_TRUE(std::isfinite(ws.State.FitScale) && ws.State.FitScale > 0.0f)
            << ws.State.FitScale;
        EXPECT_EQ(ws.State.Zoom, 1.0f); // Home puts the fit back
        EXPECT_EQ(ws.State.BoardLoaded, 1);
    }

    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    ImageSurface picture{96, 64};
    HeadlessControls controls;
    Workspace ws{*board, picture, controls};
};

TEST_P(MalformedBoardProgram, IsDrawnNavigatedAndQueriedSafely) {
    test::ReadStored(*board, GetParam().Stored);
    test::WorkOut(ws);
    ExpectUsableView();
}

TEST_P(MalformedBoardProgram, AfterTheDemoBoardIsDrawnNavigatedAndQueriedSafely) {
    std::ifstream demo(DORVIK_SOURCE_DIR "/examples/demo.brd", std::ios::binary);
    ASSERT_TRUE(demo.good());
    test::ReadStored(*board, std::string(std::istreambuf_iterator<char>(demo), {}));
    test::WorkOut(ws);
    test::ReadStored(*board, GetParam().Stored);
    test::WorkOut(ws);
    ExpectUsableView();
}

// The pictures of the worked example at each step of a session with it.
std::vector<QImage> SessionPictures(Workspace& ws, ImageSurface& picture) {
    std::vector<QImage> pictures;
    const auto keep = [&] { pictures.push_back(picture.Image().copy()); };
    ws.State.BoardLoaded = 1;
    ResetView(ws);
    keep();
    AcceptProbeEntry(ws.State, {"12", "", "13"}, OpenDisplay);
    Redraw(ws);
    keep();
    AcceptProbeEntry(ws.State, {"12", "13", ""}, ShortDisplay);
    Redraw(ws);
    keep();
    AcceptNetEntry(ws.State, "VCC");
    Redraw(ws);
    keep();
    AcceptCompEntry(ws.State, {"U1,1,3", "R7", ""});
    Redraw(ws);
    keep();
    ToggleText(ws);
    keep();
    ChangeSide(ws);
    keep();
    ZoomInAt(ws, 10, 10);
    keep();
    return pictures;
}

// A smaller board read over a larger one draws exactly as it does on fresh tables: nothing of
// the earlier board's entries beyond the new counts shows, in any display.
TEST(SecondBoard, DrawsExactlyAsOnFreshTables) {
    auto fresh = std::make_unique<BoardData>();
    ImageSurface freshPicture{96, 64};
    HeadlessControls controls;
    Workspace freshWs{*fresh, freshPicture, controls};
    test::ForgetBoard(freshWs);
    test::ReadText(*fresh, test::WorkedExample);
    const std::vector<QImage> expected = SessionPictures(freshWs, freshPicture);

    auto reused = std::make_unique<BoardData>();
    ImageSurface picture{96, 64};
    Workspace ws{*reused, picture, controls};
    test::ForgetBoard(ws);
    std::ifstream demo(DORVIK_SOURCE_DIR "/examples/demo.brd", std::ios::binary);
    ASSERT_TRUE(demo.good());
    test::ReadStored(*reused, std::string(std::istreambuf_iterator<char>(demo), {}));
    test::WorkOut(ws);
    test::ForgetBoard(ws); // as a fresh start of the program, the tables' contents aside
    test::ReadText(*reused, test::WorkedExample);
    const std::vector<QImage> pictures = SessionPictures(ws, picture);

    ASSERT_EQ(pictures.size(), expected.size());
    for (std::size_t i = 1; i < expected.size(); ++i) {
        EXPECT_FALSE(expected[i] == expected[i - 1]) << "step " << i << " changes nothing";
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_TRUE(pictures[i] == expected[i]) << "step " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedBoardProgram, ::testing::ValuesIn(test::MalformedBoards()),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace dorvik
