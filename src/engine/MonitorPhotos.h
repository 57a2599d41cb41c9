#pragma once

#include "PhotoChoice.h"
#include "PhotoQueueBuilder.h"

#include <QString>

#include <atomic>
#include <vector>

namespace skyloom {

// The photo of one monitor in a change.
struct MonitorPick {
    QString path; // empty: still to be drawn
    int orientation = -1;
    int width = -1;
    int height = -1;
    int tag = -1; // the shortcut it was drawn from; -1 for a photo composed again
};

// How drawing the monitors' photos ended: Chosen when every monitor has one; otherwise the
// outcome of the first draw, which found nothing (or was cancelled).
struct MonitorChoice {
    PhotoChoice::Outcome outcome = PhotoChoice::Cancelled;
    bool anyUnshownLeft = false;
};

// Draws a photo for every monitor without one, in order, under the queue's lock. The first
// draw takes its photo from shortcutId (when no monitor has a photo yet, its outcome is the
// change's when it finds nothing); each later draw marks the shortcut before it visited
// and chooses the next one, so that the monitors show different shortcuts as changes do.
// A monitor whose wanted orientation (kPortrait or kLandscape) the filter allows takes a photo
// of that orientation from its shortcut, else from any shortcut, else (a later monitor) one
// already shown in this round but not on another monitor now, and only then the other
// orientation. A photo is never drawn twice in one change, since each is marked shown; a
// monitor for which nothing is left shows the photo of a monitor that has one.
MonitorChoice ChooseMonitorPhotos(PhotoQueue& queue, int shortcutId,
                                  const std::vector<int>& wantedOrientation,
                                  std::vector<MonitorPick>& picks, const PhotoFilters& filters,
                                  SlideshowCounters& counters, CMersenneTwister& random,
                                  const std::atomic<int>& running, const MeasurePhoto& measure);

} // namespace skyloom
