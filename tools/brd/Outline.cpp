#include "Outline.h"

#include <algorithm>
#include <cstdlib>

namespace dorvik::brd {

namespace {

constexpr std::int32_t Chamfer = 250;
constexpr std::int32_t Radius = 400;
constexpr std::int64_t ArcSegments = 6;

std::int32_t RoundedDiv(std::int64_t num, std::int64_t den) {
    return static_cast<std::int32_t>((num + den / 2) / den);
}

// A quarter circle of radius r about `centre`, from the point in direction `from` to the point in
// direction `to` (unit axis vectors), in whole numbers only, so every platform draws the same
// points: the rational parametrisation (2tk, k^2 - t^2) / (k^2 + t^2) of the circle.
void Arc(std::vector<Point>& out, Point centre, std::int32_t r, Point from, Point to,
         std::int64_t segments) {
    for (std::int64_t t = 0; t <= segments; ++t) {
        const std::int64_t den = segments * segments + t * t;
        const std::int32_t along = RoundedDiv(std::int64_t{r} * (segments * segments - t * t), den);
        const std::int32_t across = RoundedDiv(std::int64_t{r} * 2 * t * segments, den);
        out.push_back(
            {centre.X + from.X * along + to.X * across, centre.Y + from.Y * along + to.Y * across});
    }
}

std::int64_t EdgeLength(Point a, Point b) {
    return std::max(std::llabs(std::int64_t{b.X} - a.X), std::llabs(std::int64_t{b.Y} - a.Y));
}

// Inserts `extra` points along the edges of the closed polygon, shared out by edge length.
std::vector<Point> Subdivide(const std::vector<Point>& corners, std::int64_t extra) {
    const std::size_t n = corners.size();
    std::vector<std::int64_t> lengths(n);
    std::int64_t total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        lengths[i] = EdgeLength(corners[i], corners[(i + 1) % n]);
        total += lengths[i];
    }
    std::vector<std::int64_t> share(n);
    std::vector<std::size_t> byRemainder(n);
    std::int64_t given = 0;
    for (std::size_t i = 0; i < n; ++i) {
        share[i] = total > 0 ? extra * lengths[i] / total : 0;
        given += share[i];
        byRemainder[i] = i;
    }
    std::stable_sort(byRemainder.begin(), byRemainder.end(), [&](std::size_t a, std::size_t b) {
        return extra * lengths[a] % std::max<std::int64_t>(total, 1) >
               extra * lengths[b] % std::max<std::int64_t>(total, 1);
    });
    for (std::size_t k = 0; given < extra; k = (k + 1) % n) {
        ++share[byRemainder[k]];
        ++given;
    }
    std::vector<Point> out;
    out.reserve(n + static_cast<std::size_t>(extra));
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = corners[i];
        const Point b = corners[(i + 1) % n];
        out.push_back(a);
        const std::int64_t parts = share[i] + 1;
        for (std::int64_t j = 1; j < parts; ++j) {
            out.push_back({static_cast<std::int32_t>(a.X + (std::int64_t{b.X} - a.X) * j / parts),
                           static_cast<std::int32_t>(a.Y + (std::int64_t{b.Y} - a.Y) * j / parts)});
        }
    }
    return out;
}

} // namespace

std::vector<Point> MakeOutline(const Placement& placement, std::int32_t points) {
    const std::int32_t w = placement.Width;
    const std::int32_t h = placement.Height;
    const std::int32_t smaller = std::min(w, h);
    const std::int32_t chamfer = std::min(Chamfer, smaller / 3);
    const std::int32_t radius = std::min(Radius, smaller / 3);

    // Counter-clockwise from the bottom edge, each corner point once.
    std::vector<Point> corners;
    corners.push_back({chamfer, 0});
    Arc(corners, {w - radius, radius}, radius, {0, -1}, {1, 0}, ArcSegments);
    const auto& step = placement.Step;
    if (step && step->Y > radius && step->X > radius && step->X < w && step->Y < h) {
        corners.push_back({w, step->Y});
        corners.push_back({step->X, step->Y});
        corners.push_back({step->X, h});
    } else {
        corners.push_back({w, h - chamfer});
        corners.push_back({w - chamfer, h});
    }
    Arc(corners, {radius, h - radius}, radius, {0, 1}, {-1, 0}, ArcSegments);
    corners.push_back({0, chamfer});

    const auto own = static_cast<std::int64_t>(corners.size());
    const std::int64_t wanted = points > 0 ? std::int64_t{points} - 1 : own;
    std::vector<Point> outline = wanted > own ? Subdivide(corners, wanted - own) : corners;
    outline.push_back(outline.front());
    return outline;
}

} // namespace dorvik::brd
