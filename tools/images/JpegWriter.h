#pragma once
// Compresses a picture to a baseline JPEG file with the IJG libjpeg API.

#include <QImage>

#include <string>

namespace dorvik::images {

// Returns false when the picture is empty or the file cannot be written.
[[nodiscard]] bool WriteJpeg(const QImage& picture, const std::string& path, int quality);

} // namespace dorvik::images
