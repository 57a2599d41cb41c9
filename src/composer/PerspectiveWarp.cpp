#include "PerspectiveWarp.h"

#include "CRawBitmap.h"
#include "ImageToolkit.h"

#include <QPainter>

namespace skyloom {
namespace {

bool Recedes(int position, bool rightEdge) {
    return rightEdge
               ? (position == kFarLeft3D || position == kLeft3D || position == kCenterLeft3D)
               : (position == kCenterRight3D || position == kRight3D || position == kFarRight3D);
}

bool Running(const std::atomic<int>* run) {
    return !run || run->load(std::memory_order_relaxed) != 0;
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

// The photo drawn smoothly over the whole of a W by H image, over transparent black.
QImage Stretched(const QImage& photo, int W, int H) {
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    DrawImage(painter, QRectF(0, 0, W, H), photo, QRectF(photo.rect()));
    return image;
}

// Maps the source into a W by H destination filled with the key colour, and hands the result
// back as an opaque image.
QImage MapOverKey(QImage source, int W, int H, const QuadCorners& corners,
                  const std::atomic<int>* run) {
    CRawBitmap raw;
    raw.Load(source);
    source = QImage(); // free it before the destination is made
    CRawBitmap destination;
    destination.Create(W, H);
    if (destination.IsEmpty())
        return QImage();
    for (int y = 0; y < H; ++y)
        std::fill_n(destination.StoredRow(y), W, kWarpKeyColour);
    CQuadMapper::MapQuad(destination, raw, run, corners);
    raw = CRawBitmap();
    return destination.ToImage(QImage::Format_RGB32);
}

} // namespace

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

WarpedPhoto BuildWarpedPhoto(const QImage& photo, int NW, int NH, int orientation, int position,
                             float o, const std::atomic<int>* run) {
    const int m = orientation == kPortrait ? 3 : 2;
    const int W = m * NW;
    const int H = m * NH;
    WarpedPhoto warped;
    QuadCorners corners;
    warped.lift = PhotoQuadCorners(double(o), orientation, position, W, H, corners);
    if (W <= 0 || H <= 0)
        return warped;
    warped.image = MapOverKey(Stretched(photo, W, H), W, H, corners, run);
    return warped;
}

QImage BuildWarpedReflection(const QImage& photo, int NW, int NH, int orientation, int position,
                             float o, COLORREF tint, const std::atomic<int>* run) {
    const int W = 2 * NW;
    const int H = 2 * NH;
    if (W <= 0 || H <= 0)
        return QImage();
    QImage material = Stretched(photo, W, H);
    BlurImage(material, 6.0);
    if (!Running(run))
        return QImage();
    {
        QPainter painter(&material);
        FillVerticalGradient(painter, QRectF(0, 0, W, H), QRectF(0, 0, W, H), ColorrefToArgb(tint),
                             0x00FFFFFFu);
    }
    QuadCorners corners;
    ReflectionQuadCorners(double(o), orientation, position, W, H, corners);
    return MapOverKey(std::move(material), W, H, corners, run);
}

} // namespace skyloom
