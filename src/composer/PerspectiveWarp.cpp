#include "PerspectiveWarp.h"

#include "CRawBitmap.h"
#include "ImageToolkit.h"
#include "ParallelRows.h"
#include "RunFlag.h"

#include <QPainter>

#include <cmath>

namespace skyloom {
namespace {

bool Recedes(int position, bool rightEdge) {
    return rightEdge
               ? (position == kFarLeft3D || position == kLeft3D || position == kCenterLeft3D)
               : (position == kCenterRight3D || position == kRight3D || position == kFarRight3D);
}

// The divisor of the receding edge's inset times the depth factor.
double InsetDivisor(int orientation, double o) {
    return (orientation == kLandscape ? 16 : 24) * o;
}

void SetCorners(QuadCorners& c, std::initializer_list<int> xy) {
    auto it = xy.begin();
    for (int i = 0; i < 4; ++i) {
        c.x[i] = *it++;
        c.y[i] = *it++;
    }
}

// Maps a premultiplied source into a W by H destination whose surround is transparent. The
// mapper interpolates the premultiplied values as they are, which is also the right way to mix
// partly transparent pixels, so the result is premultiplied too and is drawn without converting.
QImage MapOverTransparency(QImage source, int W, int H, const QuadCorners& corners,
                           const std::atomic<int>* run, int firstRow) {
    // Opaque RGB32 pixels are already valid premultiplied words; only plain ARGB needs work.
    if (source.format() != QImage::Format_ARGB32_Premultiplied &&
        source.format() != QImage::Format_RGB32)
        source = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    CRawBitmap raw;
    raw.Load(source);
    source = QImage();
    CRawBitmap destination;
    destination.Create(W, H);
    if (destination.IsEmpty())
        return QImage();
    // The rows above the mapped ones are cleared here; the mapper clears the rest as it goes.
    ParallelRows(std::clamp(firstRow, 0, H), [&destination, W](int first, int last) {
        for (int y = first; y < last; ++y)
            std::fill_n(destination.Row(y), W, 0u);
    });
    CQuadMapper::MapQuad(destination, raw, run, corners, firstRow, 0u);
    QImage result = destination.ToImage();
    destination = CRawBitmap(); // the only reference now, so no copy is made below
    result.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return result;
}

// What the mapper samples for a W by H warp: the photo itself when it is at most twice that
// size (bilinear sampling needs no smoothing first there, and the reduced decode keeps JPEG
// photos within it), otherwise the photo smoothed down to W by H.
QImage WarpSource(const QImage& photo, int W, int H) {
    if (photo.width() <= 2 * W && photo.height() <= 2 * H)
        return photo;
    return StretchImage(photo, QSize(W, H));
}

} // namespace

QImage ReflectionMaterial(const QImage& photo, const QSize& size, COLORREF tint, int firstRow,
                          double blurRadius) {
    QImage material = NewImage(size, QImage::Format_ARGB32_Premultiplied);
    if (material.isNull())
        return material;
    firstRow = std::clamp(firstRow, 0, size.height());
    const int drawnFrom = std::max(0, firstRow - int(std::ceil(blurRadius)));
    const QRect band(0, drawnFrom, size.width(), size.height() - drawnFrom);
    {
        QPainter painter(&material);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(band, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.setClipRect(band);
        painter.drawImage(QRectF(material.rect()), photo);
    }
    BlurImage(material, blurRadius, firstRow);
    FillVerticalGradient(material, ColorrefToArgb(tint), 0x00FFFFFFu, firstRow);
    return material;
}

int PhotoQuadCorners(double o, int orientation, int position, int W, int H, QuadCorners& c) {
    const double k = InsetDivisor(orientation, o);
    if (orientation == kPortrait || orientation == kLandscape) {
        if (Recedes(position, true))
            SetCorners(c, {0, 0, W, int(H / k), W, int(H - H / k), 0, H});
        else if (Recedes(position, false))
            SetCorners(c, {0, int(H / k), W, 0, W, H, 0, int(H - H / k)});
    }
    return int(o * ((H / k) * 0.5));
}

void ReflectionQuadCorners(double o, int orientation, int position, int W, int H, QuadCorners& c) {
    const double k = InsetDivisor(orientation, o);
    if (orientation != kPortrait && orientation != kLandscape)
        return;
    if (Recedes(position, true))
        SetCorners(c, {0, int(k), W, int(2.5 * H / k), W, H, 0, int(H - H / k)});
    else if (Recedes(position, false))
        SetCorners(c, {0, int(2.5 * H / k), W, int(k), W, int(H - H / k), 0, H});
}

int WarpSupersampling(int orientation) {
    return orientation == kPortrait ? 3 : 2;
}

WarpedPhoto BuildWarpedPhoto(const QImage& photo, int NW, int NH, int orientation, int position,
                             float o, const std::atomic<int>* run, int supersampling) {
    const int W = supersampling * NW;
    const int H = supersampling * NH;
    WarpedPhoto warped;
    QuadCorners corners;
    warped.lift = PhotoQuadCorners(double(o), orientation, position, W, H, corners);
    if (W <= 0 || H <= 0)
        return warped;
    warped.image = MapOverTransparency(WarpSource(photo, W, H), W, H, corners, run, 0);
    return warped;
}

QImage BuildWarpedReflection(const QImage& photo, int NW, int NH, int orientation, int position,
                             float o, COLORREF tint, const std::atomic<int>* run, int firstRow,
                             int scale) {
    const int W = scale * NW;
    const int H = scale * NH;
    if (W <= 0 || H <= 0)
        return QImage();
    QuadCorners c;
    ReflectionQuadCorners(double(o), orientation, position, W, H, c);
    // The mapped rows read the material no higher than where the shape's two vertical edges
    // cross the first of them, less a little for the bilinear sampling.
    const auto along = [firstRow](int top, int bottom) {
        return bottom > top ? double(firstRow - top) / (bottom - top) : 0.0;
    };
    const double v = std::clamp(std::min(along(c.y[0], c.y[3]), along(c.y[1], c.y[2])), 0.0, 1.0);
    const int materialFrom = std::max(0, int(v * H) - 2);
    QImage material =
        ReflectionMaterial(photo, QSize(W, H), tint, materialFrom, kReflectionBlur * scale / 2);
    if (!Running(run))
        return QImage();
    return MapOverTransparency(std::move(material), W, H, c, run, firstRow);
}

} // namespace skyloom
