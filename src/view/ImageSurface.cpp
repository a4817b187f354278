#include "view/ImageSurface.h"

#include <algorithm>

namespace dorvik {

namespace {

std::uint32_t PixelOf(Colour c) noexcept {
    return 0xFF000000u | ToRgb(c);
}

} // namespace

ImageSurface::ImageSurface(int width, int height) {
    Resize(width, height);
}

void ImageSurface::Resize(int width, int height) {
    image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image_.fill(0xFF000000u);
}

int ImageSurface::Width() const {
    return image_.width();
}
int ImageSurface::Height() const {
    return image_.height();
}

void ImageSurface::SetPenColour(Colour c) {
    pen_ = PixelOf(c);
}
void ImageSurface::SetPenWidth(int width) {
    penWidth_ = std::max(width, 1);
}
void ImageSurface::SetBrushSolid(Colour c) {
    brushSolid_ = true;
    brush_ = PixelOf(c);
}
void ImageSurface::SetBrushHollow() {
    brushSolid_ = false;
}
void ImageSurface::SetFontColour(Colour c) {
    font_ = PixelOf(c);
}
void ImageSurface::SetFontSize(int points) {
    fontPixels_ = GlyphCache::PixelSizeOfPoints(points);
}

PixelBuffer ImageSurface::Buffer() {
    if (image_.isNull()) {
        return {};
    }
    // bits() makes the image our own if the window still shares an older copy of it.
    return PixelBuffer{reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(),
                       image_.height(), image_.bytesPerLine() / 4};
}

void ImageSurface::Rectangle(int left, int top, int right, int bottom) {
    const Box box = Ordered({left, top, right, bottom});
    if (box.Left == box.Right || box.Top == box.Bottom) {
        return;
    }
    const PixelBuffer buffer = Buffer();
    if (brushSolid_) {
        const std::int64_t w = penWidth_;
        FillBox(buffer, {box.Left + w, box.Top + w, box.Right - w, box.Bottom - w}, brush_);
    }
    FrameBox(buffer, box, penWidth_, pen_);
}

void ImageSurface::Ellipse(int left, int top, int right, int bottom) {
    const PixelBuffer buffer = Buffer();
    const Box box = Ordered({left, top, right, bottom});
    if (brushSolid_) {
        EllipseFill(buffer, box, brush_);
    }
    const std::int64_t width = box.Right - box.Left;
    const std::int64_t height = box.Bottom - box.Top;
    if (width < 1 || height < 1 || box.Right <= 0 || box.Bottom <= 0 || box.Left >= Width() ||
        box.Top >= Height()) {
        return;
    }
    if (width > EllipseOutlineShape::MaxSize || height > EllipseOutlineShape::MaxSize) {
        EllipseOutline(buffer, box, pen_);
        return;
    }
    if (!circle_.Fits(width, height)) {
        circle_.Build(width, height);
    }
    circle_.Draw(buffer, box.Left, box.Top, pen_);
}

void ImageSurface::MoveTo(int x, int y) {
    currentX_ = x;
    currentY_ = y;
}

void ImageSurface::LineTo(int x, int y) {
    Line(Buffer(), currentX_, currentY_, x, y, pen_);
    currentX_ = x;
    currentY_ = y;
}

void ImageSurface::SetPixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
        return;
    }
    Buffer().Row(y)[x] = PixelOf(c);
}

std::optional<Colour> ImageSurface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
        return std::nullopt;
    }
    const auto* row = reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y));
    return FromRgb(row[x] & 0xFFFFFFu);
}

void ImageSurface::TextOut(int x, int y, std::string_view text) {
    glyphs_.Draw(Buffer(), x, y, text, fontPixels_, font_ & 0xFFFFFFu);
}

} // namespace dorvik
