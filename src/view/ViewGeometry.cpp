#include "view/ViewGeometry.h"

#include "view/Saturating.h"
#include "view/Workspace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

namespace dorvik {

namespace {

// Negation that wraps instead of overflowing on the most negative value.
constexpr std::int32_t Negate(std::int32_t v) noexcept {
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(v));
}

// The running value of the mappings is a 32-bit float; a double beyond its range becomes an
// infinity (as IEEE rounding would give) instead of an undefined conversion.
float ToFloat(double v) noexcept {
    if (v > std::numeric_limits<float>::max()) {
        return std::numeric_limits<float>::infinity();
    }
    if (v < -std::numeric_limits<float>::max()) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(v);
}

// Zoom steps are powers of two up to MaxZoom; the bound keeps a corrupt zoom (0, infinity)
// from looping for ever while leaving every real zoom untouched.
constexpr std::int64_t StepLimit = std::int64_t{1} << 31;

float ZoomAboutCentre(float v, float zoom, std::int32_t limit) noexcept {
    if (zoom > 1.0f) {
        for (std::int64_t l = 2; static_cast<double>(l) <= zoom && l <= StepLimit; l *= 2) {
            std::int64_t m = (l / 2) * limit;
            m = m / 2;
            v = ToFloat(static_cast<double>(v) - static_cast<double>(m));
        }
    } else if (zoom < 1.0f) {
        const double inverse = 1.0 / static_cast<double>(zoom);
        for (std::int64_t l = 2; static_cast<double>(l) <= inverse && l <= StepLimit; l *= 2) {
            v = ToFloat(static_cast<double>(v) + static_cast<double>((limit / 2) / l));
        }
    }
    return v;
}

float UndoZoomAboutCentre(float u, float zoom, std::int32_t limit) noexcept {
    if (zoom > 1.0f) {
        for (std::int64_t l = 2; static_cast<double>(l) <= zoom && l <= StepLimit; l *= 2) {
            u = ToFloat(static_cast<double>(u) + static_cast<double>(((l / 2) * limit) / 2));
        }
    } else if (zoom < 1.0f) {
        const double inverse = 1.0 / static_cast<double>(zoom);
        for (std::int64_t l = 2; static_cast<double>(l) <= inverse && l <= StepLimit; l *= 2) {
            u = ToFloat(static_cast<double>(u) - static_cast<double>((limit / 2) / l));
        }
    }
    return u;
}

// The board offset of a rotated coordinate, exact for every int32 pair.
double Offset(std::int32_t v, std::int32_t boardMin) noexcept {
    return static_cast<double>(static_cast<std::int64_t>(v) - boardMin);
}

struct Extent {
    // Both ends start at 0, so the extent always contains the origin.
    std::int64_t MinX = 0;
    std::int64_t MaxX = 0;
    std::int64_t MinY = 0;
    std::int64_t MaxY = 0;

    void Add(std::int32_t x, std::int32_t y) noexcept {
        MinX = std::min<std::int64_t>(MinX, x);
        MaxX = std::max<std::int64_t>(MaxX, x);
        MinY = std::min<std::int64_t>(MinY, y);
        MaxY = std::max<std::int64_t>(MaxY, y);
    }
    bool Flat() const noexcept { return MinX == MaxX || MinY == MaxY; }
};

template <class Row>
void AddItems(Extent& extent, std::span<const Row> rows, std::int32_t rotation) noexcept {
    for (const Row& item : rows) {
        extent.Add(RotatedX(item, rotation), RotatedY(item, rotation));
    }
}

} // namespace

std::int32_t RotatedX(std::int32_t x, std::int32_t y, std::int32_t rotation) noexcept {
    switch (rotation) {
    case 0:
        return x;
    case 1:
        return Negate(y);
    case 2:
        return Negate(x);
    default:
        return y;
    }
}

std::int32_t RotatedY(std::int32_t x, std::int32_t y, std::int32_t rotation) noexcept {
    switch (rotation) {
    case 0:
        return y;
    case 1:
        return x;
    case 2:
        return Negate(y);
    default:
        return Negate(x);
    }
}

FitResult ComputeFitScale(const BoardData& board, std::int32_t rotation,
                          std::int32_t availableWidth, std::int32_t availableHeight) noexcept {
    Extent extent;
    AddItems(extent, board.Outline(), rotation);
    if (extent.Flat()) {
        // No outline, or one along a single line: fit what the board has, so that the scale
        // stays finite and the parts are on screen.
        AddItems(extent, board.Pins(), rotation);
        AddItems(extent, board.Nails(), rotation);
    }
    const std::int64_t xSpan = extent.MaxX - extent.MinX + 1;
    const std::int64_t ySpan = std::max<std::int64_t>(extent.MaxY - extent.MinY, 1);
    const double width = std::max(availableWidth, 1);
    const double height = std::max(availableHeight, 1);

    const float scaleX = static_cast<float>(width / static_cast<double>(xSpan));
    const float scaleY = static_cast<float>(height / static_cast<double>(ySpan));
    return FitResult{scaleX > scaleY ? scaleY : scaleX, static_cast<std::int32_t>(extent.MinX),
                     static_cast<std::int32_t>(extent.MinY)};
}

std::int32_t RoundToInt(float v) noexcept {
    constexpr float two31 = 2147483648.0f;
    if (!(v == v)) {
        return 0;
    }
    if (v >= two31) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (v <= -two31) {
        return std::numeric_limits<std::int32_t>::min();
    }
    // Floats this far from zero are whole numbers, so i + 1 and i - 1 stay in range.
    const auto i = static_cast<std::int32_t>(v);
    const double f = static_cast<double>(v) - i;
    if (f >= 0.5) {
        return i + 1;
    }
    if (f <= -0.5) {
        return i - 1;
    }
    return i;
}

std::int32_t ToPixelX(const WindowState& s, std::int32_t x) noexcept {
    const float v = ToFloat((Offset(x, s.BoardMinX) * s.FitScale + s.PanX + s.ClipLeft) * s.Zoom);
    return RoundToInt(ZoomAboutCentre(v, s.Zoom, s.ClipRight));
}

std::int32_t ToPixelXMirrored(const WindowState& s, std::int32_t x) noexcept {
    const float v = ToFloat((s.ClipRight - Offset(x, s.BoardMinX) * s.FitScale + s.PanX) * s.Zoom);
    return RoundToInt(ZoomAboutCentre(v, s.Zoom, s.ClipRight));
}

std::int32_t ToPixelY(const WindowState& s, std::int32_t y) noexcept {
    const float v = ToFloat((s.ClipBottom - Offset(y, s.BoardMinY) * s.FitScale + s.PanY) * s.Zoom);
    return RoundToInt(ZoomAboutCentre(v, s.Zoom, s.ClipBottom));
}

std::int32_t ToBoardX(const WindowState& s, std::int32_t px) noexcept {
    float u = ToFloat(static_cast<double>(static_cast<std::int64_t>(px) - 2));
    u = UndoZoomAboutCentre(u, s.Zoom, s.ClipRight);
    const double unzoomed = static_cast<double>(u) / s.Zoom;
    const float t = s.ViewSide == 1 ? ToFloat((unzoomed - s.PanX - s.ClipLeft) / s.FitScale)
                                    : ToFloat((s.ClipRight - (unzoomed - s.PanX)) / s.FitScale);
    return RoundToInt(ToFloat(s.BoardMinX + static_cast<double>(t)));
}

std::int32_t ToBoardY(const WindowState& s, std::int32_t py) noexcept {
    float u = ToFloat(static_cast<double>(static_cast<std::int64_t>(py) - 1));
    u = UndoZoomAboutCentre(u, s.Zoom, s.ClipBottom);
    const double unzoomed = static_cast<double>(u) / s.Zoom;
    const float t = ToFloat((s.ClipBottom - (unzoomed - s.PanY)) / s.FitScale);
    return RoundToInt(ToFloat(s.BoardMinY + static_cast<double>(t)));
}

double ZoomCentreOffset(float zoom, std::int32_t limit) noexcept {
    return static_cast<double>(ZoomAboutCentre(0.0f, zoom, limit));
}

std::int32_t PinRadius(const WindowState& s) noexcept {
    // A radius beyond this covers any drawing area many times over; the bound keeps every
    // coordinate derived from it far inside int32.
    constexpr std::int32_t maxRadius = std::int32_t{1} << 20;
    const std::int32_t whole =
        TruncateToInt32(static_cast<double>(s.FitScale) * 10.0 * static_cast<double>(s.Zoom));
    return std::clamp(whole, 0, maxRadius - 1) + 1;
}

void FitToDrawingArea(Workspace& ws) {
    WindowState& s = ws.State;
    s.ImageWidth = std::max(ws.Canvas.Width(), 0);
    s.ImageHeight = std::max(ws.Canvas.Height(), 0);
    s.CentreX = s.ImageWidth / 2;
    s.CentreY = s.ImageHeight / 2;
    s.ClipLeft = 2;
    s.ClipTop = 2;
    s.ClipRight = s.ImageWidth - 2;
    s.ClipBottom = s.ImageHeight - 2;
    const FitResult fit =
        ComputeFitScale(ws.Board, ws.Rotation, s.ClipRight - s.ClipLeft, s.ClipBottom - s.ClipTop);
    s.FitScale = fit.Scale;
    s.BoardMinX = fit.MinX;
    s.BoardMinY = fit.MinY;
}

} // namespace dorvik
