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

INSTANTIATE_TEST_SUITE_P(Files, MalformedBoardProgram, ::testing::ValuesIn(test::MalformedBoards()),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace dorvik
