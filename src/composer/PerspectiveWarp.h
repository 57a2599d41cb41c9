#pragma once

#include "CQuadMapper.h"
#include "RenderOptions.h"

#include <QImage>

#include <atomic>

namespace skyloom {

// The shapes of a photo turned about a vertical axis, for the 3-D positions 1, 3, 4 (the right
// edge recedes) and 6, 7, 9 (the left edge recedes), in a W by H supersampled image. o is the
// depth factor (0.7 in single precision for portrait photos, 1.0 otherwise). For other
// positions, or an orientation other than portrait or landscape, the corners are left as they
// are. Returns LIFT, the pixels by which the reflection is pulled up under the turned edge.
int PhotoQuadCorners(double o, int orientation, int position, int W, int H, QuadCorners& c);
// The shape of the reflection before it is turned upside down.
void ReflectionQuadCorners(double o, int orientation, int position, int W, int H, QuadCorners& c);

// The blur of a reflection's material made at twice the drawn size, in its pixels.
inline constexpr double kReflectionBlur = 6.0;

// The material of a reflection: the photo stretched to the size, blurred by the radius and
// faded from the opaque tint at the top to transparent white at the bottom, premultiplied.
// Only the rows from firstRow down are made, each exactly as in the whole material; the rest
// are left undefined for a caller that never reads them.
QImage ReflectionMaterial(const QImage& photo, const QSize& size, COLORREF tint, int firstRow,
                          double blurRadius = kReflectionBlur);

struct WarpedPhoto {
    QImage image; // premultiplied ARGB32: the photo turned, the surround transparent
    int lift = 0;
};

// How many times its drawn size a warped photo is made, so that scaling it down smooths the
// stair-stepped edges: 3 for a portrait photo, 2 otherwise.
int WarpSupersampling(int orientation);

// The photo turned in perspective at supersampling times its drawn size NW by NH.
WarpedPhoto BuildWarpedPhoto(const QImage& photo, int NW, int NH, int orientation, int position,
                             float o, const std::atomic<int>* run, int supersampling);

// The blurred reflection, fading into the tint, turned to meet the warped photo's bottom edge;
// made at scale (normally 2) times the drawn size, premultiplied. Only the rows from firstRow
// down are mapped, for a caller that shows no more. Null when the run flag was cleared.
QImage BuildWarpedReflection(const QImage& photo, int NW, int NH, int orientation, int position,
                             float o, COLORREF tint, const std::atomic<int>* run, int firstRow = 0,
                             int scale = 2);

} // namespace skyloom
