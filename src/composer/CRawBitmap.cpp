#include "CRawBitmap.h"

#include "ImageToolkit.h"

#include <algorithm>

namespace skyloom {

void CRawBitmap::Create(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    m_image = NewImage(QSize(width, height), QImage::Format_ARGB32);
}

bool CRawBitmap::Load(const QImage& image) {
    m_image = QImage();
    if (image.isNull() || image.depth() <= 8)
        return false;
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        m_image = image;
        break;
    default:
        m_image = image.convertToFormat(QImage::Format_ARGB32);
        break;
    }
    return !m_image.isNull();
}

std::uint32_t CRawBitmap::GetPixel(int x, int y) const {
    if (m_image.isNull())
        return 0;
    return Row(std::clamp(y, 0, Height() - 1))[std::clamp(x, 0, Width() - 1)];
}

void CRawBitmap::SetPixel(int x, int y, std::uint32_t value) {
    if (!m_image.isNull())
        Row(std::clamp(y, 0, Height() - 1))[std::clamp(x, 0, Width() - 1)] = value;
}

} // namespace skyloom
