#pragma once
// The JPEG decoder's fuzzing seeds, which its tests also read: good pictures of every colour
// kind the decoder handles, and bad ones (cut short, not a JPEG, absurd sizes, empty).

#include <QDir>

namespace dorvik::images {

// Returns false when a file cannot be written.
[[nodiscard]] bool WriteJpegSeeds(const QDir& directory);

} // namespace dorvik::images
