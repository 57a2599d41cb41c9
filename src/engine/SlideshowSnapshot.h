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
};

SlideshowSnapshot SnapshotOf(const CAppSettings& settings);

} // namespace skyloom
