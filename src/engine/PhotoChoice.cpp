#include "PhotoChoice.h"

#include "CMersenneTwister.h"
#include "composer/CWallpaperComposer.h"
#include "composer/ImageToolkit.h"

namespace skyloom {
namespace {

bool RuledOut(const PhotoEntry& e) {
    return e.tooSmall || e.wrongOrientation || e.unreadable;
}

// Measures the photo if need be and applies the filters, marking what they reject. True when
// the photo may be shown.
bool Passes(PhotoEntry& e, const PhotoFilters& filters, SlideshowCounters& counters,
            const MeasurePhoto& measure) {
    if (RuledOut(e))
        return false;
    if (!e.measured) {
        e.measured = 1;
        if (!measure(e)) {
            e.unreadable = 1;
            return false;
        }
    }
    if (filters.orientation == kPortrait || filters.orientation == kLandscape) {
        if (e.orientation != filters.orientation) {
            e.wrongOrientation = 1;
            ++counters.wrongOrientation;
            return false;
        }
    } else if (filters.orientation != kAnyOrientation) {
        return false; // an unknown filter passes nothing and marks nothing
    }
    if (filters.minSize && e.width < filters.minSizePixels && e.height < filters.minSizePixels) {
        e.tooSmall = 1;
        ++counters.tooSmall;
        return false;
    }
    return true;
}

} // namespace

bool MeasurePhotoFile(PhotoEntry& entry) {
    const QSize size = ReadImageSize(entry.path);
    if (size.isEmpty())
        return false;
    entry.width = size.width();
    entry.height = size.height();
    entry.orientation = OrientationOf(size);
    return true;
}

PhotoChoice ChoosePhoto(std::vector<PhotoEntry>& queue, int shortcutId, int shortcutCount,
                        const PhotoFilters& filters, SlideshowCounters& counters,
                        CMersenneTwister& random, const std::atomic<int>& running,
                        const MeasurePhoto& measure, int prefer) {
    const bool preferring = prefer == kPortrait || prefer == kLandscape;
    const quint32 n = quint32(queue.size());
    const auto ofShortcut = [&](const PhotoEntry& e) {
        return shortcutCount <= 1 || e.tag == shortcutId;
    };
    const auto candidate = [&](PhotoEntry& e) {
        return !e.shown && ofShortcut(e) && Passes(e, filters, counters, measure) &&
               (!preferring || e.orientation == prefer);
    };
    const auto chosen = [&](quint32 index) {
        queue[index].shown = 1;
        ++counters.shown;
        return PhotoChoice{PhotoChoice::Chosen, int(index), true};
    };
    // Random draws with replacement, as many as there are photos.
    for (quint32 draw = 0; draw < n; ++draw) {
        if (!running)
            return {};
        const quint32 index = random.Below(n);
        if (candidate(queue[index]))
            return chosen(index);
    }
    // The draws missed: the shortcut's photos in turn, from a random one.
    const quint32 start = random.Below(n);
    for (quint32 k = 0; k < n; ++k) {
        if (!running)
            return {};
        const quint32 index = (start + k) % n;
        if (candidate(queue[index]))
            return chosen(index);
    }
    if (preferring)
        return {PhotoChoice::NoneForShortcut, -1, true};
    // Nothing of the shortcut: can anything of the queue still be shown?
    PhotoChoice none{PhotoChoice::NoneAtAll, -1, false};
    for (PhotoEntry& e : queue) {
        if (!running)
            return {};
        if (Passes(e, filters, counters, measure)) {
            none.outcome = PhotoChoice::NoneForShortcut;
            none.anyUnshownLeft = none.anyUnshownLeft || !e.shown;
        }
    }
    return none;
}

} // namespace skyloom
