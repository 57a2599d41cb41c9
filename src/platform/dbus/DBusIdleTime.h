#pragma once

#include "../IdleTime.h"

namespace skyloom::platform {

// A Wayland session: the idle time the desktop tells on the session bus, from GNOME's
// org.gnome.Mutter.IdleMonitor or else org.freedesktop.ScreenSaver's GetSessionIdleTime (KDE
// and others). Both answer in milliseconds.
class DBusIdleTime final : public IIdleTime {
public:
    std::optional<qint64> IdleMilliseconds() override;
};

} // namespace skyloom::platform
