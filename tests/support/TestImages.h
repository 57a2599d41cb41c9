#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

namespace skyloom::test {

// The image encoded in a format ("JPEG", "PNG", ...) at a quality.
inline QByteArray Encoded(const QImage& image, const char* format, int quality = 95) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

// A JPEG with an EXIF block that carries the orientation tag (1 to 8), as cameras write it.
inline QByteArray WithExifOrientation(QByteArray jpeg, int orientation) {
    QByteArray tiff("II*\0\x08\0\0\0", 8);             // little-endian, first IFD at 8
    tiff += QByteArray("\x01\0", 2);                   // one entry
    tiff += QByteArray("\x12\x01\x03\0\x01\0\0\0", 8); // Orientation, SHORT, count 1
    tiff += char(orientation) + QByteArray(3, '\0');   // its value
    tiff += QByteArray(4, '\0');                       // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(payload.size()) + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    jpeg.insert(2, segment + payload); // right after the start-of-image marker
    return jpeg;
}

// Four quadrants: red top-left, green top-right, blue bottom-left, yellow bottom-right.
inline QImage Quadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           y < h / 2 ? (x < w / 2 ? 0xFFFF0000u : 0xFF00FF00u)
                                     : (x < w / 2 ? 0xFF0000FFu : 0xFFFFFF00u));
    return image;
}

// The image as a progressive JPEG.
inline QByteArray ProgressiveJpeg(const QImage& image) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    return jpeg;
}

// A real JPEG, baseline or progressive, whose frame header is changed to declare width x
// height; it holds the data of a 16x16 picture.
inline QByteArray JpegDeclaring(int width, int height, bool progressive = false) {
    QByteArray jpeg =
        progressive ? ProgressiveJpeg(Quadrants(16, 16)) : Encoded(Quadrants(16, 16), "JPEG");
    const qsizetype sof = jpeg.indexOf(progressive ? "\xFF\xC2" : "\xFF\xC0");
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

} // namespace skyloom::test
