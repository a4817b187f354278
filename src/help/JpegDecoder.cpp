#include "help/JpegDecoder.h"

#include <QFile>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace dorvik {
namespace {

// libjpeg's own error handler ends the process; this one jumps back to the decoder instead.
// setjmp/longjmp only cross libjpeg's C frames and the callbacks below, none of which own
// anything with a destructor.
struct ErrorManager {
    jpeg_error_mgr pub{};
    std::jmp_buf jump{};
};

struct ProgressMonitor {
    jpeg_progress_mgr pub{};
    int allowedScans = kMaxJpegScans;
};

[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(errors->jump, 1);
}

// Level -1 is a warning about damaged data; higher levels are trace output.
void JumpOnWarning(j_common_ptr cinfo, int level) {
    if (level < 0) {
        JumpOnError(cinfo);
    }
}

void DiscardMessage(j_common_ptr) {}

// A multi-scan picture may hold any number of scans, each a pass over the whole picture, and
// a few bytes suffice for a scan; a bound on the count bounds the time.
void LimitScans(j_common_ptr cinfo) {
    if (cinfo->is_decompressor) {
        const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
        const auto* monitor = reinterpret_cast<const ProgressMonitor*>(cinfo->progress);
        if (decompress->input_scan_number > monitor->allowedScans) {
            JumpOnError(cinfo);
        }
    }
}

// Everything the decoder touches lives here, outside the functions that call setjmp, so
// nothing whose value matters is an automatic variable changed between setjmp and longjmp.
struct DecodeContext {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    ProgressMonitor progress{};
    std::span<const unsigned char> bytes;
    QImage image;
    std::vector<JSAMPLE> row;
};

bool FitsLimits(const jpeg_decompress_struct& cinfo) {
    const std::uint64_t width = cinfo.output_width;
    const std::uint64_t height = cinfo.output_height;
    if (width == 0 || height == 0 || width > kMaxJpegSide || height > kMaxJpegSide) {
        return false;
    }
    // The finished picture takes 4 bytes a pixel; a multi-scan picture also keeps every
    // component's coefficients (2 bytes each) for the whole picture while it is read.
    const bool multiScan = jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&cinfo));
    const std::uint64_t coefficientBytes =
        multiScan ? std::uint64_t{2} * static_cast<std::uint64_t>(cinfo.num_components) : 0;
    return width * height * (4 + coefficientBytes) <= kMaxJpegDecodeBytes;
}

// Scans allowed for a picture of this size: few for a large picture, so that the passes over it
// stay within kMaxJpegScanPixels.
int AllowedScans(const jpeg_decompress_struct& cinfo) {
    const std::uint64_t pixels =
        std::uint64_t{cinfo.output_width} * std::uint64_t{cinfo.output_height};
    const std::uint64_t byWork = kMaxJpegScanPixels / (pixels == 0 ? 1 : pixels);
    return static_cast<int>(std::min<std::uint64_t>(byWork, kMaxJpegScans));
}

// Reads the header and chooses the output colours. Returns false on any libjpeg error.
bool ReadHeader(DecodeContext& context) noexcept {
    jpeg_decompress_struct& cinfo = context.cinfo;
    if (setjmp(context.errors.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = static_cast<long>(kMaxJpegDecodeBytes);
    cinfo.progress = &context.progress.pub;
    jpeg_mem_src(&cinfo, context.bytes.data(), static_cast<unsigned long>(context.bytes.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    // Grey is widened to RGB here rather than by libjpeg, which not every version offers.
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        cinfo.out_color_space = JCS_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        break;
    default:
        return false;
    }
    jpeg_calc_output_dimensions(&cinfo);
    if (!FitsLimits(cinfo)) {
        return false;
    }
    context.progress.allowedScans = AllowedScans(cinfo);
    return true;
}

int OutputComponents(J_COLOR_SPACE space) {
    switch (space) {
    case JCS_GRAYSCALE:
        return 1;
    case JCS_CMYK:
        return 4;
    default:
        return 3;
    }
}

QRgb ToRgb(const JSAMPLE* pixel, J_COLOR_SPACE space) {
    switch (space) {
    case JCS_GRAYSCALE:
        return qRgb(pixel[0], pixel[0], pixel[0]);
    case JCS_CMYK: {
        // Pictures in CMYK are stored inverted (the Adobe convention): 255 means no ink.
        const int k = pixel[3];
        return qRgb(pixel[0] * k / 255, pixel[1] * k / 255, pixel[2] * k / 255);
    }
    default:
        return qRgb(pixel[0], pixel[1], pixel[2]);
    }
}

// Decodes every row into the image prepared by the caller. Returns false on any libjpeg error.
bool ReadPixels(DecodeContext& context) noexcept {
    jpeg_decompress_struct& cinfo = context.cinfo;
    if (setjmp(context.errors.jump) != 0) {
        return false;
    }
    if (!jpeg_start_decompress(&cinfo)) {
        return false;
    }
    const int components = OutputComponents(cinfo.out_color_space);
    if (cinfo.output_components != components ||
        context.row.size() != std::size_t{cinfo.output_width} * components ||
        static_cast<int>(cinfo.output_width) != context.image.width() ||
        static_cast<int>(cinfo.output_height) != context.image.height()) {
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        JSAMPROW rows[] = {context.row.data()};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) {
            return false; // no progress: stop rather than spin
        }
        auto* line = reinterpret_cast<QRgb*>(context.image.scanLine(y));
        for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
            line[x] =
                ToRgb(context.row.data() + std::size_t{x} * components, cinfo.out_color_space);
        }
    }
    return jpeg_finish_decompress(&cinfo) == TRUE;
}

} // namespace

std::optional<QImage> DecodeJpeg(std::span<const unsigned char> bytes) {
    if (bytes.empty()) {
        return std::nullopt;
    }
    DecodeContext context;
    context.bytes = bytes;
    context.cinfo.err = jpeg_std_error(&context.errors.pub);
    context.errors.pub.error_exit = JumpOnError;
    context.errors.pub.emit_message = JumpOnWarning;
    context.errors.pub.output_message = DiscardMessage;
    context.progress.pub.progress_monitor = LimitScans;

    bool decoded = ReadHeader(context);
    if (decoded) {
        const auto width = static_cast<int>(context.cinfo.output_width);
        const auto height = static_cast<int>(context.cinfo.output_height);
        const int components = OutputComponents(context.cinfo.out_color_space);
        context.image = QImage(width, height, QImage::Format_RGB32);
        // A null image means Qt could not allocate the pixels.
        decoded = !context.image.isNull();
        if (decoded) {
            context.row.resize(static_cast<std::size_t>(width) * components);
            decoded = ReadPixels(context);
        }
    }
    // Safe after any failure: the struct was zeroed, and create leaves mem null until it works.
    jpeg_destroy_decompress(&context.cinfo);
    if (!decoded) {
        return std::nullopt;
    }
    return std::move(context.image);
}

std::optional<QImage> DecodeJpegFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // Read at most one byte past the limit, so an over-long file is recognised without
    // reading it whole.
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxJpegFileBytes) + 1);
    if (bytes.size() > static_cast<qsizetype>(kMaxJpegFileBytes)) {
        return std::nullopt;
    }
    return DecodeJpeg(std::span(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                static_cast<std::size_t>(bytes.size())));
}

} // namespace dorvik
