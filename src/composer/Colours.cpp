#include "Colours.h"

namespace skyloom {

std::uint32_t ColorrefToArgb(COLORREF colorref) {
    return 0xFF000000u | std::uint32_t(RedOf(colorref)) << 16 |
           std::uint32_t(GreenOf(colorref)) << 8 | std::uint32_t(BlueOf(colorref));
}

} // namespace skyloom
