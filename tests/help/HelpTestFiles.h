#pragma once
// Where the help tests find the checked-in pictures and the JPEG decoder's seed files.

#include <QString>

namespace dorvik::test {

inline QString DataDirectory() {
    return QStringLiteral(DORVIK_SOURCE_DIR "/data");
}

inline QString JpegSeed(const char* name) {
    return QStringLiteral(DORVIK_SOURCE_DIR "/fuzz/corpus/fuzz_jpeg/") + QString::fromLatin1(name);
}

} // namespace dorvik::test
