// Generates the program's images into a directory (the checked-in copies live in data/), and
// optionally the JPEG decoder's fuzzing seeds (checked in under fuzz/corpus/fuzz_jpeg/):
//   dorvik-make-images <image directory> [<seed directory>]
// Every image is drawn here, so running it again reproduces the files.

#include "ArrowGlyphs.h"
#include "BmpWriter.h"
#include "JpegSeeds.h"
#include "JpegWriter.h"
#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool WriteArrows(const QDir& directory) {
    using dorvik::images::ArrowDirection;
    struct Glyph {
        ArrowDirection direction;
        const char* fileName;
    };
    const Glyph glyphs[] = {{ArrowDirection::Up, "arrow1u.bmp"},
                            {ArrowDirection::Left, "arrow1l.bmp"},
                            {ArrowDirection::Down, "arrow1d.bmp"},
                            {ArrowDirection::Right, "arrow1r.bmp"}};
    bool ok = true;
    for (const Glyph& glyph : glyphs) {
        const auto bytes =
            dorvik::images::EncodeBmp4(dorvik::images::MakeArrowStrip(glyph.direction));
        ok = dorvik::images::WriteFile(directory.filePath(glyph.fileName).toStdString(), bytes) &&
             ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: dorvik-make-images <image directory> [<seed directory>]\n");
        return 2;
    }
    // Painting needs a GUI application; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(directory.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = WriteArrows(directory);
    ok = dorvik::images::DrawLogo().save(directory.filePath("logo.png"), "PNG") && ok;
    ok = dorvik::images::DrawIcon().save(directory.filePath("dorvik.png"), "PNG") && ok;
    const auto about = dorvik::images::EncodeJpeg(dorvik::images::DrawAboutPicture(), {});
    ok = dorvik::images::WriteFile(directory.filePath("about.jpg").toStdString(), about) && ok;
    if (argc == 3) {
        const QDir seeds(QString::fromLocal8Bit(argv[2]));
        ok = QDir().mkpath(seeds.path()) && dorvik::images::WriteJpegSeeds(seeds) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "could not write every file\n");
        return 1;
    }
    return 0;
}
