#include "ImageToolkit.h"

#include "ParallelRows.h"
#include "library/AtomicFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

namespace skyloom {
namespace {

void SetDecodeLimit() {
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(kDecodeLimitMiB); });
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

// The reduced JPEG scale for a file of raw size: the smallest that still covers needed (raw
// coordinates) and, whatever is needed, one that fits the decode limit.
QSize ReducedJpegSize(const QSize& raw, const QSize& needed) {
    const auto fits = [](const QSize& s) {
        return qint64(s.width()) * s.height() * 4 <= qint64(kDecodeLimitMiB) * 1024 * 1024;
    };
    QSize chosen = raw;
    for (int denominator : {2, 4, 8}) {
        const QSize scaled((raw.width() + denominator - 1) / denominator,
                           (raw.height() + denominator - 1) / denominator);
        const bool covers = needed.isValid() && scaled.width() >= needed.width() &&
                            scaled.height() >= needed.height();
        if (covers || !fits(chosen))
            chosen = scaled;
        else
            break;
    }
    return chosen;
}

QImage Decode(const QString& path, const QSize& needed) {
    QImageReader reader(path);
    Prepare(reader);
    const QSize raw = reader.size();
    if (reader.format() == "jpeg" && raw.isValid()) {
        const QSize neededRaw = TurnsSideways(reader) ? needed.transposed() : needed;
        const QSize scaled = ReducedJpegSize(raw, neededRaw);
        if (scaled != raw)
            reader.setScaledSize(scaled);
    }
    return reader.read();
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

// The two passes of the blur, on premultiplied pixels so that transparent areas do not bleed
// colour; edge pixels repeat beyond the edge. Each output row is one unit of work, and the
// vertical pass adds whole rows so that it reads memory in order.
void BlurRows(const QImage& from, QImage& to, const std::vector<int>& weights) {
    const int radius = int(weights.size() / 2);
    const int w = from.width();
    ParallelRows(from.height(), [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(y));
            auto* out = reinterpret_cast<QRgb*>(to.scanLine(y));
            for (int x = 0; x < w; ++x) {
                int a = 0, r = 0, g = 0, b = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const QRgb p = in[std::clamp(x + k, 0, w - 1)];
                    const int weight = weights[k + radius];
                    a += int(qAlpha(p)) * weight;
                    r += int(qRed(p)) * weight;
                    g += int(qGreen(p)) * weight;
                    b += int(qBlue(p)) * weight;
                }
                out[x] = qRgba((r + 32768) >> 16, (g + 32768) >> 16, (b + 32768) >> 16,
                               (a + 32768) >> 16);
            }
        }
    });
}

void BlurColumns(const QImage& from, QImage& to, const std::vector<int>& weights) {
    const int radius = int(weights.size() / 2);
    const int w = from.width();
    const int h = from.height();
    ParallelRows(h, [&](int first, int last) {
        std::vector<int> sums(std::size_t(w) * 4);
        for (int y = first; y < last; ++y) {
            std::fill(sums.begin(), sums.end(), 0);
            for (int k = -radius; k <= radius; ++k) {
                const auto* in =
                    reinterpret_cast<const QRgb*>(from.constScanLine(std::clamp(y + k, 0, h - 1)));
                const int weight = weights[k + radius];
                for (int x = 0; x < w; ++x) {
                    int* s = &sums[std::size_t(x) * 4];
                    s[0] += int(qAlpha(in[x])) * weight;
                    s[1] += int(qRed(in[x])) * weight;
                    s[2] += int(qGreen(in[x])) * weight;
                    s[3] += int(qBlue(in[x])) * weight;
                }
            }
            auto* out = reinterpret_cast<QRgb*>(to.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const int* s = &sums[std::size_t(x) * 4];
                out[x] = qRgba((s[1] + 32768) >> 16, (s[2] + 32768) >> 16, (s[3] + 32768) >> 16,
                               (s[0] + 32768) >> 16);
            }
        }
    });
}

} // namespace

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
    QImage part = source.copy(sourceRect.toAlignedRect());
    if (attributes)
        part = ApplyAttributes(part, *attributes);
    const QSize size = target.size().toSize();
    if (part.size() != size && !size.isEmpty())
        part = part.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(target.topLeft(), QSizeF(part.size())), part);
    painter.restore();
}

void BlurImage(QImage& image, double radius) {
    if (image.isNull() || radius <= 0)
        return;
    const int reach = int(std::ceil(radius));
    const double sigma = radius / 3.0;
    std::vector<double> curve(2 * reach + 1);
    double total = 0;
    for (int k = -reach; k <= reach; ++k)
        total += curve[k + reach] = std::exp(-(k * k) / (2 * sigma * sigma));
    // 16-bit fixed-point weights that add up to exactly 65536.
    std::vector<int> weights(curve.size());
    int sum = 0;
    for (std::size_t i = 0; i < curve.size(); ++i)
        sum += weights[i] = int(std::lround(curve[i] / total * 65536.0));
    weights[reach] += 65536 - sum;

    const QImage::Format original = image.format();
    QImage work = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage pass(work.size(), QImage::Format_ARGB32_Premultiplied);
    BlurRows(work, pass, weights);
    BlurColumns(pass, work, weights);
    image = work.convertToFormat(original == QImage::Format_ARGB32_Premultiplied ||
                                         original == QImage::Format_RGB32
                                     ? original
                                     : QImage::Format_ARGB32);
}

void FillVerticalGradient(QPainter& painter, const QRectF& area, const QRectF& brushRect,
                          QRgb start, QRgb end) {
    QLinearGradient gradient(QPointF(0, brushRect.top()), QPointF(0, brushRect.bottom()));
    gradient.setSpread(QGradient::RepeatSpread);
    gradient.setColorAt(0, QColor::fromRgba(start));
    gradient.setColorAt(1, QColor::fromRgba(end));
    painter.fillRect(area, gradient);
}

QImage FlipUpsideDown(const QImage& image) {
    return image.mirrored(false, true);
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
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, formats.first());
    writer.setQuality(quality);
    if (!writer.write(image))
        return false;
    return WriteFileAtomically(path, bytes);
}

} // namespace skyloom
