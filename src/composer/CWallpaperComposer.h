#pragma once

#include "ImageToolkit.h"
#include "RenderOptions.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>

namespace skyloom {

// The positions at which a photo is turned in perspective.
bool IsThreeDPosition(int position);
// The left edge of a photo DW pixels wide at the position on a screen SW pixels wide; it may
// lie off the screen.
int PhotoLeft(int position, int SW, int DW);
// Greyscale or not, with an opacity: how a photo's colours are drawn.
ImageAttributes PhotoAttributes(bool grayscale, float alpha);

// The four photo options of one orientation, scale and transparency brought within the ranges
// the settings pages offer.
struct OrientationOptions {
    int position = kCenter;
    int scale = 100;
    int transparency = 0;
    int grayscale = 0;
};
OrientationOptions OptionsFor(const RenderOptions& options, int orientation);

// Portrait when narrower than tall; a square photo is a landscape photo.
int OrientationOf(const QSize& photoSize);

// Where and how large a photo is drawn on a screen.
struct PhotoLayout {
    int position = kCenter;
    bool threeD = false;
    int scale = 100;
    int grayscale = 0;
    int TH = 0; // the target height
    int NW = 0; // the drawn size
    int NH = 0;
    int DW = 0; // the drawn width, narrowed for a 3-D position
    int X = 0;  // the top-left corner; may lie off the screen
    int Y = 0;
    float alpha = 1; // the photo's opacity
};

// The size and placement of a photo of PW by PH pixels on an SW by SH screen, with the options
// of its orientation.
PhotoLayout LayoutPhoto(const QSize& screen, const QSize& photo, int orientation,
                        const RenderOptions& options);

// How a composition ended.
enum class ComposeResult {
    Applied,         // the photo over the background was saved and applied
    PhotoUnreadable, // the photo could not be read; nothing was saved or applied
    Cancelled,       // the run flag was cleared; nothing was saved or applied after that
    NoCanvas,        // there is no background to draw on; nothing was saved
    NotSaved,        // the wallpaper file could not be written; the old one and the desktop stay
};

// Draws the photo over a copy of the background as the options say. Null when the run flag is
// cleared or there is no background; photoDrawn tells whether the photo could be read.
QImage ComposeCanvas(const QString& photoPath, int orientation, const RenderOptions& options,
                     const QImage& background, const std::atomic<int>* run, bool* photoDrawn);

// Composes the wallpaper, writes it to wallpaperPath as a quality-100 JPEG (atomically, so a
// desktop never reads half a file) and hands the path to apply once it is written.
ComposeResult ComposeWallpaper(const QString& photoPath, int orientation,
                               const RenderOptions& options, const QImage& background,
                               const QString& wallpaperPath, const std::atomic<int>* run,
                               const std::function<void(const QString&)>& apply);

} // namespace skyloom
