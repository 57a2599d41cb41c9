#pragma once

#include "Colours.h"

#include <QString>

namespace skyloom {

enum PhotoOrientation : int { kAnyOrientation = 0, kPortrait = 1, kLandscape = 2 };

enum PhotoPosition : int {
    kFarLeft = 0,
    kFarLeft3D = 1,
    kLeft = 2,
    kLeft3D = 3,
    kCenterLeft3D = 4,
    kCenter = 5,
    kCenterRight3D = 6,
    kRight3D = 7,
    kRight = 8,
    kFarRight3D = 9,
    kFarRight = 10,
};

enum BackgroundType : int { kSolidBackground = 0, kGradientBackground = 1, kImageBackground = 2 };

enum GradientDirection : int {
    kHorizontal = 0,
    kVertical = 1,
    kRadial = 2,
    kDiagonalLegacy = 3, // no longer offered; drawn like the forward diagonal
    kForwardDiagonal = 4,
    kBackwardDiagonal = 5,
};

enum GradientTransform : int {
    kNoTransform = 0,
    kCaricature = 1,
    kFisheye = 2,
    kRetiredTransform = 3, // read as Fisheye when settings load
    kWave = 4,             // offered by no list
    kShift = 5,
};

enum BackgroundImageStyle : int { kFitImage = 0, kTileImage = 1 };

// What the background of a wallpaper is made of.
struct BackgroundSettings {
    int type = kSolidBackground;
    COLORREF solidColor = 0;
    COLORREF gradientStart = 0xFF0000;
    COLORREF gradientEnd = 0xFFFFFF;
    int gradientDirection = kVertical;
    int gradientTransform = kNoTransform;
    QString image;
    int imageStyle = kFitImage;
};

// The look of a wallpaper as the composer reads it: a snapshot of the settings taken at
// start-up and on Apply, so that edits on the pages take effect only when applied.
struct RenderOptions {
    BackgroundSettings background;
    int portraitPosition = kCenterRight3D;
    int portraitScale = 75;
    int portraitTransparency = 0;
    int portraitGrayscale = 0;
    int landscapePosition = kCenterLeft3D;
    int landscapeScale = 65;
    int landscapeTransparency = 0;
    int landscapeGrayscale = 0;
    int glassReflection = 1;
};

} // namespace skyloom
