#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

class QPainter;

namespace skyloom {

// The most memory one image may take, decoded or made. Larger pictures are decoded scaled down
// where the format allows it (JPEG) and refused otherwise; the composer never makes a larger one.
inline constexpr int kImageLimitMiB = 256;

// True when an image of this size with 32-bit pixels is not empty and fits kImageLimitMiB.
bool FitsImageLimit(const QSize& size);

// A new image of the size and a 32-bit format; null when it would not fit kImageLimitMiB.
QImage NewImage(const QSize& size, QImage::Format format);

// Decodes a JPEG, BMP, PNG or TIFF file by its content (whatever its name says), with the
// EXIF orientation applied. A null image when the file cannot be decoded.
QImage DecodeImage(const QString& path);

// Like DecodeImage, but a JPEG is decoded at the smallest reduced scale (1/2, 1/4 or 1/8) that
// still covers the needed size, given the way the picture is shown (orientation applied).
// Other formats are decoded whole. A JPEG whose decoder would hold more than kImageLimitMiB,
// whatever the scale, is refused before anything is allocated.
QImage DecodeImageCovering(const QString& path, const QSize& needed);

// The picture's width and height as shown (orientation applied), read from the file's header
// without decoding it; an empty size when the file cannot be read.
QSize ReadImageSize(const QString& path);

// A 5x5 colour matrix in the classic convention: row i holds what input channel i (red, green,
// blue, alpha, then a constant 1) adds to each output column (red, green, blue, alpha, unused).
struct ColorMatrix {
    std::array<std::array<float, 5>, 5> m{};
    static ColorMatrix Identity();
};

// A range of colours drawn fully transparent; red, green and blue are compared, alpha is not.
struct ColorKey {
    QRgb low = 0;
    QRgb high = 0;
};

// What is done to a source image's colours as it is drawn: colour keys first, on the source's
// own colours, then the colour matrix.
struct ImageAttributes {
    std::optional<ColorMatrix> matrix;
    std::optional<ColorKey> key;
};

// The source image with the attributes applied, as non-premultiplied ARGB32.
QImage ApplyAttributes(const QImage& source, const ImageAttributes& attributes);

// Draws the source rectangle of an image into the target rectangle, resampled smoothly, with
// optional attributes. A target too large for kImageLimitMiB is drawn only where it meets the
// painter's device.
void DrawImage(QPainter& painter, const QRectF& target, const QImage& source,
               const QRectF& sourceRect, const ImageAttributes* attributes = nullptr);

// The whole image resampled smoothly to the size, as premultiplied ARGB32; null for a size
// beyond kImageLimitMiB.
QImage StretchImage(const QImage& image, const QSize& size);

// A Gaussian blur that reaches radius pixels (sigma = radius / 3, where the curve has fallen to
// about 1 %), applied separably; the edges repeat their own pixels rather than grow the image.
// With firstRow, only the rows from there down are blurred (reading the rows just above), and
// they come out exactly as a blur of the whole image gives them.
void BlurImage(QImage& image, double radius = 6.0, int firstRow = 0);

// Fills an area with a vertical linear gradient: start at the top edge of brushRect, end at its
// bottom edge, repeating above and below it.
void FillVerticalGradient(QPainter& painter, const QRectF& area, const QRectF& brushRect,
                          QRgb start, QRgb end);

// The same over a whole premultiplied ARGB32 image, blending each row's colour over it; with
// firstRow, only the rows from there down.
void FillVerticalGradient(QImage& image, QRgb start, QRgb end, int firstRow = 0);

// The image upside down, left and right unchanged.
QImage FlipUpsideDown(const QImage& image);

// The pixel as ARGB; opaque black for a coordinate outside the image.
QRgb ReadPixel(const QImage& image, int x, int y);

// The index of the installed image writer for exactly this MIME type (letter case counts), or
// -1 when there is none.
int GetEncoderIndex(const QByteArray& mimeType);

// Encodes the image with the writer for the MIME type (quality 0-100, or -1 for the writer's
// default) and replaces the file atomically. False when nothing was written.
bool SaveImage(const QImage& image, const QString& path, const QByteArray& mimeType,
               int quality = -1);

} // namespace skyloom
