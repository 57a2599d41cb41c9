#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QObject;

namespace skyloom::platform {

// One monitor of the desktop: its name as the session gives it ("HDMI-1"), its place and size
// in device pixels within the virtual desktop, and whether it is the primary one.
struct MonitorInfo {
    QString name;
    QRect geometry;
    bool primary = false;
};

// Puts monitors in the order the program hands out photos: left to right, then top to bottom.
void SortMonitors(std::vector<MonitorInfo>& monitors);
// The virtual desktop: the smallest rectangle holding every monitor; empty without monitors.
QRect VirtualDesktop(const std::vector<MonitorInfo>& monitors);

// What the running desktop tells about itself.
class IDesktopInfo {
public:
    virtual ~IDesktopInfo() = default;
    // The desktop's background colour as the text "red green blue" (decimal, 0 to 255), or an
    // empty text when the desktop has no such colour.
    virtual QString BackgroundColourText() const = 0;
    // The primary screen's size in device pixels; an empty size when there is no screen.
    virtual QSize PrimaryScreenSize() const = 0;
    // Every monitor, sorted as SortMonitors does; empty when there is no screen.
    virtual std::vector<MonitorInfo> Monitors() const = 0;
    // Calls changed on the main thread whenever a monitor is added, removed, moved, resized or
    // turned, or another becomes primary, for as long as context lives.
    virtual void WatchMonitors(QObject* context, std::function<void()> changed) {
        (void)context;
        (void)changed;
    }
};

} // namespace skyloom::platform
