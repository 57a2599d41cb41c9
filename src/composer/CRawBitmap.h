#pragma once

#include <QImage>

#include <cstdint>

namespace skyloom {

// A 32-bit ARGB pixel buffer for software drawing. The accessors take top-down coordinates
// and clamp them to the picture, so a coordinate outside it reads or writes the nearest edge
// pixel. Rows are stored top-down in a QImage, so that loading an image and handing the result
// back share the pixels instead of copying them. The perspective mapper works on it directly.
class CRawBitmap {
public:
    // Negative sizes become 0. The pixels are left for the caller to fill.
    void Create(int width, int height);
    // Takes the image, widened to 32 bits per pixel; images of 8 bits per pixel or fewer are
    // refused and leave the bitmap empty. An image whose pixels are already 32-bit ARGB words
    // (RGB32, ARGB32 or premultiplied ARGB32) is shared as it is, in its own format.
    bool Load(const QImage& image);
    // The picture as ARGB32; the pixels are shared when they are kept in that format.
    QImage ToImage() const {
        return m_image.format() == QImage::Format_ARGB32
                   ? m_image
                   : m_image.convertToFormat(QImage::Format_ARGB32);
    }

    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t value);

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    bool IsEmpty() const { return m_image.isNull(); }
    // Row y of the picture, counted from the top.
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(m_image.scanLine(y)); }
    const std::uint32_t* Row(int y) const {
        return reinterpret_cast<const std::uint32_t*>(m_image.constScanLine(y));
    }

private:
    QImage m_image; // 32-bit ARGB words: RGB32, ARGB32 or premultiplied ARGB32
};

} // namespace skyloom
