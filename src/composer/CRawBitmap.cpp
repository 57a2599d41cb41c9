#include "CRawBitmap.h"

#include <algorithm>
#include <cstring>

namespace skyloom {

void CRawBitmap::Create(int width, int height) {
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    const std::size_t count = std::size_t(m_width) * m_height;
    m_pixels.reset(count ? new std::uint32_t[count] : nullptr);
}

bool CRawBitmap::Load(const QImage& image) {
    m_pixels.reset();
    m_width = m_height = 0;
    if (image.isNull() || image.depth() <= 8)
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Create(argb.width(), argb.height());
    for (int y = 0; y < m_height; ++y)
        std::memcpy(StoredRow(m_height - 1 - y), argb.constScanLine(y), std::size_t(m_width) * 4);
    return true;
}

QImage CRawBitmap::ToImage(QImage::Format format) const {
    if (!m_pixels)
        return QImage();
    const bool opaque = format == QImage::Format_RGB32;
    QImage image(m_width, m_height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    for (int y = 0; y < m_height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        std::memcpy(row, StoredRow(m_height - 1 - y), std::size_t(m_width) * 4);
        if (opaque)
            for (int x = 0; x < m_width; ++x)
                row[x] |= 0xFF000000u;
    }
    return image;
}

std::size_t CRawBitmap::Offset(int x, int y) const {
    x = std::clamp(x, 0, m_width - 1);
    y = std::clamp(y, 0, m_height - 1);
    return std::size_t(m_height - 1 - y) * m_width + x;
}

std::uint32_t CRawBitmap::GetPixel(int x, int y) const {
    return m_pixels ? m_pixels[Offset(x, y)] : 0;
}

void CRawBitmap::SetPixel(int x, int y, std::uint32_t value) {
    if (m_pixels)
        m_pixels[Offset(x, y)] = value;
}

} // namespace skyloom
