#include "JpegWriter.h"

#include "BmpWriter.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace dorvik::images {

bool WriteJpeg(const QImage& picture, const std::string& path, int quality) {
    if (picture.isNull()) {
        return false;
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);

    // The generator only compresses its own well-formed pictures, so libjpeg's default error
    // handler (which ends the process) is acceptable here.
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // Full-resolution colour keeps the thin coloured lines of the drawing crisp.
    for (int c = 0; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg only reads the row; its API is not const-correct.
        auto* row = const_cast<JSAMPLE*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    const std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return WriteFile(path, bytes);
}

} // namespace dorvik::images
