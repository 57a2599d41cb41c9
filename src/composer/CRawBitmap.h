#pragma once

#include <QImage>

#include <cstdint>
#include <memory>

namespace skyloom {

// A plain 32-bit pixel buffer laid out like a bitmap file in memory: rows are stored bottom-up
// (stored row 0 is the picture's bottom row), each pixel an ARGB word. The accessors take
// top-down coordinates and clamp them to the picture, so a coordinate outside it reads or
// writes the nearest edge pixel. The perspective mapper works on it directly.
class CRawBitmap {
public:
    // Negative sizes become 0. The pixels are left for the caller to fill.
    void Create(int width, int height);
    // Takes a copy of the image, widened to 32 bits per pixel; images of 8 bits per pixel or
    // fewer are refused and leave the bitmap empty.
    bool Load(const QImage& image);
    // The picture as a top-down image: ARGB32 as stored, or RGB32 with the alpha byte ignored
    // (set opaque), as a bitmap without alpha is read.
    QImage ToImage(QImage::Format format = QImage::Format_ARGB32) const;

    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t value);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return !m_pixels; }
    // Stored row r (r = 0 is the bottom row of the picture).
    std::uint32_t* StoredRow(int r) { return m_pixels.get() + std::size_t(r) * m_width; }
    const std::uint32_t* StoredRow(int r) const {
        return m_pixels.get() + std::size_t(r) * m_width;
    }

private:
    std::size_t Offset(int x, int y) const;

    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<std::uint32_t[]> m_pixels;
};

} // namespace skyloom
