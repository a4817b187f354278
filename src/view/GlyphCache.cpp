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

// Blends the colour over a pixel by coverage (0 leaves it, 255 replaces it), red and blue
// together in one multiplication.
std::uint32_t Blend(std::uint32_t under, std::uint32_t rgb, std::uint32_t coverage) noexcept {
    const std::uint32_t a = coverage + (coverage >> 7); // 0..256
    const std::uint32_t keep = 256 - a;
    const std::uint32_t redBlue =
        (((rgb & 0xFF00FFu) * a + (under & 0xFF00FFu) * keep) >> 8) & 0xFF00FFu;
    const std::uint32_t green = (((rgb & 0xFF00u) * a + (under & 0xFF00u) * keep) >> 8) & 0xFF00u;
    return 0xFF000000u | redBlue | green;
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
    const int maskX = bounds.left() - 1;
    const int maskY = face.Ascent + bounds.top() - 1;
    glyph.FirstRun = face.Runs.size();
    glyph.Top = maskY + mask.height();
    glyph.Bottom = maskY;
    for (int row = 0; row < mask.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(row));
        for (int col = 0; col < mask.width();) {
            if (qAlpha(line[col]) == 0) {
                ++col;
                continue;
            }
            Run run{maskX + col, maskY + row, 0, face.Coverage.size()};
            for (; col < mask.width() && qAlpha(line[col]) != 0; ++col) {
                face.Coverage.push_back(static_cast<std::uint8_t>(qAlpha(line[col])));
                ++run.Length;
            }
            face.Runs.push_back(run);
            glyph.Top = std::min(glyph.Top, run.OffsetY);
            glyph.Bottom = std::max(glyph.Bottom, run.OffsetY + 1);
        }
    }
    glyph.RunCount = face.Runs.size() - glyph.FirstRun;
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
        if (y + glyph.Bottom <= 0 || y + glyph.Top >= buffer.Height) {
            pen += glyph.Advance;
            continue;
        }
        const Run* runs = face.Runs.data() + glyph.FirstRun;
        for (std::size_t i = 0; i < glyph.RunCount; ++i) {
            const Run& run = runs[i];
            const std::int64_t py = y + run.OffsetY;
            const std::int64_t left = pen + run.OffsetX;
            if (py < 0 || py >= buffer.Height) {
                continue;
            }
            const std::int64_t first = std::max<std::int64_t>(0, -left);
            const std::int64_t end = std::min<std::int64_t>(run.Length, buffer.Width - left);
            const std::uint8_t* coverage = face.Coverage.data() + run.Start;
            std::uint32_t* out = buffer.Row(py) + left;
            for (std::int64_t k = first; k < end; ++k) {
                const std::uint32_t a = coverage[k];
                out[k] = a == 255 ? solid : Blend(out[k], rgb, a);
            }
        }
        pen += glyph.Advance;
    }
}

} // namespace dorvik
