#pragma once

#include <atomic>

namespace skyloom {

class CRawBitmap;

// The four corners of a quadrilateral in destination pixels (top-down), in the order top-left,
// top-right, bottom-right, bottom-left.
struct QuadCorners {
    int x[4] = {0, 0, 0, 0};
    int y[4] = {0, 0, 0, 0};
};

// Draws a source image into a four-cornered shape of a destination by inverting the bilinear
// patch the corners span, sampling the source bilinearly in 8-bit fixed point. Pixels outside
// the shape, and its right and bottom edges, keep what the destination held. Rows are split
// across the cores; a cleared run flag stops the mapping within a pixel.
class CQuadMapper {
public:
    static void MapQuad(CRawBitmap& destination, const CRawBitmap& source,
                        const std::atomic<int>* run, const QuadCorners& corners);
};

} // namespace skyloom
