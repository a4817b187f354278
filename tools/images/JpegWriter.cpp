#include "JpegWriter.h"

#include <QColor>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace dorvik::images {
namespace {

int ComponentCount(JpegColours colours) {
    switch (colours) {
    case JpegColours::Grey:
        return 1;
    case JpegColours::Cmyk:
        return 4;
    case JpegColours::Rgb:
        break;
    }
    return 3;
}

// One row in the layout libjpeg expects for the chosen colours. CMYK is written inverted
// (255 = no ink), as Adobe programs write it.
void FillRow(const QImage& picture, int y, JpegColours colours, std::vector<JSAMPLE>& row) {
    const int components = ComponentCount(colours);
    for (int x = 0; x < picture.width(); ++x) {
        const QRgb pixel = picture.pixel(x, y);
        JSAMPLE* out = row.data() + static_cast<std::size_t>(x) * components;
        switch (colours) {
        case JpegColours::Grey:
            out[0] = static_cast<JSAMPLE>(qGray(pixel));
            break;
        case JpegColours::Cmyk: {
            const int k = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            const auto ink = [k](int value) {
                return static_cast<JSAMPLE>(k == 0 ? 255 : value * 255 / k);
            };
            out[0] = ink(qRed(pixel));
            out[1] = ink(qGreen(pixel));
            out[2] = ink(qBlue(pixel));
            out[3] = static_cast<JSAMPLE>(k);
            break;
        }
        case JpegColours::Rgb:
            out[0] = static_cast<JSAMPLE>(qRed(pixel));
            out[1] = static_cast<JSAMPLE>(qGreen(pixel));
            out[2] = static_cast<JSAMPLE>(qBlue(pixel));
            break;
        }
    }
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg(const QImage& picture, const JpegOptions& options) {
    if (picture.isNull()) {
        return {};
    }

    // The generator only compresses its own well-formed pictures, so libjpeg's default error
    // handler (which ends the process) is acceptable here.
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = static_cast<JDIMENSION>(picture.width());
    cinfo.image_height = static_cast<JDIMENSION>(picture.height());
    cinfo.input_components = ComponentCount(options.colours);
    cinfo.in_color_space = options.colours == JpegColours::Grey   ? JCS_GRAYSCALE
                           : options.colours == JpegColours::Cmyk ? JCS_CMYK
                                                                  : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    // Full-resolution colour keeps the thin coloured lines of the drawings crisp.
    for (int c = 0; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    if (options.progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.width()) *
                             static_cast<std::size_t>(cinfo.input_components));
    while (cinfo.next_scanline < cinfo.image_height) {
        FillRow(picture, static_cast<int>(cinfo.next_scanline), options.colours, row);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

} // namespace dorvik::images
