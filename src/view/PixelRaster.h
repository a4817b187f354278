#pragma once
// Shapes written straight into a 32-bit pixel buffer, clipped to it before any pixel is visited,
// so a shape far outside the picture costs next to nothing whatever its coordinates. Boxes take
// (left, top) included and (right, bottom) excluded.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dorvik {

struct PixelBuffer {
    std::uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    std::ptrdiff_t Stride = 0; // pixels from one row to the next

    std::uint32_t* Row(std::int64_t y) const noexcept { return Bits + y * Stride; }
};

struct Box {
    std::int64_t Left = 0;
    std::int64_t Top = 0;
    std::int64_t Right = 0;
    std::int64_t Bottom = 0;
};

// The box with its corners in order, as the classic GDI calls take a box given backwards.
Box Ordered(Box box) noexcept;

// Every pixel of the box.
void FillBox(const PixelBuffer& buffer, Box box, std::uint32_t value) noexcept;

// The box's frame, `penWidth` pixels thick, growing inward from the box's edges.
void FrameBox(const PixelBuffer& buffer, Box box, int penWidth, std::uint32_t value) noexcept;

// The ellipse inscribed in the box: a pixel belongs to it when its centre lies inside the ellipse
// that touches the box's four edges. The outline is the inscribed pixels that have an outside
// neighbour above, below, left or right.
void EllipseOutline(const PixelBuffer& buffer, Box box, std::uint32_t value) noexcept;

// The outline of the ellipse inscribed in a box of one size, worked out once and drawn at many
// places: a board draws all its pin marks with one size.
class EllipseOutlineShape final {
public:
    // Sizes up to this are kept row by row; larger ellipses are drawn by EllipseOutline.
    static constexpr std::int64_t MaxSize = 4096;

    // Whether the shape holds the outline for a box of this size (1..MaxSize each way).
    bool Fits(std::int64_t width, std::int64_t height) const noexcept {
        return width == width_ && height == height_;
    }
    void Build(std::int64_t width, std::int64_t height);
    void Draw(const PixelBuffer& buffer, std::int64_t left, std::int64_t top,
              std::uint32_t value) const noexcept;

    // Where a row's outline lies, as offsets from the box's left edge: [Left, LeftEnd] and
    // [RightStart, Right]; a row that the ellipse misses has Left > Right.
    struct Row {
        std::int64_t Left = 1;
        std::int64_t LeftEnd = 0;
        std::int64_t RightStart = 1;
        std::int64_t Right = 0;
    };

private:
    std::int64_t width_ = 0;
    std::int64_t height_ = 0;
    std::vector<Row> rows_;
};
void EllipseFill(const PixelBuffer& buffer, Box box, std::uint32_t value) noexcept;

// A one-pixel line from (x0, y0) towards (x1, y1); the end pixel is not drawn.
void Line(const PixelBuffer& buffer, std::int64_t x0, std::int64_t y0, std::int64_t x1,
          std::int64_t y1, std::uint32_t value) noexcept;

} // namespace dorvik
