#pragma once
// Dragging the picture with the left button held: once the pointer has moved more than a few
// pixels from where the button went down, the picture follows it, and the release that ends the
// drag is no click.

#include <cstdint>

namespace dorvik {

struct Workspace;
struct WindowState;

class PanDrag final {
public:
    // Pixels the pointer may move, either way, before a press becomes a drag.
    static constexpr std::int32_t Threshold = 4;

    // The left button went down at (x, y). A drag can start only with a board loaded.
    void Press(const WindowState& s, std::int32_t x, std::int32_t y) noexcept;
    // The pointer moved with the button held: once the drag has begun the pan follows the
    // pointer and the picture is redrawn when it changed. True while dragging.
    bool Move(Workspace& ws, std::int32_t x, std::int32_t y);
    // The button went up at (x, y): true when this ends a drag, so that the release is no click.
    bool Release(Workspace& ws, std::int32_t x, std::int32_t y);

    bool Dragging() const noexcept { return dragging_; }

private:
    bool pressed_ = false;
    bool dragging_ = false;
    std::int32_t startX_ = 0;
    std::int32_t startY_ = 0;
    std::int32_t startPanX_ = 0;
    std::int32_t startPanY_ = 0;
    float startZoom_ = 0.0f;
};

} // namespace dorvik
