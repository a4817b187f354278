// Generates the program's images into a directory (the checked-in copies live in data/):
//   dorvik-make-images <output directory>
// Every image is drawn here, so running it again reproduces the files.

#include "ArrowGlyphs.h"
#include "BmpWriter.h"
#include "JpegWriter.h"
#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int kAboutJpegQuality = 92;

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
    if (argc != 2) {
        std::fprintf(stderr, "usage: dorvik-make-images <output directory>\n");
        return 2;
    }
    // Painting needs a GUI application; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.exists() && !QDir().mkpath(directory.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = WriteArrows(directory);
    ok = dorvik::images::DrawLogo().save(directory.filePath("logo.png"), "PNG") && ok;
    ok = dorvik::images::DrawIcon().save(directory.filePath("dorvik.png"), "PNG") && ok;
    ok = dorvik::images::WriteJpeg(dorvik::images::DrawAboutPicture(),
                                   directory.filePath("about.jpg").toStdString(),
                                   kAboutJpegQuality) &&
         ok;
    if (!ok) {
        std::fprintf(stderr, "could not write every image to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
