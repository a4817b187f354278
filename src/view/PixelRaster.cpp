#include "view/PixelRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// Filling rows of pixels takes no decisions worth exploring, so the fuzzers' coverage tracing
// stays out of those loops and the fuzzers keep their speed.
#if defined(__clang__)
#define DORVIK_PIXEL_LOOP __attribute__((no_sanitize("coverage")))
#endif
#ifndef DORVIK_PIXEL_LOOP
#define DORVIK_PIXEL_LOOP
#endif

namespace dorvik {

namespace {

DORVIK_PIXEL_LOOP inline void Fill(std::uint32_t* first, std::uint32_t* last,
                                   std::uint32_t value) noexcept {
    for (; first < last; ++first) {
        *first = value;
    }
}

__extension__ using Wide = __int128;
__extension__ using UWide = unsigned __int128;

// A horizontal run [x0, x1] on row y, clipped to the buffer.
DORVIK_PIXEL_LOOP void Span(const PixelBuffer& buffer, std::int64_t y, std::int64_t x0,
                            std::int64_t x1, std::uint32_t value) noexcept {
    if (y < 0 || y >= buffer.Height) {
        return;
    }
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, buffer.Width - 1);
    if (x0 > x1) {
        return;
    }
    Fill(buffer.Row(y) + x0, buffer.Row(y) + x1 + 1, value);
}

bool Usable(const PixelBuffer& buffer) noexcept {
    return buffer.Bits != nullptr && buffer.Width > 0 && buffer.Height > 0;
}

// Whether a box with its corners in order has pixels and any of them lie in the buffer.
bool Overlaps(const PixelBuffer& buffer, const Box& box) noexcept {
    return box.Left < box.Right && box.Top < box.Bottom && box.Left < buffer.Width &&
           box.Right > 0 && box.Top < buffer.Height && box.Bottom > 0;
}

// Where the inscribed ellipse of a box crosses each row: the number of pixels between the box's
// left edge and the ellipse's leftmost pixel on that row (the same on the right), or nothing.
class EllipseRows {
public:
    static constexpr std::int64_t None = -1;

    explicit EllipseRows(const Box& box) noexcept
        : box_(box), width_(box.Right - box.Left), height_(box.Bottom - box.Top),
          exact_(width_ <= ExactLimit && height_ <= ExactLimit) {}

    std::int64_t Inset(std::int64_t y) const noexcept {
        if (y < box_.Top || y >= box_.Bottom) {
            return None;
        }
        // Doubled offsets from the centre, so that even and odd sizes stay whole numbers:
        // a pixel is inside when H^2 dx^2 + W^2 dy^2 <= W^2 H^2.
        const std::int64_t dy = 2 * y + 1 - (box_.Top + box_.Bottom);
        const double ratio = static_cast<double>(dy) / static_cast<double>(height_);
        const double reach =
            static_cast<double>(width_) * std::sqrt(std::max(0.0, 1.0 - ratio * ratio));
        auto d = static_cast<std::int64_t>(std::min(reach, static_cast<double>(width_)));
        if (exact_) {
            const UWide w = static_cast<UWide>(width_);
            const UWide h = static_cast<UWide>(height_);
            const UWide ady = static_cast<UWide>(dy < 0 ? -dy : dy);
            const UWide limit = w * w * (h * h - ady * ady);
            while (h * h * static_cast<UWide>(d + 1) * static_cast<UWide>(d + 1) <= limit) {
                ++d;
            }
            while (d > 0 && h * h * static_cast<UWide>(d) * static_cast<UWide>(d) > limit) {
                --d;
            }
        }
        // The leftmost pixel l + j has |dx| = W - 1 - 2j; take the smallest j with |dx| <= d.
        const std::int64_t gap = width_ - 1 - d;
        const std::int64_t j = gap <= 0 ? 0 : (gap + 1) / 2;
        return j > (width_ - 1) / 2 ? None : j;
    }

    std::int64_t Width() const noexcept { return width_; }

private:
    // Up to this size the test is made in exact integers (products stay below 2^124).
    static constexpr std::int64_t ExactLimit = std::int64_t{1} << 30;

    Box box_;
    std::int64_t width_;
    std::int64_t height_;
    bool exact_;
};

// The outline on a row: the pixels of its span that have no inscribed neighbour above or below,
// plus the span's two ends. A neighbour row that the ellipse misses leaves the whole span.
EllipseOutlineShape::Row OutlineRow(std::int64_t width, std::int64_t above, std::int64_t here,
                                    std::int64_t below) noexcept {
    if (here == EllipseRows::None) {
        return {};
    }
    const auto insetOrAll = [&](std::int64_t inset) {
        return inset == EllipseRows::None ? width : inset;
    };
    const std::int64_t left = here;
    const std::int64_t right = width - 1 - here;
    const std::int64_t inner = std::max(insetOrAll(above), insetOrAll(below));
    return {left, std::min(right, std::max(left, inner - 1)),
            std::max(left, std::min(right, width - inner)), right};
}

// Rounds toward minus infinity and plus infinity, for a positive divisor.
Wide FloorDiv(Wide a, Wide m) noexcept {
    return a >= 0 ? a / m : -((-a + m - 1) / m);
}
Wide CeilDiv(Wide a, Wide m) noexcept {
    return a >= 0 ? (a + m - 1) / m : -((-a) / m);
}

} // namespace

Box Ordered(Box box) noexcept {
    if (box.Left > box.Right) {
        std::swap(box.Left, box.Right);
    }
    if (box.Top > box.Bottom) {
        std::swap(box.Top, box.Bottom);
    }
    return box;
}

DORVIK_PIXEL_LOOP void FillBox(const PixelBuffer& buffer, Box box, std::uint32_t value) noexcept {
    if (!Usable(buffer)) {
        return;
    }
    const std::int64_t top = std::max<std::int64_t>(box.Top, 0);
    const std::int64_t bottom = std::min<std::int64_t>(box.Bottom, buffer.Height);
    const std::int64_t left = std::max<std::int64_t>(box.Left, 0);
    const std::int64_t right = std::min<std::int64_t>(box.Right, buffer.Width);
    if (left >= right || top >= bottom) {
        return;
    }
    // The first row pixel by pixel, the others as copies of it: a box is often the whole
    // picture, cleared at every redraw.
    const std::uint32_t* first = buffer.Row(top) + left;
    const auto bytes = static_cast<std::size_t>(right - left) * sizeof(std::uint32_t);
    Fill(buffer.Row(top) + left, buffer.Row(top) + right, value);
    for (std::int64_t y = top + 1; y < bottom; ++y) {
        std::memcpy(buffer.Row(y) + left, first, bytes);
    }
}

// The two side strips take one pass over their rows: a mark is framed many times per redraw.
DORVIK_PIXEL_LOOP void FrameBox(const PixelBuffer& buffer, Box box, int penWidth,
                                std::uint32_t value) noexcept {
    box = Ordered(box);
    if (!Usable(buffer) || !Overlaps(buffer, box)) {
        return;
    }
    const std::int64_t w = std::max(penWidth, 1);
    const std::int64_t innerTop = std::min(box.Top + w, box.Bottom);
    const std::int64_t innerBottom = std::max(box.Bottom - w, innerTop);
    FillBox(buffer, {box.Left, box.Top, box.Right, innerTop}, value);
    FillBox(buffer, {box.Left, innerBottom, box.Right, box.Bottom}, value);

    const std::int64_t left = std::max<std::int64_t>(box.Left, 0);
    const std::int64_t right = std::min<std::int64_t>(box.Right, buffer.Width);
    const std::int64_t leftEnd = std::clamp(std::min(box.Left + w, box.Right), left, right);
    const std::int64_t rightStart = std::clamp(std::max(box.Right - w, box.Left), left, right);
    if (leftEnd == left && rightStart == right) {
        return; // both side strips lie outside the picture
    }
    const std::int64_t end = std::min<std::int64_t>(innerBottom, buffer.Height);
    for (std::int64_t y = std::max<std::int64_t>(innerTop, 0); y < end; ++y) {
        std::uint32_t* row = buffer.Row(y);
        Fill(row + left, row + leftEnd, value);
        Fill(row + rightStart, row + right, value);
    }
}

void EllipseOutline(const PixelBuffer& buffer, Box box, std::uint32_t value) noexcept {
    box = Ordered(box);
    if (!Usable(buffer) || !Overlaps(buffer, box)) {
        return;
    }
    const EllipseRows rows(box);
    const std::int64_t first = std::max<std::int64_t>(box.Top, 0);
    const std::int64_t end = std::min<std::int64_t>(box.Bottom, buffer.Height);
    std::int64_t above = rows.Inset(first - 1);
    std::int64_t here = rows.Inset(first);
    for (std::int64_t y = first; y < end; ++y) {
        const std::int64_t below = rows.Inset(y + 1);
        const auto row = OutlineRow(rows.Width(), above, here, below);
        Span(buffer, y, box.Left + row.Left, box.Left + row.LeftEnd, value);
        Span(buffer, y, box.Left + row.RightStart, box.Left + row.Right, value);
        above = here;
        here = below;
    }
}

void EllipseOutlineShape::Build(std::int64_t width, std::int64_t height) {
    width_ = std::clamp<std::int64_t>(width, 1, MaxSize);
    height_ = std::clamp<std::int64_t>(height, 1, MaxSize);
    const EllipseRows rows(Box{0, 0, width_, height_});
    rows_.assign(static_cast<std::size_t>(height_), Row{});
    for (std::int64_t y = 0; y < height_; ++y) {
        rows_[static_cast<std::size_t>(y)] =
            OutlineRow(width_, rows.Inset(y - 1), rows.Inset(y), rows.Inset(y + 1));
    }
}

void EllipseOutlineShape::Draw(const PixelBuffer& buffer, std::int64_t left, std::int64_t top,
                               std::uint32_t value) const noexcept {
    if (!Usable(buffer) || !Overlaps(buffer, Box{left, top, left + width_, top + height_})) {
        return;
    }
    const std::int64_t first = std::max<std::int64_t>(top, 0);
    const std::int64_t end = std::min<std::int64_t>(top + height_, buffer.Height);
    for (std::int64_t y = first; y < end; ++y) {
        const Row& row = rows_[static_cast<std::size_t>(y - top)];
        Span(buffer, y, left + row.Left, left + row.LeftEnd, value);
        Span(buffer, y, left + row.RightStart, left + row.Right, value);
    }
}

void EllipseFill(const PixelBuffer& buffer, Box box, std::uint32_t value) noexcept {
    box = Ordered(box);
    if (!Usable(buffer) || !Overlaps(buffer, box)) {
        return;
    }
    const EllipseRows rows(box);
    const std::int64_t end = std::min<std::int64_t>(box.Bottom, buffer.Height);
    for (std::int64_t y = std::max<std::int64_t>(box.Top, 0); y < end; ++y) {
        const std::int64_t inset = rows.Inset(y);
        if (inset != EllipseRows::None) {
            Span(buffer, y, box.Left + inset, box.Right - 1 - inset, value);
        }
    }
}

void Line(const PixelBuffer& buffer, std::int64_t x0, std::int64_t y0, std::int64_t x1,
          std::int64_t y1, std::uint32_t value) noexcept {
    if (!Usable(buffer)) {
        return;
    }
    // Walk the major axis a; the minor axis b moves by round-half-up of (i * db / da).
    const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
    const std::int64_t a0 = xMajor ? x0 : y0;
    const std::int64_t b0 = xMajor ? y0 : x0;
    const std::int64_t da = std::abs(xMajor ? x1 - x0 : y1 - y0);
    const std::int64_t db = std::abs(xMajor ? y1 - y0 : x1 - x0);
    const std::int64_t sa = (xMajor ? x1 >= x0 : y1 >= y0) ? 1 : -1;
    const std::int64_t sb = (xMajor ? y1 >= y0 : x1 >= x0) ? 1 : -1;
    const std::int64_t aSize = xMajor ? buffer.Width : buffer.Height;
    const std::int64_t bSize = xMajor ? buffer.Height : buffer.Width;
    if (da == 0) {
        return;
    }

    // Steps i in [0, da) whose a lies in the buffer.
    Wide lo = 0;
    Wide hi = da - 1;
    if (sa > 0) {
        lo = std::max<Wide>(lo, -a0);
        hi = std::min<Wide>(hi, aSize - 1 - a0);
    } else {
        lo = std::max<Wide>(lo, a0 - (aSize - 1));
        hi = std::min<Wide>(hi, a0);
    }
    // ... and whose minor offset q = floor((2 i db + da) / (2 da)) keeps b in the buffer.
    const Wide qLow = sb > 0 ? -b0 : b0 - (bSize - 1);
    const Wide qHigh = sb > 0 ? bSize - 1 - b0 : b0;
    if (db == 0) {
        if (qLow > 0 || qHigh < 0) {
            return;
        }
    } else {
        lo = std::max<Wide>(lo, CeilDiv(Wide{2} * da * qLow - da, Wide{2} * db));
        hi = std::min<Wide>(hi, CeilDiv(Wide{2} * da * (qHigh + 1) - da, Wide{2} * db) - 1);
    }
    if (lo > hi) {
        return;
    }

    const Wide numerator = Wide{2} * lo * db + da;
    auto q = static_cast<std::int64_t>(FloorDiv(numerator, Wide{2} * da));
    auto rest = static_cast<std::int64_t>(numerator - Wide{2} * da * q);
    for (auto i = static_cast<std::int64_t>(lo); i <= static_cast<std::int64_t>(hi); ++i) {
        const std::int64_t a = a0 + sa * i;
        const std::int64_t b = b0 + sb * q;
        if (xMajor) {
            buffer.Row(b)[a] = value;
        } else {
            buffer.Row(a)[b] = value;
        }
        rest += 2 * db;
        if (rest >= 2 * da) {
            rest -= 2 * da;
            ++q;
        }
    }
}

} // namespace dorvik
