#pragma once

#include "PhotoChoice.h"
#include "composer/RenderOptions.h"

#include <QString>

namespace skyloom {

class CAppSettings;

// What the slideshow reads of the settings, taken at start-up and on Apply, so that edits on
// the pages take effect only when applied. Change jobs work on their own copy.
struct SlideshowSnapshot {
    PhotoFilters filters;
    RenderOptions render;
    qint64 intervalMs = 1000;
    bool idleOnly = false;
    int idleSeconds = 5;
    bool pauseOnStartup = false;
    bool photoPerMonitor = false; // a photo of its own on each monitor
    QString lastPhoto;            // the photo the settings remember as shown last
    QString tempFolder;           // the scratch folder
};

// What a change needs to know has changed, as Apply hands it over: bits of PendingChange and
// of FilterChange.
namespace PendingChange {
constexpr unsigned QueuedSet = 1;    // the queued shortcuts: the queue is built again
constexpr unsigned Interval = 2;     // the change interval
constexpr unsigned PhotoOptions = 4; // photo options or filters: the photo is composed again
constexpr unsigned Background = 8;   // the background: rendered again, the photo composed again
} // namespace PendingChange
namespace FilterChange {
constexpr unsigned Orientation = 1;     // photos ruled out for their orientation may come back
constexpr unsigned MinSize = 2;         // photos ruled out as too small may come back
constexpr unsigned GlassReflection = 4; // recorded with the photo options; no photo is ruled
                                        // out for it
} // namespace FilterChange

SlideshowSnapshot SnapshotOf(const CAppSettings& settings);

// The slideshow's run-time state as a whole, for whoever inspects or restores it.
struct SlideshowState {
    SlideshowCounters counters;
    PhotoFilters filters;
    int currentOrientation = -1; // of the photo chosen last
    QString currentPhoto;        // chosen last; the remembered photo until then
    int queuedIdCount = 0;       // queued shortcuts at the snapshot
    int lastShortcutId = -1;     // whose photo was shown last
    int chosenShortcutId = -1;   // the change under way takes its photo from it (read only)
    QString tempFolder;
    RenderOptions render;
};

// A photo of the queue as a query reports it.
struct QueuedPhoto {
    int index = -1;
    PhotoEntry entry;
};

} // namespace skyloom
