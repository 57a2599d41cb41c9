#include "CQuadMapper.h"

#include "CRawBitmap.h"
#include "ParallelRows.h"
#include "RunFlag.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace skyloom {
namespace {

// What the solve of one pixel needs, copied into the worker so that the loop keeps it in
// registers.
struct Patch {
    double X[4];
    double Y[4];
    double bw, bh, e, f, g, h, kk, A, r;
    int srcW, srcH;
    // The source's first row and the distance between rows, in pixels: its rows are found by
    // arithmetic rather than a call for every pixel.
    const std::uint32_t* srcPixels;
    std::ptrdiff_t srcStride;
};

// Bilinear mix of four pixels in 8-bit fixed point, two channels at a time: red and blue in
// one word, alpha and green in another. The weights add up to at most 256, so no channel's sum
// spills into its neighbour and each comes out as (sum >> 8) & 0xFF would give it alone.
inline std::uint32_t Mix(std::uint32_t p00, std::uint32_t p10, std::uint32_t p01, std::uint32_t p11,
                         std::uint32_t w00, std::uint32_t w10, std::uint32_t w01,
                         std::uint32_t w11) {
    constexpr std::uint32_t kLanes = 0x00FF00FFu;
    const std::uint32_t rb =
        (p00 & kLanes) * w00 + (p10 & kLanes) * w10 + (p01 & kLanes) * w01 + (p11 & kLanes) * w11;
    const std::uint32_t ag = ((p00 >> 8) & kLanes) * w00 + ((p10 >> 8) & kLanes) * w10 +
                             ((p01 >> 8) & kLanes) * w01 + ((p11 >> 8) & kLanes) * w11;
    return ((rb >> 8) & kLanes) | (ag & ~kLanes);
}

// Maps the pixels minX to maxX of destination row i.
void MapRow(const Patch p, std::uint32_t* target, int i, int minX, int maxX) {
    const double* X = p.X;
    const double* Y = p.Y;
    const double py = i * (1.0 / p.bh) - Y[0];
    for (int j = minX; j <= maxX; ++j) {
        const double px = j * (1.0 / p.bw) - X[0];
        const double B = p.kk * px - (Y[3] - Y[0]) * p.g - p.h * py + (X[3] - X[0]) * p.e;
        const double Q = (Y[3] - Y[0]) * px - (X[3] - X[0]) * py;
        const double D = B * B - Q * p.A * 4.0;
        if (D < 0)
            continue;
        const double ud = (-B - std::sqrt(D)) * p.r;
        if (ud < 0)
            continue;
        const float u = float(ud);
        if (u >= 1.0f)
            continue;
        const float v = float((py - p.e * u) / (((p.f * u + Y[3]) - Y[0]) - p.e * u));
        if (!(v >= 0.0f) || v >= 1.0f)
            continue;

        // The source point in 8-bit fixed point.
        const float sx = float(p.srcW) * u;
        const float sy = float(p.srcH) * v;
        const int ix = int(sx);
        const int iy = int(sy);
        const int fx = int(256.0f * sx) - 256 * ix;
        const int fy = int(256.0f * sy) - 256 * iy;
        // u and v lie below 1, so ix and iy lie inside the source; the neighbours past the last
        // column or row fall back to p00.
        const bool lastColumn = ix >= p.srcW - 1;
        const bool lastRow = iy >= p.srcH - 1;
        const std::uint32_t* row = p.srcPixels + iy * p.srcStride;
        const std::uint32_t* below = lastRow ? row : row + p.srcStride;
        const std::uint32_t p00 = row[ix];
        const std::uint32_t p10 = lastColumn ? p00 : row[ix + 1];
        const std::uint32_t p01 = lastRow ? p00 : below[ix];
        const std::uint32_t p11 = lastColumn || lastRow ? p00 : below[ix + 1];
        // Colour and alpha alike, so the shape keeps the photo's own transparency and
        // everything outside it stays fully transparent.
        target[j] = Mix(p00, p10, p01, p11, std::uint32_t(((256 - fx) * (256 - fy)) >> 8),
                        std::uint32_t((fx * (256 - fy)) >> 8),
                        std::uint32_t(((256 - fx) * fy) >> 8), std::uint32_t((fx * fy) >> 8));
    }
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
    Patch patch{};
    for (int i = 0; i < 4; ++i) {
        patch.X[i] = X[i];
        patch.Y[i] = Y[i];
    }
    patch.bw = bw;
    patch.bh = bh;
    patch.e = e;
    patch.f = f;
    patch.g = g;
    patch.h = h;
    patch.kk = kk;
    patch.A = A;
    patch.r = 1.0 / (A * 2.0);
    patch.srcW = src.Width();
    patch.srcH = src.Height();
    patch.srcPixels = src.Row(0);
    patch.srcStride = patch.srcH > 1 ? src.Row(1) - src.Row(0) : 0;

    const int top = std::max(minY, firstRow);
    ParallelRows(maxY - top + 1, [&](int first, int last) {
        for (int i = top + first; i < top + last; ++i) {
            if (!Running(run))
                return;
            std::uint32_t* target = dst.Row(i);
            if (clearTo)
                std::fill_n(target, dstW, *clearTo);
            MapRow(patch, target, i, minX, maxX);
        }
    });
}

} // namespace skyloom
