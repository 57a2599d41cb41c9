#include "ImageToolkit.h"

#include "JpegCodec.h"
#include "JpegFrame.h"
#include "ParallelRows.h"
#include "library/AtomicFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <vector>

namespace skyloom {
namespace {

constexpr qint64 kImageLimitBytes = qint64(kImageLimitMiB) * 1024 * 1024;

void SetDecodeLimit() {
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(kImageLimitMiB); });
}

qint64 PixelBytes(const QSize& size) {
    return qint64(size.width()) * size.height() * 4;
}

// A reader that decides the format by content and applies the EXIF orientation.
void Prepare(QImageReader& reader) {
    SetDecodeLimit();
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
}

bool TurnsSideways(const QImageReader& reader) {
    return reader.transformation() & QImageIOHandler::TransformationRotate90;
}

// The JPEG scales libjpeg-turbo decodes with its vector code, largest first. The others (3/8,
// 5/8, 6/8, 7/8) decode more slowly than the whole picture does.
constexpr int kFastJpegEighths[] = {8, 4, 2, 1};

// The JPEG scale eighths/8 for a file of raw size: the smallest fast scale that still covers
// needed (raw coordinates; the whole picture when nothing is asked or nothing smaller covers
// it), then, whatever is needed, the largest that fits the budget. 0 when none does.
int JpegEighths(const QSize& raw, const QSize& needed, qint64 budget) {
    int chosen = 0;
    for (int eighths : kFastJpegEighths) {
        const QSize size = JpegScaledSize(raw, eighths);
        const bool covers =
            needed.isValid() && size.width() >= needed.width() && size.height() >= needed.height();
        if (chosen != 0 && !covers && PixelBytes(JpegScaledSize(raw, chosen)) <= budget)
            break;
        chosen = eighths;
    }
    return PixelBytes(JpegScaledSize(raw, chosen)) <= budget ? chosen : 0;
}

// Turns a 32-bit picture over where it lies: left to right, top to bottom, or both. Turned by
// QImage, a picture in memory of its own (NewImage's) would be copied first.
void TurnOver(QImage& image, bool mirror, bool flip) {
    const int w = image.width();
    const int h = image.height();
    uchar* const bits = image.bits(); // detached here, if at all, not in the workers
    const qsizetype bytesPerLine = image.bytesPerLine();
    const auto row = [&](int y) { return reinterpret_cast<quint32*>(bits + y * bytesPerLine); };
    // Rows in pairs, the top one with its counterpart from the bottom.
    ParallelRows((h + 1) / 2, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            quint32* const top = row(y);
            quint32* const bottom = row(h - 1 - y);
            if (mirror) {
                std::reverse(top, top + w);
                if (bottom != top)
                    std::reverse(bottom, bottom + w);
            }
            if (flip && bottom != top)
                std::swap_ranges(top, top + w, bottom);
        }
    });
}

// The picture turned upright the way Qt's readers turn it for a transformation. Mirroring and
// flipping take no memory; a quarter turn makes a second picture.
QImage Oriented(QImage image, QImageIOHandler::Transformations turn) {
    if (turn == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    const bool mirror = turn & QImageIOHandler::TransformationMirror;
    const bool flip = turn & QImageIOHandler::TransformationFlip;
    if (mirror || flip)
        TurnOver(image, mirror, flip);
    if (turn & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

QImage Decode(const QString& path, const QSize& needed) {
    QImageReader reader(path);
    Prepare(reader);
    const QSize raw = reader.size();
    if (!raw.isValid())
        return QImage();
    // Turning the picture upright makes a second copy of it.
    const bool sideways = TurnsSideways(reader);
    if (reader.format() == "jpeg") {
        // A progressive or multi-scan JPEG keeps its whole coefficient image while it decodes,
        // at any scale: that comes out of the budget first.
        const std::optional<JpegFrame> frame = ReadJpegFrame(path);
        if (!frame)
            return QImage();
        const qint64 budget = (kImageLimitBytes - frame->coefficientBytes) / (sideways ? 2 : 1);
        const QSize frameSize(frame->width, frame->height);
        const int eighths =
            budget > 0 ? JpegEighths(frameSize, sideways ? needed.transposed() : needed, budget)
                       : 0;
        if (eighths == 0)
            return QImage();
        QImage image = DecodeJpeg(path, eighths);
        return image.isNull() ? image : Oriented(std::move(image), reader.transformation());
    }
    // Counted at 32 bits a pixel, as the composer works on it, even when the file's own pixels
    // are smaller (a palette or greyscale picture).
    if (PixelBytes(raw) > kImageLimitBytes / (sideways ? 2 : 1))
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

quint8 ClampChannel(float value) {
    return quint8(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

bool InKey(QRgb pixel, const ColorKey& key) {
    const auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    return within(qRed(pixel), qRed(key.low), qRed(key.high)) &&
           within(qGreen(pixel), qGreen(key.low), qGreen(key.high)) &&
           within(qBlue(pixel), qBlue(key.low), qBlue(key.high));
}

// The two passes of the blur work on premultiplied pixels, so that transparent areas do not
// bleed colour, two channels at a time: red and blue in one word, alpha and green in another.
// The weights add up to 256, so no channel's sum can spill into its neighbour. Edge pixels
// repeat beyond the edge. The vertical pass adds whole rows so that it reads memory in order.
constexpr quint32 kLanes = 0x00FF00FFu;
constexpr quint32 kHalf = 0x00800080u;

inline quint32 Packed(quint32 rb, quint32 ag) {
    return (((rb + kHalf) >> 8) & kLanes) | ((ag + kHalf) & ~kLanes);
}

// One tap over a run of pixels; kept apart, with unaliased pointers and a local count, so that
// the compiler vectorises it.
void AddTap(quint32* __restrict rb, quint32* __restrict ag, const quint32* __restrict in, int n,
            quint32 weight) {
    for (int x = 0; x < n; ++x) {
        rb[x] += (in[x] & kLanes) * weight;
        ag[x] += ((in[x] >> 8) & kLanes) * weight;
    }
}

void PackRun(quint32* __restrict out, const quint32* __restrict rb, const quint32* __restrict ag,
             int n) {
    for (int x = 0; x < n; ++x)
        out[x] = Packed(rb[x], ag[x]);
}

// The horizontal pass over one row's columns [x0, x1): in holds the whole row, out gets the
// blurred run. The row is copied with its edge pixels repeated, so that every tap reads without
// a check; the buffers are the caller's, reused from row to row.
struct RowBuffers {
    std::vector<quint32> padded, rb, ag;
};

void BlurRun(const quint32* in, int w, int x0, int x1, quint32* out,
             const std::vector<quint32>& weights, RowBuffers& b) {
    const int radius = int(weights.size() / 2);
    const int n = x1 - x0;
    b.padded.resize(std::size_t(n + 2 * radius));
    b.rb.assign(std::size_t(n), 0u);
    b.ag.assign(std::size_t(n), 0u);
    const int lo = x0 - radius;
    const int hi = x1 + radius;
    quint32* p = std::fill_n(b.padded.data(), std::max(0, std::min(hi, 0) - lo), in[0]);
    p = std::copy(in + std::max(lo, 0), in + std::min(hi, w), p);
    std::fill_n(p, std::max(0, hi - std::max(lo, w)), in[w - 1]);
    for (int k = 0; k <= 2 * radius; ++k)
        AddTap(b.rb.data(), b.ag.data(), b.padded.data() + k, n, weights[std::size_t(k)]);
    PackRun(out, b.rb.data(), b.ag.data(), n);
}

// The horizontal pass over rows [top, h), each row blurred into itself.
void BlurRows(QImage& image, const std::vector<quint32>& weights, int top) {
    const int w = image.width();
    ParallelRows(image.height() - top, [&](int first, int last) {
        RowBuffers buffers;
        for (int y = first + top; y < last + top; ++y) {
            auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
            BlurRun(row, w, 0, w, row, weights, buffers);
        }
    });
}

// The vertical pass over rows [firstRow, h), in place, in strips of columns that the cores
// share out. Walking a strip down, each row is kept (as the horizontal pass left it) before it
// is overwritten, in a ring of the rows within reach above; the rows below are read as they
// are. Rows above firstRow are never written: their horizontal pass is made into the ring.
void BlurColumns(QImage& image, const std::vector<quint32>& weights, int firstRow) {
    constexpr int kStrip = 64;
    const int radius = int(weights.size() / 2);
    const int w = image.width();
    const int h = image.height();
    const int ringRows = radius + 1;
    ParallelRows((w + kStrip - 1) / kStrip, [&](int firstStrip, int lastStrip) {
        std::vector<quint32> ring(std::size_t(ringRows) * kStrip);
        std::vector<quint32> rb(kStrip), ag(kStrip);
        RowBuffers buffers;
        const auto slot = [&](int y) { return ring.data() + std::size_t(y % ringRows) * kStrip; };
        for (int strip = firstStrip; strip < lastStrip; ++strip) {
            const int x0 = strip * kStrip;
            const int n = std::min(kStrip, w - x0);
            for (int y = std::max(0, firstRow - radius); y < firstRow; ++y)
                BlurRun(reinterpret_cast<const quint32*>(image.constScanLine(y)), w, x0, x0 + n,
                        slot(y), weights, buffers);
            for (int y = firstRow; y < h; ++y) {
                std::fill_n(rb.begin(), n, 0u);
                std::fill_n(ag.begin(), n, 0u);
                for (int k = -radius; k <= radius; ++k) {
                    const int from = std::clamp(y + k, 0, h - 1);
                    const quint32* in =
                        from < y ? slot(from)
                                 : reinterpret_cast<const quint32*>(image.constScanLine(from)) + x0;
                    AddTap(rb.data(), ag.data(), in, n, weights[std::size_t(k + radius)]);
                }
                auto* out = reinterpret_cast<quint32*>(image.scanLine(y)) + x0;
                std::copy_n(out, n, slot(y));
                PackRun(out, rb.data(), ag.data(), n);
            }
        }
    });
}

// True when the matrix changes nothing but alpha, which drawing with an opacity does alike.
bool OnlyOpacity(const ColorMatrix& matrix) {
    const ColorMatrix identity = ColorMatrix::Identity();
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 5; ++column)
            if (!(row == 3 && column == 3) && matrix.m[row][column] != identity.m[row][column])
                return false;
    return true;
}

} // namespace

bool FitsImageLimit(const QSize& size) {
    return !size.isEmpty() && PixelBytes(size) <= kImageLimitBytes;
}

QImage NewImage(const QSize& size, QImage::Format format) {
    if (!FitsImageLimit(size))
        return QImage();
    // Screen-sized pictures are made and let go at every change. In 4 KiB pages the kernel
    // faults each one in page by page (a 4K picture is 8,100 faults), and two threads faulting
    // at once contend for the process's memory map; aligned to 2 MiB and marked for huge pages,
    // the same picture takes a few dozen.
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype bytesPerLine = (qsizetype(size.width()) * depth + 31) / 32 * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(size.height());
    if (depth != 32 || bytes < 2 * kHugePage)
        return QImage(size, format);
    // A mapping of its own, so that the advice goes with it when it is unmapped: over-mapped by
    // a huge page, then trimmed to a 2 MiB boundary.
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* mapped = mmap(nullptr, rounded + kHugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return QImage();
    auto* const start = static_cast<uchar*>(mapped);
    auto* const aligned = reinterpret_cast<uchar*>(
        (reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) & ~(kHugePage - 1));
    if (aligned != start)
        munmap(start, std::size_t(aligned - start));
    if (const std::size_t tail = kHugePage - std::size_t(aligned - start); tail > 0)
        munmap(aligned + rounded, tail);
    madvise(aligned, rounded, MADV_HUGEPAGE); // only advice: without huge pages it still works
    struct Mapping {
        uchar* address;
        std::size_t bytes;
    };
    auto* mapping = new Mapping{aligned, rounded};
    QImage image(
        aligned, size.width(), size.height(), bytesPerLine, format,
        [](void* info) {
            const auto* m = static_cast<Mapping*>(info);
            munmap(m->address, m->bytes);
            delete m;
        },
        mapping);
    if (image.isNull()) {
        munmap(aligned, rounded);
        delete mapping;
    }
    return image;
}

QImage DecodeImage(const QString& path) {
    return Decode(path, QSize());
}

QImage DecodeImageCovering(const QString& path, const QSize& needed) {
    return Decode(path, needed);
}

QSize ReadImageSize(const QString& path) {
    QImageReader reader(path);
    Prepare(reader);
    const QSize raw = reader.size();
    if (!raw.isValid())
        return {};
    return TurnsSideways(reader) ? raw.transposed() : raw;
}

ColorMatrix ColorMatrix::Identity() {
    ColorMatrix identity;
    for (int i = 0; i < 5; ++i)
        identity.m[i][i] = 1.0f;
    return identity;
}

QImage ApplyAttributes(const QImage& source, const ImageAttributes& attributes) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    if (!attributes.matrix && !attributes.key)
        return image;
    ParallelRows(image.height(), [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = row[x];
                if (attributes.key && InKey(p, *attributes.key)) {
                    row[x] = 0;
                    continue;
                }
                if (!attributes.matrix)
                    continue;
                const auto& m = attributes.matrix->m;
                const float in[5] = {qRed(p) / 255.0f, qGreen(p) / 255.0f, qBlue(p) / 255.0f,
                                     qAlpha(p) / 255.0f, 1.0f};
                float out[4];
                for (int c = 0; c < 4; ++c)
                    out[c] = in[0] * m[0][c] + in[1] * m[1][c] + in[2] * m[2][c] + in[3] * m[3][c] +
                             in[4] * m[4][c];
                row[x] = qRgba(ClampChannel(out[0]), ClampChannel(out[1]), ClampChannel(out[2]),
                               ClampChannel(out[3]));
            }
        }
    });
    return image;
}

void DrawImage(QPainter& painter, const QRectF& target, const QImage& source,
               const QRectF& sourceRect, const ImageAttributes* attributes) {
    if (source.isNull() || target.isEmpty() || sourceRect.isEmpty())
        return;
    const QRect area = sourceRect.toAlignedRect() & source.rect();
    if (area.isEmpty())
        return;
    const QSize size = target.size().toSize();
    if (!FitsImageLimit(size)) {
        // Resampled whole, the target would not fit the limit: only the part of it that meets
        // the device is drawn, from the part of the source that maps there.
        const QPaintDevice* device = painter.device();
        const QRectF shown = target & QRectF(0, 0, device->width(), device->height());
        if (shown.isEmpty() || shown == target)
            return;
        const double kx = sourceRect.width() / target.width();
        const double ky = sourceRect.height() / target.height();
        const QRectF from(sourceRect.x() + (shown.x() - target.x()) * kx,
                          sourceRect.y() + (shown.y() - target.y()) * ky, shown.width() * kx,
                          shown.height() * ky);
        DrawImage(painter, shown, source, from, attributes);
        return;
    }
    // A part of the source is read through a view of its pixels, not a copy.
    QImage part =
        area == source.rect()
            ? source
            : QImage(source.constScanLine(area.top()) + area.left() * (source.depth() / 8),
                     area.width(), area.height(), source.bytesPerLine(), source.format());
    // Keys go first, on the source's own colours, so that no keyed colour is blended into its
    // neighbours by the resampling.
    if (attributes && attributes->key)
        part = ApplyAttributes(part, ImageAttributes{std::nullopt, attributes->key});
    if (part.size() != size && !size.isEmpty())
        part = part.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // A colour matrix is linear, so it gives the same after the resampling, on fewer pixels; one
    // that changes only alpha is an opacity.
    qreal opacity = 1.0;
    if (attributes && attributes->matrix) {
        if (OnlyOpacity(*attributes->matrix))
            opacity = std::clamp(attributes->matrix->m[3][3], 0.0f, 1.0f);
        else
            part = ApplyAttributes(part, ImageAttributes{attributes->matrix, std::nullopt});
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setOpacity(painter.opacity() * opacity);
    painter.drawImage(QRectF(target.topLeft(), QSizeF(part.size())), part);
    painter.restore();
}

QImage StretchImage(const QImage& image, const QSize& size) {
    if (image.isNull() || !FitsImageLimit(size))
        return QImage();
    if (!image.hasAlphaChannel()) {
        // Opaque: scaled, its pixels are already opaque ARGB, premultiplied or not.
        QImage scaled = image.convertToFormat(QImage::Format_RGB32)
                            .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
        return scaled;
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void BlurImage(QImage& image, double radius, int firstRow) {
    if (image.isNull() || radius <= 0 || firstRow >= image.height())
        return;
    firstRow = std::max(0, firstRow);
    const int reach = int(std::ceil(radius));
    const double sigma = radius / 3.0;
    std::vector<double> curve(2 * reach + 1);
    double total = 0;
    for (int k = -reach; k <= reach; ++k)
        total += curve[k + reach] = std::exp(-(k * k) / (2 * sigma * sigma));
    // 8-bit fixed-point weights that add up to exactly 256.
    std::vector<quint32> weights(curve.size());
    int sum = 0;
    for (std::size_t i = 0; i < curve.size(); ++i)
        sum += int(weights[i] = quint32(std::lround(curve[i] / total * 256.0)));
    weights[reach] += quint32(256 - sum);

    const QImage::Format original = image.format();
    if (original != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Both passes work in place; the rows above firstRow that the vertical pass reads are
    // blurred across on the side. A shared picture is detached here, not by the workers.
    (void)image.bits();
    BlurRows(image, weights, firstRow);
    BlurColumns(image, weights, firstRow);
    if (original == QImage::Format_RGB32)
        image.reinterpretAsFormat(QImage::Format_RGB32); // still opaque
    else if (original != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32);
}

void FillVerticalGradient(QPainter& painter, const QRectF& area, const QRectF& brushRect,
                          QRgb start, QRgb end) {
    QLinearGradient gradient(QPointF(0, brushRect.top()), QPointF(0, brushRect.bottom()));
    gradient.setSpread(QGradient::RepeatSpread);
    gradient.setColorAt(0, QColor::fromRgba(start));
    gradient.setColorAt(1, QColor::fromRgba(end));
    painter.fillRect(area, gradient);
}

void FillVerticalGradient(QImage& image, QRgb start, QRgb end, int firstRow) {
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int h = image.height();
    firstRow = std::clamp(firstRow, 0, h);
    ParallelRows(h - firstRow, [&](int first, int last) {
        for (int y = first + firstRow; y < last + firstRow; ++y) {
            // The colour at the row's centre, mixed in plain ARGB, then premultiplied.
            const double t = (y + 0.5) / h;
            const auto mix = [t](int a, int b) { return int(a + (b - a) * t + 0.5); };
            const QRgb colour =
                qPremultiply(qRgba(mix(qRed(start), qRed(end)), mix(qGreen(start), qGreen(end)),
                                   mix(qBlue(start), qBlue(end)), mix(qAlpha(start), qAlpha(end))));
            const quint32 keep = 255 - qAlpha(colour);
            auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const quint32 p = row[x];
                const quint32 rb = ((p & kLanes) * keep + kHalf);
                const quint32 ag = (((p >> 8) & kLanes) * keep + kHalf);
                const quint32 under = (((rb + ((rb >> 8) & kLanes)) >> 8) & kLanes) |
                                      ((ag + ((ag >> 8) & kLanes)) & ~kLanes);
                row[x] = colour + under;
            }
        }
    });
}

QImage FlipUpsideDown(const QImage& image) {
    QImage flipped = image.depth() == 32 ? NewImage(image.size(), image.format()) : QImage();
    if (flipped.isNull())
        return image.mirrored(false, true);
    const int h = image.height();
    const auto bytes = std::size_t(std::min(image.bytesPerLine(), flipped.bytesPerLine()));
    ParallelRows(h, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            std::memcpy(flipped.scanLine(h - 1 - y), image.constScanLine(y), bytes);
    });
    return flipped;
}

QRgb ReadPixel(const QImage& image, int x, int y) {
    if (!image.valid(x, y))
        return 0xFF000000u;
    return image.pixel(x, y);
}

int GetEncoderIndex(const QByteArray& mimeType) {
    return int(QImageWriter::supportedMimeTypes().indexOf(mimeType));
}

bool SaveImage(const QImage& image, const QString& path, const QByteArray& mimeType, int quality) {
    if (image.isNull() || GetEncoderIndex(mimeType) < 0)
        return false;
    const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType(mimeType);
    if (formats.isEmpty())
        return false;
    QByteArray bytes;
    if (mimeType == "image/jpeg") {
        // Straight from the picture's rows, at the quality Qt's writer takes by default.
        bytes = EncodeJpeg(image, quality < 0 ? 75 : quality);
        if (bytes.isEmpty())
            return false;
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, formats.first());
        writer.setQuality(quality);
        if (!writer.write(image))
            return false;
    }
    return WriteFileAtomically(path, bytes);
}

} // namespace skyloom
