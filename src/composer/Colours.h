#pragma once

#include <cstdint>

namespace skyloom {

// Settings keep colours as COLORREF (red in the low byte, then green, then blue); pixels,
// brushes and colour keys are ARGB (alpha in the high byte, blue in the low byte).
std::uint32_t ColorrefToArgb(std::uint32_t colorref);

} // namespace skyloom
