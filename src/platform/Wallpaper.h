#pragma once

#include "DesktopInfo.h"

#include <QRect>
#include <QString>

#include <vector>

namespace skyloom::platform {

// A wallpaper with a photo of its own on each monitor: one picture of the whole virtual
// desktop and, for backends that set each monitor apart, a file per monitor holding only that
// monitor's part.
struct MonitorWallpapers {
    QString canvas; // the picture of the virtual desktop
    QRect box;      // where the canvas lies, in the desktop's device pixels
    struct Monitor {
        MonitorInfo info;
        QString path; // this monitor's part; empty unless WantsMonitorFiles()
    };
    std::vector<Monitor> monitors;
};

// Makes a file the desktop wallpaper (centred, not tiled) or clears the wallpaper, on the
// desktop of the running session. Failures come back as a text for the user.
class IWallpaper {
public:
    virtual ~IWallpaper() = default;
    virtual bool Apply(const QString& path, QString* error) = 0;
    virtual bool Clear(QString* error) = 0;
    // What the backend drives, for messages: "X11 root window", "file only", ...
    virtual QString Name() const = 0;
    // Whether ApplyMonitors needs each monitor's own file.
    virtual bool WantsMonitorFiles() const { return false; }
    // Shows a photo per monitor. Backends that cannot place a picture per monitor show the
    // canvas as one wallpaper.
    virtual bool ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) {
        return Apply(wallpapers.canvas, error);
    }
};

} // namespace skyloom::platform
