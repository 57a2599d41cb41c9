#include "CBackgroundRenderer.h"

#include "ImageToolkit.h"
#include "ParallelRows.h"

#include <QFile>
#include <QPainter>

#include <cmath>
#include <vector>

namespace skyloom {
namespace {

// A channel blend truncated toward zero, kept within a byte.
int Channel(double value) {
    return std::clamp(int(value), 0, 255);
}

QRgb Blend(double startWeight, COLORREF s, double endWeight, COLORREF e) {
    return qRgb(Channel(startWeight * RedOf(s) + endWeight * RedOf(e)),
                Channel(startWeight * GreenOf(s) + endWeight * GreenOf(e)),
                Channel(startWeight * BlueOf(s) + endWeight * BlueOf(e)));
}

QRgb Mix(double t, COLORREF s, COLORREF e) {
    return Blend(1.0 - t, s, t, e);
}

// A source coordinate truncated toward zero and kept inside 0 .. limit - 1.
int SourceCoordinate(double value, int limit) {
    if (!(value > 0)) // negative, zero or not a number
        return 0;
    if (value >= limit - 1)
        return limit - 1;
    return int(value);
}

// Tiles the image from the top-left corner at its own size.
void Tile(QPainter& painter, const QImage& image, const QSize& area) {
    for (int x = 0; x < area.width(); x += image.width())
        for (int y = 0; y < area.height(); y += image.height())
            painter.drawImage(QRect(x, y, image.width(), image.height()), image);
}

QPainter& Smooth(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    return painter;
}

// One pixel of a gradient. With w by h pixels, start S and end E, every blend is per channel
// trunc((1 - t) x S + t x E) in double. Shared values: R = half the diagonal with integer halves,
// the slope m = h / w (h / -w for the backward diagonal) and q = -1 / m. X = x - w/2 and
// Y = y - h/2 with integer halves.
class GradientSampler {
public:
    GradientSampler(const QSize& size, COLORREF s, COLORREF e, int direction)
        : m_w(size.width()), m_h(size.height()), m_s(s), m_e(e), m_direction(direction),
          m_R(std::sqrt(double((m_h / 2) * (m_h / 2) + (m_w / 2) * (m_w / 2)))),
          m_m(direction == kBackwardDiagonal ? double(m_h) / -m_w : double(m_h) / m_w),
          m_q(-1.0 / m_m) {}

    QRgb operator()(int x, int y) const {
        const int X = x - m_w / 2;
        const int Y = y - m_h / 2;
        switch (m_direction) {
        case kHorizontal:
            return Mix(double(x) / m_w, m_s, m_e);
        case kVertical:
            return Mix(double(y) / m_h, m_s, m_e);
        case kRadial: {
            const double d =
                std::sqrt((Y * (1 / m_R)) * (Y * (1 / m_R)) + (X * (1 / m_R)) * (X * (1 / m_R)));
            return d > 1 ? Mix(1.0, m_s, m_e) : Mix(d, m_s, m_e);
        }
        case kDiagonalLegacy:
        case kForwardDiagonal:
        case kBackwardDiagonal: {
            // The distance D from the diagonal through the centre, as a share of the
            // diagonal: the line itself is the even mix, the corners near S and E.
            const int k = int(X * m_m);
            const int U = int(Y - X * m_q);
            const int V = int(U / (m_m - m_q));
            const int L = int(U + V * m_q);
            const double D =
                std::sqrt(double(X - V) * (X - V) + double(Y - L) * (Y - L)) / (2 * m_R);
            return Y <= k ? Blend(0.5 - D, m_s, 0.5 + D, m_e) : Blend(0.5 + D, m_s, 0.5 - D, m_e);
        }
        default:
            return qRgb(0, 0, 0); // an unknown direction draws nothing
        }
    }

private:
    const int m_w;
    const int m_h;
    const COLORREF m_s;
    const COLORREF m_e;
    const int m_direction;
    const double m_R;
    const double m_m;
    const double m_q;
};

} // namespace

void CBackgroundRenderer::BuildScreenBackground(const BackgroundSettings& settings,
                                                const QSize& screen, std::recursive_mutex& lock) {
    // Rendered before the lock is taken, so that the queue builder waits only for the swap.
    QImage background = RenderBackground(settings, screen);
    std::lock_guard guard(lock);
    m_screenBackground = std::move(background);
}

QImage CBackgroundRenderer::RenderBackground(const BackgroundSettings& settings,
                                             const QSize& screen) {
    switch (settings.type) {
    case kSolidBackground:
        return RenderSolidBackground(settings.solidColor, screen);
    case kImageBackground:
        return RenderImageBackground(settings.imageStyle, settings.image, screen);
    default:
        return RenderGradient(screen, settings.gradientStart, settings.gradientEnd,
                              settings.gradientDirection, settings.gradientTransform);
    }
}

QImage CBackgroundRenderer::RenderSolidBackground(COLORREF colour, const QSize& screen) {
    QImage image = NewImage(screen, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    // One pixel beyond every edge, so that smoothing leaves no seam.
    Smooth(painter).fillRect(QRect(QPoint(-1, -1), QPoint(screen.width(), screen.height())),
                             QColor::fromRgba(ColorrefToArgb(colour)));
    return image;
}

QImage CBackgroundRenderer::RenderImageBackground(int style, const QString& path,
                                                  const QSize& screen) {
    QImage image = NewImage(screen, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const QImage picture =
        style == kTileImage ? DecodeImage(path) : DecodeImageCovering(path, screen);
    if (picture.isNull())
        return RenderSolidBackground(0xFFFFFF, screen);
    // Transparent parts of the picture show white.
    image.fill(Qt::white);
    QPainter painter(&image);
    Smooth(painter);
    if (style == kTileImage)
        Tile(painter, picture, screen);
    else
        DrawImage(painter, QRectF(QPointF(0, 0), QSizeF(screen)), picture, QRectF(picture.rect()));
    return image;
}

namespace {

// Where the transformations take each pixel from. With integer quarters and halves:
// Nq = sqrt((w/4)^2 + (h/4)^2), X = x - w/2, Y = y - h/2, r = sqrt(X^2 + Y^2) and the angle
// a = atan(Y / X), or where X is 0 the angle of the pixel to the left. Source coordinates
// count from the top-left corner and are kept inside the buffer.
struct FoldedSource {
    int sx;
    int sy;
};

FoldedSource SourceOf(int transform, double a, double r, double Nq, int w, int h) {
    double sine;
    double cosine;
    ::sincos(a, &sine, &cosine);
    switch (transform) {
    case kCaricature: {
        const double K = std::sqrt(2 * Nq * r);
        return {SourceCoordinate(K * cosine, w), SourceCoordinate(std::abs(K * sine), h)};
    }
    case kFisheye: {
        const double v = std::abs(r * r * sine / Nq);
        return {SourceCoordinate(r * r * cosine / Nq, w), v < 2147483647.0 ? int(v) % h : h - 1};
    }
    default: // Shift
        return {SourceCoordinate(std::abs(r * cosine), w), SourceCoordinate(std::abs(r * sine), h)};
    }
}

// Caricature, Fisheye and Shift use only cos a, |sin a| and r, which are the same for X and -X
// and for Y and -Y (atan and sine are odd, cosine is even, to the last bit), so each source
// pixel is fetched once per quarter and copied to the other three. fetch(sx, sy) gives the
// colour of the untransformed picture at a source point.
template <class Fetch> void TransformFolded(QImage& buffer, int transform, const Fetch& fetch) {
    const int w = buffer.width();
    const int h = buffer.height();
    const double Nq = std::sqrt(double((w / 4) * (w / 4) + (h / 4) * (h / 4)));
    const int maxX = std::max(w / 2, w - 1 - w / 2);
    const int maxY = std::max(h / 2, h - 1 - h / 2);
    // table[ay * (maxX + 1) + ax]: the colour for |X| = ax, |Y| = ay. Column 0 holds the
    // centre column, whose angle is carried over from its left neighbour (X = -1), or is 0
    // when the buffer is one pixel wide.
    std::vector<QRgb> table(std::size_t(maxY + 1) * (maxX + 1));
    const auto colourOf = [&](double a, double r) {
        const FoldedSource src = SourceOf(transform, a, r, Nq, w, h);
        return fetch(src.sx, src.sy);
    };
    ParallelRows(maxY + 1, [&](int first, int last) {
        for (int ay = first; ay < last; ++ay) {
            QRgb* row = &table[std::size_t(ay) * (maxX + 1)];
            row[0] = colourOf(w > 1 ? std::atan(double(ay) / -1) : 0.0, double(ay));
            for (int ax = 1; ax <= maxX; ++ax)
                row[ax] = colourOf(std::atan(double(ay) / ax),
                                   std::sqrt(double(ax) * ax + double(ay) * ay));
        }
    });
    ParallelRows(h, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            const QRgb* colours = &table[std::size_t(std::abs(y - h / 2)) * (maxX + 1)];
            auto* out = reinterpret_cast<QRgb*>(buffer.scanLine(y));
            for (int x = 0; x < w; ++x)
                out[x] = colours[std::abs(x - w / 2)];
        }
    });
}

// The wave moves each pixel sideways by trunc(a + r / 10) remaindered by 32. The rows Y and -Y
// share r and have opposite angles, so each angle is worked out once for the pair.
template <class Fetch> void TransformWave(QImage& buffer, const Fetch& fetch) {
    const int w = buffer.width();
    const int h = buffer.height();
    const int maxY = std::max(h / 2, h - 1 - h / 2);
    ParallelRows(maxY + 1, [&](int first, int last) {
        for (int ay = first; ay < last; ++ay) {
            const int below = h / 2 + ay;               // the row with Y = ay
            const int above = ay > 0 ? h / 2 - ay : -1; // the row with Y = -ay
            auto* outBelow = below < h ? reinterpret_cast<QRgb*>(buffer.scanLine(below)) : nullptr;
            auto* outAbove = above >= 0 ? reinterpret_cast<QRgb*>(buffer.scanLine(above)) : nullptr;
            double a = 0; // the angle for Y = ay; carried over where X is 0
            for (int x = 0; x < w; ++x) {
                const int X = x - w / 2;
                const double r = std::sqrt(double(X) * X + double(ay) * ay);
                if (X != 0)
                    a = std::atan(double(ay) / X);
                const auto shifted = [&](double angle, int y) {
                    const int step = int(angle + 0.1 * r) % 32;
                    return fetch(SourceCoordinate(std::abs(x + step - w / 2 - 8), w), y);
                };
                if (outBelow)
                    outBelow[x] = shifted(a, below);
                if (outAbove)
                    outAbove[x] = shifted(-a, above);
            }
        }
    });
}

} // namespace

QImage CBackgroundRenderer::RenderGradient(const QSize& size, COLORREF s, COLORREF e, int direction,
                                           int transform) {
    QImage buffer = NewImage(size, QImage::Format_RGB32);
    if (buffer.isNull())
        return buffer;
    const GradientSampler gradient(size, s, e, direction);
    // A transformed gradient is sampled straight at the points the transformation reads, so
    // the untransformed picture is never drawn in full.
    if (transform == kCaricature || transform == kFisheye || transform == kShift) {
        TransformFolded(buffer, transform, gradient);
    } else if (transform == kWave) {
        TransformWave(buffer, gradient);
    } else {
        ParallelRows(size.height(), [&](int first, int last) {
            for (int y = first; y < last; ++y) {
                auto* row = reinterpret_cast<QRgb*>(buffer.scanLine(y));
                for (int x = 0; x < size.width(); ++x)
                    row[x] = gradient(x, y);
            }
        });
    }
    return buffer;
}

void CBackgroundRenderer::TransformGradient(QImage& buffer, int transform) {
    if (transform != kCaricature && transform != kFisheye && transform != kShift &&
        transform != kWave)
        return; // no other transformation is drawn
    // Every pixel of a new buffer is filled from the untouched input; the new buffer's pages
    // are first touched by the parallel loops rather than by one copy.
    const QImage input = buffer;
    const auto fetch = [&input](int sx, int sy) {
        return reinterpret_cast<const QRgb*>(input.constScanLine(sy))[sx] | 0xFF000000u;
    };
    QImage output(buffer.size(), QImage::Format_RGB32);
    if (transform == kWave)
        TransformWave(output, fetch);
    else
        TransformFolded(output, transform, fetch);
    buffer = std::move(output);
}

void CBackgroundRenderer::PaintGradient(QPainter& painter, const QRect& rect, COLORREF start,
                                        COLORREF end, int direction, int transform) {
    painter.drawImage(rect.topLeft(),
                      RenderGradient(rect.size(), start, end, direction, transform));
}

void CBackgroundRenderer::PaintImage(QPainter& painter, const QRect& rect, const QString& path,
                                     int style, const QSize& screen) {
    const QImage picture = DecodeImage(path);
    if (picture.isNull())
        return;
    painter.save();
    Smooth(painter);
    if (style == kTileImage) {
        // The tiling as it looks on the screen, shrunk into the rectangle.
        QImage tiled = NewImage(screen, QImage::Format_ARGB32_Premultiplied);
        if (tiled.isNull()) {
            painter.restore();
            return;
        }
        tiled.fill(Qt::transparent);
        QPainter tiler(&tiled);
        Tile(tiler, picture, screen);
        tiler.end();
        DrawImage(painter, QRectF(rect), tiled, QRectF(tiled.rect()));
    } else {
        DrawImage(painter, QRectF(rect), picture, QRectF(picture.rect()));
    }
    painter.restore();
}

bool CBackgroundRenderer::WriteBackgroundThumbnail(const BackgroundSettings& settings,
                                                   const QString& path) {
    QFile::remove(path);
    const QSize size = kThumbnailSize;
    switch (settings.type) {
    case kSolidBackground: {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(QColor::fromRgba(ColorrefToArgb(settings.solidColor)));
        return SaveImage(image, path, "image/png");
    }
    case kGradientBackground:
        return SaveImage(RenderGradient(size, settings.gradientStart, settings.gradientEnd,
                                        settings.gradientDirection, settings.gradientTransform),
                         path, "image/png", 100);
    case kImageBackground: {
        const QImage picture = DecodeImageCovering(settings.image, size);
        if (picture.isNull())
            return false;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        Smooth(painter);
        const QRectF whole(picture.rect());
        if (settings.imageStyle == kTileImage) {
            // Every copy is stretched to the whole thumbnail, later ones covering earlier ones.
            for (int x = 0; x < size.width(); x += picture.width())
                for (int y = 0; y < size.height(); y += picture.height())
                    DrawImage(painter, QRectF(QPointF(x, y), QSizeF(size)), picture, whole);
        } else {
            DrawImage(painter, QRectF(QPointF(0, 0), QSizeF(size)), picture, whole);
        }
        painter.end();
        return SaveImage(image, path, "image/png", 100);
    }
    default:
        return false;
    }
}

} // namespace skyloom
