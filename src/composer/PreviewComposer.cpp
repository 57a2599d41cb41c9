#include "PreviewComposer.h"

#include "CBackgroundRenderer.h"
#include "CWallpaperComposer.h"
#include "ImageToolkit.h"
#include "PerspectiveWarp.h"
#include "RunFlag.h"

#include <QPainter>

#include <algorithm>

namespace skyloom {
namespace {

// The reflection under a previewed photo is always drawn at 45 %.
constexpr float kPreviewReflectionOpacity = 0.45f;

// The mean colour of count pixels of one row from column X on; pixels off the image count as
// black. Without pixels to average, the solid colour.
COLORREF RowTint(const QImage& image, int X, int count, int row, COLORREF fallback) {
    if (count <= 0)
        return fallback;
    quint32 red = 0, green = 0, blue = 0;
    for (int k = 0; k < count; ++k) {
        const QRgb p = ReadPixel(image, X + k, row);
        red += quint32(qRed(p));
        green += quint32(qGreen(p));
        blue += quint32(qBlue(p));
    }
    const quint32 n = quint32(count);
    return (red / n) | (green / n) << 8 | (blue / n) << 16;
}

// The whole image drawn through the attributes into a transparent image of the size.
QImage DrawnThrough(const QImage& image, const QSize& size, const ImageAttributes& attributes) {
    QImage layer = NewImage(size, QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull())
        return layer;
    layer.fill(Qt::transparent);
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    DrawImage(painter, QRectF(layer.rect()), image, QRectF(image.rect()), &attributes);
    return layer;
}

bool SameBackground(const BackgroundSettings& a, const BackgroundSettings& b) {
    return a.type == b.type && a.solidColor == b.solidColor && a.gradientStart == b.gradientStart &&
           a.gradientEnd == b.gradientEnd && a.gradientDirection == b.gradientDirection &&
           a.gradientTransform == b.gradientTransform && a.image == b.image &&
           a.imageStyle == b.imageStyle;
}

bool SameOptions(const RenderOptions& a, const RenderOptions& b) {
    return SameBackground(a.background, b.background) && a.portraitPosition == b.portraitPosition &&
           a.portraitScale == b.portraitScale && a.portraitTransparency == b.portraitTransparency &&
           a.portraitGrayscale == b.portraitGrayscale &&
           a.landscapePosition == b.landscapePosition && a.landscapeScale == b.landscapeScale &&
           a.landscapeTransparency == b.landscapeTransparency &&
           a.landscapeGrayscale == b.landscapeGrayscale && a.glassReflection == b.glassReflection;
}

} // namespace

bool PreviewScene::operator==(const PreviewScene& other) const {
    return SameOptions(options, other.options) && photoMode == other.photoMode &&
           portraitSample.cacheKey() == other.portraitSample.cacheKey() &&
           landscapeSample.cacheKey() == other.landscapeSample.cacheKey() &&
           shownOrientation == other.shownOrientation && screen == other.screen &&
           size == other.size && imageVersion == other.imageVersion;
}

bool PreviewScene::SameBackground(const PreviewScene& other) const {
    return skyloom::SameBackground(options.background, other.options.background) &&
           screen == other.screen && size == other.size && imageVersion == other.imageVersion;
}

PhotoLayout LayoutPreviewPhoto(const QSize& size, const QSize& photo, int orientation,
                               const RenderOptions& o) {
    const bool portrait = orientation == kPortrait;
    const int W = size.width();
    const int H = size.height();
    const int PW = photo.width();
    const int PH = photo.height();
    const OrientationOptions options = OptionsFor(o, orientation);
    PhotoLayout l;
    l.position = options.position;
    l.threeD = IsThreeDPosition(l.position);
    l.scale = options.scale;
    l.grayscale = options.grayscale;
    const int transparency = options.transparency;
    if (PW <= 0 || PH <= 0)
        return l;
    l.TH = int(H * (l.scale * 0.01));
    float s;
    if (portrait) {
        s = float(double(l.TH) / PH);
    } else {
        // The larger factor at every position: the photo covers its whole box.
        const int TW = int(W * (l.scale * 0.01));
        s = std::max(float(TW) / float(PW), float(double(l.TH) / PH));
    }
    l.NW = std::min(int(float(PW) * s), W);
    l.NH = int(double(PH) * double(s));
    l.Y = H / 2 - l.NH / 2;
    if (!l.threeD)
        l.DW = l.NW;
    else if (portrait)
        l.DW = int(float(l.NW) * 0.65f);
    else
        l.DW = int(l.NW * 0.55);
    l.X = PhotoLeft(l.position, W, l.DW);
    // Transparencies up to 30 look opaque here.
    l.alpha = o.glassReflection ? 1.0f : std::min(1.0f, float((130 - transparency) * 0.01));
    return l;
}

QImage RenderPreviewBackground(const PreviewScene& scene) {
    const BackgroundSettings& bg = scene.options.background;
    QImage background;
    switch (bg.type) {
    case kSolidBackground:
        // A solid colour shrunk from the screen's size is the same colour at this size.
        background = CBackgroundRenderer::RenderSolidBackground(bg.solidColor, scene.size);
        break;
    case kImageBackground:
        background =
            CBackgroundRenderer::RenderImageBackground(bg.imageStyle, bg.image, scene.screen);
        break;
    default:
        background =
            CBackgroundRenderer::RenderGradient(scene.size, bg.gradientStart, bg.gradientEnd,
                                                bg.gradientDirection, bg.gradientTransform);
        break;
    }
    if (background.isNull())
        background = CBackgroundRenderer::RenderSolidBackground(0xFFFFFF, scene.size);
    return background;
}

QImage ComposeBackgroundPreview(const PreviewScene& scene) {
    const BackgroundSettings& bg = scene.options.background;
    QImage canvas = NewImage(scene.size, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return canvas;
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    const QRect rect = canvas.rect();
    switch (bg.type) {
    case kSolidBackground:
        painter.fillRect(rect, QColor::fromRgba(ColorrefToArgb(bg.solidColor)));
        break;
    case kGradientBackground:
        CBackgroundRenderer::PaintGradient(painter, rect, bg.gradientStart, bg.gradientEnd,
                                           bg.gradientDirection, bg.gradientTransform);
        break;
    case kImageBackground:
        CBackgroundRenderer::PaintImage(painter, rect, bg.image, bg.imageStyle, scene.screen);
        break;
    default:
        break;
    }
    return canvas;
}

QImage ComposePhotoPreview(const PreviewScene& scene, const QImage& background,
                           const std::atomic<int>* run) {
    if (!Running(run))
        return QImage();
    QImage canvas = NewImage(scene.size, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return canvas;
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    DrawImage(painter, QRectF(canvas.rect()), background, QRectF(background.rect()));

    const int orientation = scene.shownOrientation == kLandscape ? kLandscape : kPortrait;
    const QImage& sample = orientation == kPortrait ? scene.portraitSample : scene.landscapeSample;
    const RenderOptions& o = scene.options;
    const PhotoLayout l = LayoutPreviewPhoto(canvas.size(), sample.size(), orientation, o);
    if (sample.isNull() || l.NW <= 0 || l.NH <= 0)
        return canvas;
    const bool glass = o.glassReflection != 0;
    const ImageAttributes main = PhotoAttributes(l.grayscale, l.alpha);
    const ImageAttributes reflection = PhotoAttributes(l.grayscale, kPreviewReflectionOpacity);
    const BackgroundSettings& bg = o.background;
    // The tint is read from the background in its own pixels, whatever its size.
    const auto tintOver = [&](int count) {
        return bg.type == kSolidBackground
                   ? bg.solidColor
                   : RowTint(background, l.X, count, l.Y + l.NH, bg.solidColor);
    };
    if (l.threeD) {
        const float depth = orientation == kPortrait ? 0.65f : 1.0f;
        const WarpedPhoto warped = BuildWarpedPhoto(sample, l.NW, l.NH, orientation, l.position,
                                                    depth, run, WarpSupersampling(orientation));
        if (!Running(run))
            return QImage();
        // A photo that could not be turned is drawn without its reflection too.
        if (glass && !warped.image.isNull()) {
            const QImage turned = BuildWarpedReflection(sample, l.NW, l.NH, orientation, l.position,
                                                        depth, tintOver(l.DW), run);
            if (!Running(run))
                return QImage();
            if (!turned.isNull()) {
                const QImage flipped =
                    FlipUpsideDown(DrawnThrough(turned, QSize(l.DW, l.NH), main));
                const int top = l.Y + l.NH - warped.lift - (orientation == kPortrait ? 2 : 0);
                DrawImage(painter, QRectF(l.X, top, l.DW, int(l.NH * 0.95)), flipped,
                          QRectF(flipped.rect()), &reflection);
            }
        }
        if (!warped.image.isNull()) {
            // Drawn through the attributes twice: once into its own layer, then onto the canvas.
            const QImage layer = DrawnThrough(warped.image, QSize(l.DW, l.NH), main);
            DrawImage(painter, QRectF(l.X, l.Y, l.DW, l.NH), layer, QRectF(layer.rect()), &main);
        }
    } else {
        if (glass) {
            const QImage material =
                ReflectionMaterial(sample, QSize(2 * l.NW, 2 * l.NH), tintOver(l.NW), 0);
            if (!material.isNull()) {
                const QImage flipped =
                    FlipUpsideDown(DrawnThrough(material, QSize(l.NW, l.NH), main));
                DrawImage(painter, QRectF(l.X, l.Y + l.NH, l.NW, l.NH), flipped,
                          QRectF(flipped.rect()), &reflection);
            }
        }
        if (!Running(run))
            return QImage();
        DrawImage(painter, QRectF(l.X, l.Y, l.NW, l.NH), sample, QRectF(sample.rect()), &main);
    }
    return canvas;
}

QImage ComposePreview(const PreviewScene& scene, const std::atomic<int>* run) {
    if (!scene.photoMode)
        return ComposeBackgroundPreview(scene);
    return ComposePhotoPreview(scene, RenderPreviewBackground(scene), run);
}

} // namespace skyloom
