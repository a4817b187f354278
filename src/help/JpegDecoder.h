#pragma once
// Decodes JPEG pictures with the IJG libjpeg API. Any input is safe: a missing, truncated,
// corrupt or oversized picture gives no image, never a crash, an exit or a hang.

#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace dorvik {

// Limits that keep a hostile header from exhausting memory or time.
inline constexpr int kMaxJpegSide = 16384;
inline constexpr std::size_t kMaxJpegDecodeBytes = std::size_t{256} << 20;
inline constexpr std::size_t kMaxJpegFileBytes = std::size_t{64} << 20;
inline constexpr int kMaxJpegScans = 500;
// Scans times pixels: a multi-scan picture makes one pass over all its pixels per scan.
inline constexpr std::uint64_t kMaxJpegScanPixels = std::uint64_t{1} << 30;

// The picture as RGB32, or nothing when the bytes are not a complete, valid JPEG within the
// limits. A warning from the decoder (such as data ending early) counts as a failure, so a
// damaged picture is never shown half grey.
[[nodiscard]] std::optional<QImage> DecodeJpeg(std::span<const unsigned char> bytes);

// The same for a file; a missing, unreadable or over-long file gives nothing.
[[nodiscard]] std::optional<QImage> DecodeJpegFile(const QString& path);

} // namespace dorvik
