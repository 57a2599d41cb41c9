#include "CWallpaperComposer.h"

#include "ImageToolkit.h"
#include "ParallelRows.h"
#include "PerspectiveWarp.h"
#include "RunFlag.h"

#include <QPainter>

#include <cmath>
#include <cstring>

namespace skyloom {
namespace {

int MadeEven(int n) {
    return n % 2 != 0 ? n - 1 : n;
}

// The photo's colours as drawn: greyscale or not, with an opacity.
ColorMatrix PhotoMatrix(bool grayscale, float alpha) {
    ColorMatrix m = ColorMatrix::Identity();
    if (grayscale) {
        const float weights[3] = {0.299f, 0.587f, 0.114f};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                m.m[row][column] = weights[row];
    }
    m.m[3][3] = alpha;
    return m;
}

// The colour the reflection fades into: the solid background colour, or the mean of count
// background pixels from column X on, walking down from startRow and back to wrapRow whenever
// the walk reaches TH. Pixels off the canvas count as black.
COLORREF ReflectionTint(const QImage& canvas, const BackgroundSettings& background, int X,
                        int count, int startRow, int wrapRow, int TH) {
    if (background.type == kSolidBackground || count <= 0)
        return background.solidColor;
    quint32 red = 0, green = 0, blue = 0;
    int row = startRow;
    for (int k = 0; k < count; ++k) {
        const QRgb p = ReadPixel(canvas, X + k, row);
        red += quint32(qRed(p));
        green += quint32(qGreen(p));
        blue += quint32(qBlue(p));
        if (++row >= TH)
            row = wrapRow;
    }
    const quint32 n = quint32(count);
    return (red / n) | (green / n) << 8 | (blue / n) << 16;
}

// The largest factor, at most preferred, at which copies images of base times that size fit
// the image limit together; 0 when not even the base size does.
int FittingFactor(const QSize& base, int preferred, int copies = 1) {
    for (int factor = preferred; factor > 0; --factor)
        if (FitsImageLimit(QSize(base.width() * factor * copies, base.height() * factor)))
            return factor;
    return 0;
}

// A drawn size in whole pixels; 0 (nothing is drawn) for a size no screen could show, so
// that a photo whose header claims absurd proportions overflows nothing.
int DrawnPixels(double size) {
    constexpr double kLargest = 1 << 20;
    return size >= 0 && size <= kLargest ? int(size) : 0;
}

float ReflectionOpacity(const BackgroundSettings& background, COLORREF tint) {
    if (background.type == kSolidBackground)
        return 0.35f;
    return tint < 0x7F7F7Fu ? 0.75f : 0.45f;
}

} // namespace

bool IsThreeDPosition(int position) {
    switch (position) {
    case kFarLeft3D:
    case kLeft3D:
    case kCenterLeft3D:
    case kCenterRight3D:
    case kRight3D:
    case kFarRight3D:
        return true;
    default:
        return false;
    }
}

int PhotoLeft(int position, int SW, int DW) {
    switch (position) {
    case kFarLeft:
    case kFarLeft3D:
        return 0;
    case kLeft:
    case kLeft3D:
        return SW / 3 - DW / 2;
    case kRight3D:
    case kRight:
        return (SW / 3) * 2 - DW / 2;
    case kFarRight3D:
    case kFarRight:
        return SW - DW;
    default:
        return SW / 2 - DW / 2;
    }
}

ImageAttributes PhotoAttributes(bool grayscale, float alpha) {
    ImageAttributes attributes;
    attributes.matrix = PhotoMatrix(grayscale, alpha);
    return attributes;
}

OrientationOptions OptionsFor(const RenderOptions& o, int orientation) {
    const bool portrait = orientation == kPortrait;
    OrientationOptions options;
    options.position = portrait ? o.portraitPosition : o.landscapePosition;
    // Scale and transparency as the settings pages can set them, whatever the file held.
    options.scale = std::clamp(portrait ? o.portraitScale : o.landscapeScale, 50, 100);
    options.transparency =
        std::clamp(portrait ? o.portraitTransparency : o.landscapeTransparency, 0, 90);
    options.grayscale = portrait ? o.portraitGrayscale : o.landscapeGrayscale;
    return options;
}

int OrientationOf(const QSize& size) {
    return size.width() < size.height() ? kPortrait : kLandscape;
}

PhotoLayout LayoutPhoto(const QSize& screen, const QSize& photo, int orientation,
                        const RenderOptions& o) {
    const bool portrait = orientation == kPortrait;
    const int SW = screen.width();
    const int SH = screen.height();
    const int PW = photo.width();
    const int PH = photo.height();
    const OrientationOptions options = OptionsFor(o, orientation);
    PhotoLayout l;
    l.position = options.position;
    l.threeD = IsThreeDPosition(l.position);
    l.scale = options.scale;
    l.grayscale = options.grayscale;
    const int transparency = options.transparency;

    // Sizes in the precision the layouts were tuned in: single where noted, else double.
    l.TH = int(SH * (l.scale * 0.01));
    float s;
    if (portrait) {
        s = float(double(l.TH) / PH);
    } else {
        const int TW = int(SW * (l.scale * 0.01));
        const float sW = float(TW) / float(PW);
        const float sH = float(double(l.TH) / PH);
        s = sW > sH && !l.threeD ? sW : sH;
    }
    l.NW = DrawnPixels(float(PW) * s);
    l.NH = MadeEven(DrawnPixels(double(PH) * double(s)));

    l.Y = SH / 2 - l.NH / 2;
    if (!l.threeD)
        l.DW = l.NW;
    else if (portrait)
        l.DW = int(float(l.NW) * 0.7f);
    else
        l.DW = int(l.NW * 0.6);
    l.X = PhotoLeft(l.position, SW, l.DW);
    // With the glass reflection the photo is always opaque.
    l.alpha = o.glassReflection ? 1.0f : float((100 - transparency) * 0.01);
    return l;
}

QImage ComposeCanvas(const QString& photoPath, int orientation, const RenderOptions& options,
                     const QImage& background, const std::atomic<int>* run, bool* photoDrawn) {
    *photoDrawn = false;
    if (!Running(run) || !FitsImageLimit(background.size()))
        return QImage();
    // Copied by rows across the cores: a fresh screen-sized buffer costs more in first touches
    // of its memory than in the copying itself.
    const QImage source = background.convertToFormat(QImage::Format_RGB32);
    QImage canvas = NewImage(source.size(), QImage::Format_RGB32);
    if (canvas.isNull())
        return QImage();
    ParallelRows(canvas.height(), [&](int first, int last) {
        for (int y = first; y < last; ++y)
            std::memcpy(canvas.scanLine(y), source.constScanLine(y),
                        std::size_t(source.bytesPerLine()));
    });
    const QSize photoSize = ReadImageSize(photoPath);
    if (photoSize.isEmpty())
        return canvas;
    const PhotoLayout l = LayoutPhoto(canvas.size(), photoSize, orientation, options);
    if (!Running(run))
        return QImage();
    if (l.NW <= 0 || l.NH <= 0)
        return canvas;

    // The warp and the reflections are made at a few times the drawn size, less for a photo so
    // wide that they would not fit the image limit; a 3-D photo that cannot be warped at all is
    // not drawn.
    const QSize drawn(l.NW, l.NH);
    const bool glass = options.glassReflection != 0;
    const int supersampling = l.threeD ? FittingFactor(drawn, WarpSupersampling(orientation)) : 1;
    // A turned reflection has its material and its warp alive at once.
    const int reflectionScale = FittingFactor(drawn, 2, l.threeD ? 2 : 1);
    if (supersampling == 0)
        return canvas;
    // Decode no more than the largest size the photo is drawn at: the supersampled warp, or
    // the drawn size. (The flat reflection is made at twice the drawn size but blurred by 6
    // pixels there, which leaves no detail finer than the drawn size holds.)
    const QImage photo = DecodeImageCovering(photoPath, drawn * supersampling);
    if (photo.isNull())
        return canvas;
    *photoDrawn = true;

    const BackgroundSettings& bg = options.background;
    // The warped shapes carry their transparent surround in alpha, so nothing needs a key.
    const ImageAttributes main = PhotoAttributes(l.grayscale, l.alpha);
    if (!Running(run))
        return QImage();
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);

    if (l.threeD) {
        const int H95 = MadeEven(int(l.NH * 0.95));
        const float o = orientation == kPortrait ? 0.7f : 1.0f;
        // LIFT as the warp at its usual supersampling gives it, whatever size the warp is made
        // at here.
        QuadCorners unused;
        const int usual = WarpSupersampling(orientation);
        const int lift = PhotoQuadCorners(double(o), orientation, l.position, usual * l.NW,
                                          usual * l.NH, unused);
        // The reflection is made, drawn and let go before the warp is made, so that the two
        // never take memory at the same time. The turned reflection is drawn NH high from just
        // under the photo; only its rows that reach the screen are mapped and drawn (the bottom
        // rows of the unturned reflection, which is made at twice the drawn size), with a few to
        // spare for the resampling.
        const int top = l.Y + l.NH - lift - (orientation == kPortrait ? 0 : 1);
        const int onScreen = std::min(l.NH, canvas.height() - top);
        const int r = reflectionScale;
        if (glass && onScreen > 0 && r > 0) {
            const COLORREF tint = ReflectionTint(canvas, bg, l.X, 2 * l.DW, l.Y + l.NH + H95 / 2,
                                                 l.Y + l.NH + H95 / 4, l.TH);
            const int rows = std::min(r * l.NH, r * (onScreen + 4));
            const QImage reflection = BuildWarpedReflection(
                photo, l.NW, l.NH, orientation, l.position, o, tint, run, r * l.NH - rows, r);
            if (!Running(run))
                return QImage();
            if (!reflection.isNull()) {
                const ImageAttributes attributes =
                    PhotoAttributes(l.grayscale, ReflectionOpacity(bg, tint));
                // The rows drawn are read through a view of the reflection, not a copy.
                const QImage shown(reflection.constScanLine(r * l.NH - rows), reflection.width(),
                                   rows, reflection.bytesPerLine(), reflection.format());
                const QImage flipped = FlipUpsideDown(shown);
                DrawImage(painter, QRectF(l.X, top, l.DW, rows / r), flipped,
                          QRectF(flipped.rect()), &attributes);
            }
        }
        const WarpedPhoto warped =
            BuildWarpedPhoto(photo, l.NW, l.NH, orientation, l.position, o, run, supersampling);
        // Cancelled, or out of memory with the reflection already drawn: nothing to show.
        if (!Running(run) || warped.image.isNull())
            return QImage();
        DrawImage(painter, QRectF(l.X, l.Y, l.DW, l.NH), warped.image, QRectF(warped.image.rect()),
                  &main);
    } else {
        // The reflection is drawn trunc(NH x 0.95) high under the photo; only the rows that
        // reach the screen are made. Those are the top rows of the turned reflection, that is
        // the bottom rows of the material, with a few rows to spare for the resampling.
        const int reflectionHeight = int(l.NH * 0.95);
        const int onScreen = std::min(reflectionHeight, canvas.height() - (l.Y + l.NH));
        const int r = reflectionScale;
        if (glass && onScreen > 0 && reflectionHeight > 0 && r > 0) {
            const int needed = int(std::ceil(double(onScreen) * l.NH / reflectionHeight)) + 4;
            const int firstShrunkRow = std::max(0, l.NH - needed);
            const COLORREF tint = ReflectionTint(canvas, bg, l.X, 2 * l.NW, l.Y + l.NH + l.NH / 2,
                                                 l.Y + l.NH + l.NH / 4, l.TH);
            // Made at half its usual scale, the material is blurred half as far, so that the
            // reflection looks the same.
            const QImage material = ReflectionMaterial(photo, drawn * r, tint, r * firstShrunkRow,
                                                       kReflectionBlur * r / 2);
            if (!Running(run))
                return QImage();
            if (!material.isNull()) {
                // Shrunk through the photo's own colours (so greyscale applies to it too), turned
                // upside down and drawn under the photo, scaled to trunc(NH x 0.95) rows for NH:
                // all of it for the band of rows that reaches the screen.
                const int bandRows = l.NH - firstShrunkRow;
                QImage shrunk(l.NW, bandRows, QImage::Format_ARGB32_Premultiplied);
                shrunk.fill(Qt::transparent);
                QPainter shrink(&shrunk);
                DrawImage(shrink, QRectF(shrunk.rect()), material,
                          QRectF(0, r * firstShrunkRow, r * l.NW, r * bandRows), &main);
                shrink.end();
                const ImageAttributes attributes =
                    PhotoAttributes(l.grayscale, ReflectionOpacity(bg, tint));
                const QImage flipped = FlipUpsideDown(shrunk);
                DrawImage(painter,
                          QRectF(l.X, l.Y + l.NH, l.NW, double(bandRows) * reflectionHeight / l.NH),
                          flipped, QRectF(flipped.rect()), &attributes);
            }
        }
        if (!Running(run))
            return QImage();
        DrawImage(painter, QRectF(l.X, l.Y, l.NW, l.NH), photo, QRectF(photo.rect()), &main);
    }
    return canvas;
}

ComposeResult ComposeWallpaper(const QString& photoPath, int orientation,
                               const RenderOptions& options, const QImage& background,
                               const QString& wallpaperPath, const std::atomic<int>* run,
                               const std::function<void(const QString&)>& apply) {
    bool photoDrawn = false;
    const QImage canvas =
        ComposeCanvas(photoPath, orientation, options, background, run, &photoDrawn);
    if (!Running(run))
        return ComposeResult::Cancelled;
    if (canvas.isNull())
        return ComposeResult::NoCanvas;
    // The wallpaper only ever changes to a photo: without one the old picture stays.
    if (!photoDrawn)
        return ComposeResult::PhotoUnreadable;
    // A failed save leaves the previous file, and the desktop is left showing it.
    if (!SaveImage(canvas, wallpaperPath, "image/jpeg", 100))
        return ComposeResult::NotSaved;
    if (!Running(run))
        return ComposeResult::Cancelled;
    if (apply)
        apply(wallpaperPath);
    return ComposeResult::Applied;
}

} // namespace skyloom
