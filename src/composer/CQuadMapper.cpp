#include "CQuadMapper.h"

#include "CRawBitmap.h"
#include "ParallelRows.h"
#include "RunFlag.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace skyloom {
namespace {

std::uint32_t Channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

} // namespace

// The solve runs in double throughout, as on the x87 unit the shapes were tuned on, where
// intermediate values never lost precision; u and v are rounded to single before their range
// checks. The edges depend on it: a pixel on the right or bottom edge solves to u or v within
// a hair of 1, which rounds to exactly 1, so the edge keeps the key.
void CQuadMapper::MapQuad(CRawBitmap& dst, const CRawBitmap& src, const std::atomic<int>* run,
                          const QuadCorners& corners, int firstRow,
                          std::optional<std::uint32_t> clearTo) {
    if (dst.IsEmpty() || src.IsEmpty() || !Running(run))
        return;
    const int dstW = dst.Width();
    const int dstH = dst.Height();
    int cx[4];
    int cy[4];
    for (int i = 0; i < 4; ++i) {
        cx[i] = std::clamp(corners.x[i], 0, dstW - 1);
        cy[i] = std::clamp(corners.y[i], 0, dstH - 1);
    }
    const int minX = *std::min_element(cx, cx + 4);
    const int maxX = *std::max_element(cx, cx + 4);
    const int minY = *std::min_element(cy, cy + 4);
    const int maxY = *std::max_element(cy, cy + 4);
    const double bw = maxX - minX + 1;
    const double bh = maxY - minY + 1;

    // Corners scaled by the box size (not shifted by its origin).
    double X[4];
    double Y[4];
    for (int i = 0; i < 4; ++i) {
        X[i] = cx[i] / bw;
        Y[i] = cy[i] / bh;
    }
    const double e = Y[1] - Y[0];
    double f = Y[2] - Y[3];
    const double g = X[1] - X[0];
    const double h = ((X[2] - X[3]) - X[1]) + X[0];
    double kk = (f - Y[1]) + Y[0];
    double A = e * h - g * kk;
    if (int(A * 1000000.0) == 0) {
        // A parallelogram would make the equation linear; solve it as if the bottom-right
        // corner lay one pixel lower.
        f = (Y[2] + 1.0 / bh) - Y[3];
        kk = (f - Y[1]) + Y[0];
        A = e * h - g * kk;
    }
    const double r = 1.0 / (A * 2.0);
    const int srcW = src.Width();
    const int srcH = src.Height();

    const int top = std::max(minY, firstRow);
    ParallelRows(maxY - top + 1, [&](int first, int last) {
        for (int i = top + first; i < top + last; ++i) {
            if (!Running(run))
                return;
            const double py = i * (1.0 / bh) - Y[0];
            std::uint32_t* target = dst.Row(i);
            if (clearTo)
                std::fill_n(target, dstW, *clearTo);
            for (int j = minX; j <= maxX; ++j) {
                if (!Running(run))
                    return;
                const double px = j * (1.0 / bw) - X[0];
                const double B = kk * px - (Y[3] - Y[0]) * g - h * py + (X[3] - X[0]) * e;
                const double Q = (Y[3] - Y[0]) * px - (X[3] - X[0]) * py;
                const double D = B * B - Q * A * 4.0;
                if (D < 0)
                    continue;
                const double ud = (-B - std::sqrt(D)) * r;
                if (ud < 0)
                    continue;
                const float u = float(ud);
                if (u >= 1.0f)
                    continue;
                const float v = float((py - e * u) / (((f * u + Y[3]) - Y[0]) - e * u));
                if (!(v >= 0.0f) || v >= 1.0f)
                    continue;

                // The source point in 8-bit fixed point.
                const float sx = float(srcW) * u;
                const float sy = float(srcH) * v;
                const int ix = int(sx);
                const int iy = int(sy);
                const int fx = int(256.0f * sx) - 256 * ix;
                const int fy = int(256.0f * sy) - 256 * iy;
                // u and v lie below 1, so ix and iy lie inside the source; the neighbours past
                // the last column or row fall back to p00.
                const bool lastColumn = ix >= srcW - 1;
                const bool lastRow = iy >= srcH - 1;
                const std::uint32_t* row = src.Row(iy);
                const std::uint32_t* below = lastRow ? row : src.Row(iy + 1);
                const std::uint32_t p00 = row[ix];
                const std::uint32_t p10 = lastColumn ? p00 : row[ix + 1];
                const std::uint32_t p01 = lastRow ? p00 : below[ix];
                const std::uint32_t p11 = lastColumn || lastRow ? p00 : below[ix + 1];
                const int w00 = ((256 - fx) * (256 - fy)) >> 8;
                const int w10 = (fx * (256 - fy)) >> 8;
                const int w01 = ((256 - fx) * fy) >> 8;
                const int w11 = (fx * fy) >> 8;
                // Colour and alpha alike, so the shape keeps the photo's own transparency and
                // everything outside it stays fully transparent.
                std::uint32_t out = 0;
                for (int shift : {24, 16, 8, 0}) {
                    const std::uint32_t value =
                        (Channel(p00, shift) * w00 + Channel(p10, shift) * w10 +
                         Channel(p01, shift) * w01 + Channel(p11, shift) * w11) >>
                        8;
                    out |= (value & 0xFF) << shift;
                }
                target[j] = out;
            }
        }
    });
}

} // namespace skyloom
