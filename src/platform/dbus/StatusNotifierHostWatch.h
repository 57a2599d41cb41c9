#pragma once

#include "platform/TrayHost.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

namespace skyloom::platform {

// The StatusNotifier tray (KDE Plasma, GNOME's AppIndicator extension, most Wayland panels):
// a host has registered with the org.kde.StatusNotifierWatcher service. The watcher service
// coming up and its StatusNotifierHostRegistered signal are both watched; nothing is polled.
class StatusNotifierHostWatch final : public ITrayHostWatch {
    Q_OBJECT
public:
    explicit StatusNotifierHostWatch(const QDBusConnection& bus);
    bool IsUp() const override;

private slots:
    void Check();

private:
    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
};

} // namespace skyloom::platform
