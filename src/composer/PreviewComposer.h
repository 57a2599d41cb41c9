#pragma once

#include "CWallpaperComposer.h"
#include "RenderOptions.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>

namespace skyloom {

// What the desktop preview of the settings pages shows: the background alone, or a sample photo
// composed over it with the photo options.
struct PreviewScene {
    RenderOptions options; // options.background.image is the picture of an image background
    bool photoMode = false;
    QImage portraitSample;
    QImage landscapeSample;
    int shownOrientation = kPortrait; // which sample is shown
    QSize screen;         // the desktop's size, at which solid and image backgrounds are laid out
    QSize size;           // the preview's own size
    int imageVersion = 0; // changed whenever the picture file may have been written anew

    bool operator==(const PreviewScene& other) const;
    // The same background: what RenderPreviewBackground makes of the two is the same.
    bool SameBackground(const PreviewScene& other) const;
};

// The background alone at the preview's size: the solid colour, the gradient computed at that
// size, or the picture fitted or tiled as on the screen and shrunk. A missing picture gives
// white.
QImage ComposeBackgroundPreview(const PreviewScene& scene);

// Where a sample photo is drawn in the preview, by the preview's own rules: a landscape photo
// always covers its box, at most the preview's width, and its height is not made even; 3-D
// photos are narrower (65 % portrait, 55 % landscape); transparencies up to 30 look opaque.
PhotoLayout LayoutPreviewPhoto(const QSize& size, const QSize& photo, int orientation,
                               const RenderOptions& options);
// The background a photo preview is drawn over, in its own pixels: the picture of an image
// background at the screen's size, the others at the preview's size. White when there is none.
QImage RenderPreviewBackground(const PreviewScene& scene);
// The sample photo over the background, shrunk to the preview's size, as a wallpaper is
// composed but by the preview's rules: its layout; a shallower 3-D turn; the reflection at 45 %,
// under a flat photo at its full height; a 3-D photo's opacity applied twice. The background is
// one RenderPreviewBackground made for the scene (kept between compositions that change only
// the photo options). Null when the run flag is cleared.
QImage ComposePhotoPreview(const PreviewScene& scene, const QImage& background,
                           const std::atomic<int>* run);

// Whichever of the two the scene's mode asks for.
QImage ComposePreview(const PreviewScene& scene, const std::atomic<int>* run);

} // namespace skyloom
