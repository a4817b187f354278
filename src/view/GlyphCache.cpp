#include "view/GlyphCache.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace dorvik {

namespace {

constexpr int MaxPixelSize = 256;

// Blends the colour over a pixel by coverage (0 leaves it, 255 replaces it).
std::uint32_t Blend(std::uint32_t under, std::uint32_t rgb, std::uint32_t coverage) noexcept {
    const std::uint32_t keep = 255 - coverage;
    std::uint32_t out = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t a = (rgb >> shift) & 0xFF;
        const std::uint32_t b = (under >> shift) & 0xFF;
        out |= ((a * coverage + b * keep + 127) / 255) << shift;
    }
    return out;
}

} // namespace

int GlyphCache::PixelSizeOfPoints(int points) noexcept {
    const std::int64_t pixels = (std::int64_t{points} * 96 + 36) / 72;
    return static_cast<int>(std::clamp<std::int64_t>(pixels, 1, MaxPixelSize));
}

GlyphCache::Face& GlyphCache::FaceOf(int pixelSize) {
    if (last_ != nullptr && last_->PixelSize == pixelSize) {
        return *last_;
    }
    const auto found = std::find_if(faces_.begin(), faces_.end(),
                                    [&](const auto& face) { return face->PixelSize == pixelSize; });
    if (found != faces_.end()) {
        last_ = found->get();
        return *last_;
    }
    if (faces_.size() == MaxFaces) {
        faces_.erase(faces_.begin());
    }
    auto face = std::make_unique<Face>();
    face->Font = QGuiApplication::font();
    face->Font.setPixelSize(pixelSize);
    const QFontMetrics metrics(face->Font);
    face->PixelSize = pixelSize;
    face->Ascent = metrics.ascent();
    face->LineHeight = metrics.height();
    faces_.push_back(std::move(face));
    last_ = faces_.back().get();
    return *last_;
}

const GlyphCache::Glyph& GlyphCache::GlyphOf(Face& face, unsigned char c) {
    Glyph& glyph = face.Glyphs[c];
    if (glyph.Ready) {
        return glyph;
    }
    glyph.Ready = true;
    const QFontMetrics metrics(face.Font);
    const QChar ch = QChar::fromLatin1(static_cast<char>(c));
    glyph.Advance = std::max(metrics.horizontalAdvance(ch), 0);
    const QRect bounds = metrics.boundingRect(ch);
    if (bounds.isEmpty() || bounds.width() > 4 * MaxPixelSize ||
        bounds.height() > 4 * MaxPixelSize) {
        return glyph;
    }
    // One pixel of room on every side for antialiasing that strays past the bounds.
    QImage mask(bounds.width() + 2, bounds.height() + 2, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setFont(face.Font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(1 - bounds.left(), 1 - bounds.top()), QString(ch));
    }
    glyph.OffsetX = bounds.left() - 1;
    glyph.OffsetY = face.Ascent + bounds.top() - 1;
    glyph.Width = mask.width();
    glyph.Height = mask.height();
    glyph.Start = face.Coverage.size();
    for (int row = 0; row < mask.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(row));
        for (int col = 0; col < mask.width(); ++col) {
            face.Coverage.push_back(static_cast<std::uint8_t>(qAlpha(line[col])));
        }
    }
    return glyph;
}

void GlyphCache::Draw(const PixelBuffer& buffer, std::int64_t x, std::int64_t y,
                      std::string_view text, int pixelSize, std::uint32_t rgb) {
    if (buffer.Bits == nullptr || QGuiApplication::instance() == nullptr) {
        return;
    }
    pixelSize = std::clamp(pixelSize, 1, MaxPixelSize);
    // Glyphs reach at most a few sizes beyond their line; anything further away is not seen.
    const std::int64_t reach = 4 * std::int64_t{pixelSize};
    if (y >= buffer.Height || y + reach < 0 || x >= buffer.Width) {
        return;
    }
    Face& face = FaceOf(pixelSize);
    const std::uint32_t solid = 0xFF000000u | (rgb & 0xFFFFFFu);
    std::int64_t pen = x;
    for (const char c : text) {
        if (pen - reach >= buffer.Width) {
            break;
        }
        const Glyph& glyph = GlyphOf(face, static_cast<unsigned char>(c));
        const std::int64_t left = pen + glyph.OffsetX;
        const std::int64_t colFirst = std::max<std::int64_t>(0, -left);
        const std::int64_t colEnd = std::min<std::int64_t>(glyph.Width, buffer.Width - left);
        for (int row = 0; row < glyph.Height && colFirst < colEnd; ++row) {
            const std::int64_t py = y + glyph.OffsetY + row;
            if (py < 0 || py >= buffer.Height) {
                continue;
            }
            const std::uint8_t* coverage =
                face.Coverage.data() + glyph.Start + static_cast<std::size_t>(row) * glyph.Width;
            std::uint32_t* out = buffer.Row(py) + left;
            for (std::int64_t col = colFirst; col < colEnd; ++col) {
                const std::uint32_t a = coverage[col];
                if (a == 255) {
                    out[col] = solid;
                } else if (a != 0) {
                    out[col] = Blend(out[col], rgb, a);
                }
            }
        }
        pen += glyph.Advance;
    }
}

} // namespace dorvik
