#include "JpegCodec.h"

#include "ImageToolkit.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace skyloom {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the call that started the work. Warnings (a truncated file, a corrupt segment) are left
// quiet; libjpeg goes on with what it has.
struct ErrorJump {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

void Quiet(j_common_ptr, int) {}

void UseErrorJump(ErrorJump& error) {
    jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOnError;
    error.manager.emit_message = Quiet;
}

// 32-bit pixels as a QImage keeps them in memory: B, G, R, A on a little-endian machine.
constexpr J_COLOR_SPACE kArgbWords = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
constexpr J_COLOR_SPACE kXrgbWords = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// CMYK rows (as Adobe writes them, inverted) into RGB32 words, as Qt's own JPEG reader turns
// them, so that a CMYK photo looks the same whichever decoder reads it.
void CmykToRgb(const JSAMPLE* in, QRgb* out, int width) {
    for (int x = 0; x < width; ++x, in += 4) {
        const int k = in[3];
        out[x] = qRgb(k * in[0] / 255, k * in[1] / 255, k * in[2] / 255);
    }
}

// The decoding itself, apart from any C++ object with a destructor, so that an error's jump
// back here skips none. The file is read a few kilobytes at a time, so that it never takes
// memory of its own.
bool DecodeInto(std::FILE* file, int eighths, QImage* image) {
    ErrorJump error;
    jpeg_decompress_struct info{};
    info.err = &error.manager;
    UseErrorJump(error);
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info); // frees whatever libjpeg allocated, the CMYK row too
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : kArgbWords;
    info.scale_num = static_cast<unsigned>(eighths);
    info.scale_denom = 8;
    jpeg_calc_output_dimensions(&info);
    *image = NewImage(QSize(int(info.output_width), int(info.output_height)), QImage::Format_RGB32);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    // From libjpeg's own pool: a failure jumps back like any other error.
    JSAMPROW cmykRow = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                        JPOOL_IMAGE, info.output_width * 4, 1)[0]
                            : nullptr;
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        auto* row = reinterpret_cast<QRgb*>(image->scanLine(y));
        if (cmyk) {
            JSAMPROW rows[1] = {cmykRow};
            jpeg_read_scanlines(&info, rows, 1);
            CmykToRgb(cmykRow, row, int(info.output_width));
        } else {
            // As many rows as libjpeg makes at once, written where they belong.
            JSAMPROW rows[4];
            const int count = std::min<int>(4, int(info.output_height) - y);
            for (int i = 0; i < count; ++i)
                rows[i] = image->scanLine(y + i);
            jpeg_read_scanlines(&info, rows, JDIMENSION(count));
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// A destination that writes the compressed bytes into a QByteArray, growing it as needed.
struct ByteArrayDestination {
    jpeg_destination_mgr manager{};
    QByteArray* bytes = nullptr;
};

constexpr qsizetype kFirstChunk = qsizetype(1) << 20;

// Grows the array, or reports running out of memory through libjpeg's error exit: an exception
// must not unwind through libjpeg's C frames.
void Resize(j_compress_ptr info, QByteArray* bytes, qsizetype size) {
    bool resized = false;
    try {
        bytes->resize(size);
        resized = true;
    } catch (const std::bad_alloc&) {
    }
    if (!resized) {
        info->err->msg_code = JERR_OUT_OF_MEMORY;
        (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
    }
}

void StartDestination(j_compress_ptr info) {
    auto* d = reinterpret_cast<ByteArrayDestination*>(info->dest);
    Resize(info, d->bytes, std::max(d->bytes->capacity(), kFirstChunk));
    d->manager.next_output_byte = reinterpret_cast<JOCTET*>(d->bytes->data());
    d->manager.free_in_buffer = std::size_t(d->bytes->size());
}

boolean GrowDestination(j_compress_ptr info) {
    auto* d = reinterpret_cast<ByteArrayDestination*>(info->dest);
    const qsizetype used = d->bytes->size();
    Resize(info, d->bytes, used * 2);
    d->manager.next_output_byte = reinterpret_cast<JOCTET*>(d->bytes->data()) + used;
    d->manager.free_in_buffer = std::size_t(d->bytes->size() - used);
    return TRUE;
}

void EndDestination(j_compress_ptr info) {
    auto* d = reinterpret_cast<ByteArrayDestination*>(info->dest);
    d->bytes->resize(d->bytes->size() - qsizetype(d->manager.free_in_buffer));
}

// The picture's resolution in the JFIF header, in whole dots per inch or per centimetre,
// whichever of the two keeps it more exactly (as Qt's writer decides).
void SetDensity(jpeg_compress_struct& info, const QImage& image) {
    const double x = image.dotsPerMeterX() / 100.0; // dots per centimetre
    const double y = image.dotsPerMeterY() / 100.0;
    const auto off = [](double value) { return std::abs(value - std::round(value)); };
    const double inchError = off(x * 2.54) + off(y * 2.54);
    const double centimetreError = (off(x) + off(y)) * 2.54;
    const auto clamped = [](long value) { return UINT16(std::clamp(value, 1L, 65535L)); };
    if (inchError < centimetreError) {
        info.density_unit = 1;
        info.X_density = clamped(std::lround(x * 2.54));
        info.Y_density = clamped(std::lround(y * 2.54));
    } else {
        info.density_unit = 2;
        info.X_density = clamped((image.dotsPerMeterX() + 50) / 100);
        info.Y_density = clamped((image.dotsPerMeterY() + 50) / 100);
    }
}

// The encoding apart from C++ objects with destructors, as DecodeInto. bytes has room for a
// first estimate and ends holding the file.
bool EncodeInto(const QImage& image, int quality, QByteArray* bytes) {
    ErrorJump error;
    jpeg_compress_struct info{};
    info.err = &error.manager;
    UseErrorJump(error);
    ByteArrayDestination destination;
    destination.bytes = bytes;
    destination.manager.init_destination = StartDestination;
    destination.manager.empty_output_buffer = GrowDestination;
    destination.manager.term_destination = EndDestination;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    info.dest = &destination.manager;
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 4;
    info.in_color_space = kXrgbWords;
    jpeg_set_defaults(&info);
    SetDensity(info, image);
    jpeg_set_quality(&info, std::clamp(quality, 0, 100), TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[8];
        const int y = int(info.next_scanline);
        const int count = std::min<int>(8, int(info.image_height) - y);
        for (int i = 0; i < count; ++i)
            rows[i] = const_cast<JSAMPLE*>(image.constScanLine(y + i));
        jpeg_write_scanlines(&info, rows, JDIMENSION(count));
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QSize JpegScaledSize(const QSize& raw, int eighths) {
    const auto scaled = [eighths](int length) { return int((qint64(length) * eighths + 7) / 8); };
    return QSize(scaled(raw.width()), scaled(raw.height()));
}

QImage DecodeJpeg(const QString& path, int eighths) {
    if (eighths < 1 || eighths > 8)
        return QImage();
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return QImage();
    QImage image;
    const bool decoded = DecodeInto(file, eighths, &image);
    std::fclose(file);
    return decoded ? image : QImage();
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
    if (image.isNull())
        return {};
    const QImage::Format format = image.format();
    const bool words = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32;
    // Premultiplied pixels are turned back into plain colour first, as are all other formats.
    const QImage source = words ? image : image.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    // A quality-100 file of a photo takes about a byte a pixel; most take far less.
    bytes.reserve(qsizetype(source.width()) * source.height() / 2 + 4096);
    if (!EncodeInto(source, quality, &bytes))
        return {};
    return bytes;
}

} // namespace skyloom
