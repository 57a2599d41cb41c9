#pragma once

#include "library/PhotoEntry.h"

#include <atomic>
#include <functional>
#include <vector>

namespace skyloom {

class CMersenneTwister;

// The photo filters of the settings snapshot.
struct PhotoFilters {
    int orientation = 0; // 0 any, 1 portrait, 2 landscape; any other value lets nothing pass
    bool minSize = false;
    int minSizePixels = 0; // a photo passes when its width or its height reaches it
};

// What the slideshow has counted since its settings snapshot.
struct SlideshowCounters {
    int shown = 0;
    int tooSmall = 0;
    int wrongOrientation = 0;
};

// Reads a photo's orientation, width and height into its entry; false when the file cannot be
// read as a picture.
using MeasurePhoto = std::function<bool(PhotoEntry&)>;
// The measure of the real files: the picture's header, with its EXIF orientation applied.
bool MeasurePhotoFile(PhotoEntry& entry);

struct PhotoChoice {
    enum Outcome {
        Chosen,          // index names the photo, marked shown
        Cancelled,       // the run flag was cleared
        NoneForShortcut, // the shortcut has nothing left to show; others have
        NoneAtAll,       // every photo of the queue is filtered out or unreadable
    } outcome = Cancelled;
    int index = -1;
    bool anyUnshownLeft = false; // with NoneForShortcut: some photo could still be shown
};

// Chooses the next photo of the shortcut (of any shortcut when shortcutCount is 1 or less):
// as many random draws over the queue as it has photos, skipping photos already shown,
// filtered out or unreadable, measuring each photo the first time a draw lands on it and
// marking those the filters reject. When the draws miss, the shortcut's photos not yet ruled
// out are tried in turn from a random one, so that an eligible photo is never missed; when it
// has none, the rest of the queue is measured to tell whether anything can be shown at all.
// With a preferred orientation (kPortrait or kLandscape) only photos of it are taken, without
// marking the others, and a shortcut without one gives NoneForShortcut at once, with
// anyUnshownLeft set: the caller then asks again without a preference.
PhotoChoice ChoosePhoto(std::vector<PhotoEntry>& queue, int shortcutId, int shortcutCount,
                        const PhotoFilters& filters, SlideshowCounters& counters,
                        CMersenneTwister& random, const std::atomic<int>& running,
                        const MeasurePhoto& measure, int prefer = 0);

} // namespace skyloom
