#pragma once

#include <QString>

namespace skyloom::platform {

// Makes a file the desktop wallpaper (centred, not tiled) or clears the wallpaper, on the
// desktop of the running session. Failures come back as a text for the user.
class IWallpaper {
public:
    virtual ~IWallpaper() = default;
    virtual bool Apply(const QString& path, QString* error) = 0;
    virtual bool Clear(QString* error) = 0;
    // What the backend drives, for messages: "X11 root window", "file only", ...
    virtual QString Name() const = 0;
};

} // namespace skyloom::platform
