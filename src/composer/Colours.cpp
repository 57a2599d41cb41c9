#include "Colours.h"

namespace skyloom {

std::uint32_t ColorrefToArgb(std::uint32_t colorref) {
    const std::uint32_t red = colorref & 0xFF;
    const std::uint32_t green = (colorref >> 8) & 0xFF;
    const std::uint32_t blue = (colorref >> 16) & 0xFF;
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

} // namespace skyloom
