// The bytes as a board file, then everything the program does with a board it has read (see
// BoardWorkout.h): the fit, every display mode and point queries, then both sides, turns, names
// and both zoom limits in one of the displays.
#include "support/BoardWorkout.h"

#include "board/BoardData.h"
#include "board/BoardReader.h"
#include "view/HeadlessControls.h"
#include "view/ImageSurface.h"
#include "view/Workspace.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct Program {
    // Boards whose nails share numbers are the slow inputs: a fault display frames all such
    // nails again at every marking until the marking slack runs out, which at the program's
    // slack is tens of thousands of frames at every step of the workout. A slack of a few
    // hundred reaches the once-per-colour framing through the same code after a hundredth of the
    // frames, so both ways of marking are explored on every such board.
    static constexpr std::int64_t MarkingSlack = 300;

    Program() { ws.MarkingSlack = MarkingSlack; }

    dorvik::BoardData board;
    dorvik::ImageSurface picture{64, 48}; // small, so clearing costs little per run
    dorvik::HeadlessControls controls;
    dorvik::Workspace ws{board, picture, controls};
};

// One program for the whole run, as one window serves every file; each input starts from a
// forgotten board so that every input reads the same however the run got there.
Program& Fresh() {
    static int argc = 1;
    static char name[] = "fuzz_board_view";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    static Program program;
    dorvik::test::ForgetBoard(program.ws);
    return program;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Program& p = Fresh();
    std::FILE* file = ::fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    if (file == nullptr) {
        return 0; // an empty input: fmemopen refuses size 0
    }
    dorvik::ReadBoardFile(file, p.board);
    std::fclose(file);
    // The navigation runs in one display per input, the component or the open display as the
    // input's length is even or odd, so that both are explored without doubling every run.
    dorvik::test::WorkOut(p.ws, {size % 2 == 0 ? dorvik::CompDisplay : dorvik::OpenDisplay});
    return 0;
}
