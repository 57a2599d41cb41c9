#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace skyloom {

class CRawBitmap;

// The four corners of a quadrilateral in destination pixels (top-down), in the order top-left,
// top-right, bottom-right, bottom-left.
struct QuadCorners {
    int x[4] = {0, 0, 0, 0};
    int y[4] = {0, 0, 0, 0};
};

// Draws a source image into a four-cornered shape of a destination by inverting the bilinear
// patch the corners span, sampling the source's colour and alpha bilinearly in 8-bit fixed
// point. Pixels outside the shape, and its right and bottom edges, keep what the destination
// held. Rows are split across the cores; a cleared run flag stops the mapping within a row.
class CQuadMapper {
public:
    // Rows above firstRow are left alone, for a caller that will show only the rows below.
    // With clearTo, every pixel of the rows walked that the shape does not reach is set to that
    // value, which saves the caller a pass over the destination.
    static void MapQuad(CRawBitmap& destination, const CRawBitmap& source,
                        const std::atomic<int>* run, const QuadCorners& corners, int firstRow = 0,
                        std::optional<std::uint32_t> clearTo = std::nullopt);
};

} // namespace skyloom
