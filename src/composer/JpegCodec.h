#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace skyloom {

// The size libjpeg decodes a JPEG of size raw to at a scale of eighths/8 (1 to 8).
QSize JpegScaledSize(const QSize& raw, int eighths);

// Decodes the JPEG file at path through libjpeg at a scale of eighths/8, straight into the
// rows of an opaque RGB32 picture made by NewImage (so a large one gets its own huge-page
// memory). Colour, greyscale and CMYK files alike; the EXIF orientation is not applied. A
// truncated file gives what it holds, the rest as libjpeg fills it; a null image when the file
// is not a JPEG libjpeg decodes or the picture does not fit the image limit.
QImage DecodeJpeg(const QString& path, int eighths = 8);

// The picture as a baseline JFIF file at the quality (0 to 100), its colour in 4:2:0 YCbCr and
// its resolution in the header, encoded through libjpeg from the picture's own rows: 32-bit
// pictures (RGB32, ARGB32 and premultiplied ARGB32, whose alpha is left out) as they are, other
// formats converted first. Empty when nothing could be encoded.
QByteArray EncodeJpeg(const QImage& image, int quality);

} // namespace skyloom
