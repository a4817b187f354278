#include "Placement.h"

#include "Footprint.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace dorvik::brd {

namespace {

constexpr std::int32_t BlockGap = 100; // between blocks side by side
constexpr std::int32_t ShelfGap = 150; // between blocks one above the other
constexpr std::int32_t Grid = 25;      // every coordinate is a multiple of this

std::int32_t RoundUp(std::int64_t value) {
    return static_cast<std::int32_t>((value + Grid - 1) / Grid * Grid);
}

struct LocalPart {
    Footprint Fp;
    Point Origin; // of the footprint's pin extent, in block coordinates
};

struct LocalBlock {
    std::vector<LocalPart> Parts;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// The block's first part if it is an IC or connector, then the passives in columns beside it,
// each column about as tall as that part.
LocalBlock ArrangeBlock(const Block& block) {
    LocalBlock local;
    std::size_t next = 0;
    std::int32_t x = 0;
    std::int32_t columnLimit = 600;
    if (!block.empty() && (block.front().IsIc() || block.front().Kind == Package::Header)) {
        const PartPlan& main = block.front();
        const std::int32_t c = ClearanceOf(main);
        Footprint fp = FootprintOf(main);
        const std::int32_t w = fp.Width + 2 * c;
        const std::int32_t h = fp.Height + 2 * c;
        local.Parts.push_back({std::move(fp), {c, c}});
        x = w;
        local.Width = w;
        local.Height = h;
        columnLimit = std::max(h, 400);
        next = 1;
    }
    std::int32_t columnY = 0;
    std::int32_t columnWidth = 0;
    for (; next < block.size(); ++next) {
        const PartPlan& part = block[next];
        const std::int32_t c = ClearanceOf(part);
        Footprint fp = FootprintOf(part);
        const std::int32_t w = fp.Width + 2 * c;
        const std::int32_t h = fp.Height + 2 * c;
        if (columnY > 0 && columnY + h > columnLimit) {
            x += columnWidth;
            columnY = 0;
            columnWidth = 0;
        }
        local.Parts.push_back({std::move(fp), {x + c, columnY + c}});
        columnY += h;
        columnWidth = std::max(columnWidth, w);
        local.Width = std::max(local.Width, x + columnWidth);
        local.Height = std::max(local.Height, columnY);
    }
    return local;
}

std::int64_t IntegerSqrt(std::int64_t n) {
    std::int64_t r = 0;
    for (std::int64_t bit = std::int64_t{1} << 31; bit > 0; bit >>= 1) {
        if ((r + bit) * (r + bit) <= n) {
            r += bit;
        }
    }
    return r;
}

// The top of the parts placed so far, as runs of equal height from left to right.
struct Run {
    std::int32_t X = 0;
    std::int32_t Width = 0;
    std::int32_t Top = 0;
};

// Bottom-left packing: every block goes where it sits lowest on what is already placed, the
// leftmost such place when there are several.
class Skyline {
public:
    explicit Skyline(std::int32_t width) : width_(width) { runs_.push_back({0, width, 0}); }

    Point Place(std::int32_t w, std::int32_t h) {
        std::size_t best = runs_.size();
        std::int32_t bestTop = 0;
        for (std::size_t i = 0; i < runs_.size(); ++i) {
            const std::int32_t x = runs_[i].X;
            if (x + w > width_) {
                break;
            }
            std::int32_t top = 0;
            for (std::size_t k = i; k < runs_.size() && runs_[k].X < x + w; ++k) {
                top = std::max(top, runs_[k].Top);
            }
            if (best == runs_.size() || top < bestTop) {
                best = i;
                bestTop = top;
            }
        }
        const Point at{runs_[best].X, bestTop};
        Raise(at.X, w, bestTop + h);
        return at;
    }

    const std::vector<Run>& Runs() const noexcept { return runs_; }

private:
    void Raise(std::int32_t x, std::int32_t w, std::int32_t top) {
        std::vector<Run> next;
        next.reserve(runs_.size() + 2);
        for (const Run& r : runs_) {
            const std::int32_t end = r.X + r.Width;
            if (end <= x || r.X >= x + w) {
                next.push_back(r);
                continue;
            }
            if (r.X < x) {
                next.push_back({r.X, x - r.X, r.Top});
            }
            if (next.empty() || next.back().X + next.back().Width <= x) {
                next.push_back({x, w, top});
            }
            if (end > x + w) {
                next.push_back({x + w, end - x - w, r.Top});
            }
        }
        // Neighbouring runs of one height become one.
        runs_.clear();
        for (const Run& r : next) {
            if (!runs_.empty() && runs_.back().Top == r.Top) {
                runs_.back().Width += r.Width;
            } else {
                runs_.push_back(r);
            }
        }
    }

    std::int32_t width_;
    std::vector<Run> runs_;
};

struct Packed {
    std::vector<Point> At; // lower-left corner of each block's space
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<Run> Top;
};

Packed Pack(const std::vector<LocalBlock>& blocks, std::int32_t width) {
    Skyline sky(width);
    Packed packed;
    packed.At.reserve(blocks.size());
    for (const LocalBlock& b : blocks) {
        packed.At.push_back(sky.Place(b.Width + BlockGap, b.Height + ShelfGap));
        packed.Width = std::max(packed.Width, packed.At.back().X + b.Width);
        packed.Height = std::max(packed.Height, packed.At.back().Y + b.Height);
    }
    packed.Top = sky.Runs();
    return packed;
}

// How far the aspect ratio of the packing is from 8 : 5, which fills a wide window well.
std::int64_t AspectError(const Packed& p) {
    return std::llabs(std::int64_t{p.Width} * 5 - std::int64_t{p.Height} * 8) * 1000 /
           std::max<std::int64_t>(p.Height, 1);
}

// The largest free corner at the top right, above everything placed to its right.
std::optional<OutlineStep> FreeCorner(const Packed& p) {
    std::optional<OutlineStep> best;
    std::int64_t bestArea = 0;
    std::int32_t highest = 0;
    for (auto it = p.Top.rbegin(); it != p.Top.rend(); ++it) {
        highest = std::max(highest, it->Top - ShelfGap);
        const std::int32_t w = p.Width - it->X;
        const std::int32_t h = p.Height - highest;
        if (it->X > 0 && w >= std::max(600, p.Width / 5) && h >= std::max(500, p.Height / 6)) {
            const std::int64_t area = std::int64_t{w} * h;
            if (area > bestArea) {
                bestArea = area;
                // Halfway into the gaps left round the blocks below and to the left.
                best = OutlineStep{EdgeMargin + it->X - BlockGap / 2 + EdgeMargin / 2,
                                   EdgeMargin + highest + ShelfGap / 2};
            }
        }
    }
    return best;
}

} // namespace

Placement PlaceBlocks(const std::vector<Block>& blocks) {
    std::vector<LocalBlock> arranged;
    arranged.reserve(blocks.size());
    std::int64_t area = 0;
    std::int32_t widest = 0;
    for (const Block& block : blocks) {
        arranged.push_back(ArrangeBlock(block));
        const LocalBlock& b = arranged.back();
        area += std::int64_t{b.Width + BlockGap} * (b.Height + ShelfGap);
        widest = std::max(widest, b.Width + BlockGap);
    }
    // A few widths round the square root of the area; the one nearest to the wanted shape wins.
    Packed best;
    bool first = true;
    for (std::int64_t tenths = 12; tenths <= 30; tenths += 2) {
        const std::int32_t width = std::max(widest, RoundUp(IntegerSqrt(area * tenths / 10)));
        Packed packed = Pack(arranged, width);
        if (first || AspectError(packed) < AspectError(best)) {
            best = std::move(packed);
            first = false;
        }
    }

    Placement placement;
    for (std::size_t b = 0; b < arranged.size(); ++b) {
        for (const LocalPart& part : arranged[b].Parts) {
            std::vector<Point> pins;
            pins.reserve(part.Fp.Pins.size());
            for (const Point& offset : part.Fp.Pins) {
                pins.push_back({EdgeMargin + best.At[b].X + part.Origin.X + offset.X,
                                EdgeMargin + best.At[b].Y + part.Origin.Y + offset.Y});
            }
            placement.Pins.push_back(std::move(pins));
        }
    }
    placement.Width = best.Width + 2 * EdgeMargin;
    placement.Height = best.Height + 2 * EdgeMargin;
    placement.Step = FreeCorner(best);
    return placement;
}

} // namespace dorvik::brd
