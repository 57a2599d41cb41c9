#pragma once

#include <cstdint>

namespace skyloom {

// Settings keep colours as COLORREF (red in the low byte, then green, then blue; the high byte
// 0); pixels, brushes and colour keys are ARGB (alpha in the high byte, blue in the low byte).
using COLORREF = std::uint32_t;

inline int RedOf(COLORREF c) {
    return int(c & 0xFF);
}
inline int GreenOf(COLORREF c) {
    return int((c >> 8) & 0xFF);
}
inline int BlueOf(COLORREF c) {
    return int((c >> 16) & 0xFF);
}

// The colour made opaque: 0xFF000000 | red << 16 | green << 8 | blue.
std::uint32_t ColorrefToArgb(COLORREF colorref);

} // namespace skyloom
