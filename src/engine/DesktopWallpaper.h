#pragma once

#include "platform/Wallpaper.h"

#include <QString>

namespace skyloom {

// Makes the file the desktop wallpaper, or clears it, through the session's desktop backend.
// The first failure is shown to the user; while the desktop keeps failing, later failures go
// to stderr only, so that a slideshow does not raise a message at every change. A success
// re-arms the message. Returns whether the desktop took it.
bool ApplyDesktopWallpaper(const QString& path);
// The same for a photo on each monitor.
bool ApplyDesktopWallpapers(const platform::MonitorWallpapers& wallpapers);
bool ClearDesktopWallpaper();

} // namespace skyloom
