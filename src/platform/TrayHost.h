#pragma once

#include <QObject>

#include <memory>

namespace skyloom::platform {

// Whether the desktop has somewhere to show a tray icon, and word when such a place appears:
// a panel started after the program (an auto-started program often is up before the panel)
// is waited for instead of taking the session for one without a tray.
class ITrayHostWatch : public QObject {
    Q_OBJECT
public:
    ~ITrayHostWatch() override = default;
    virtual bool IsUp() const = 0;

signals:
    // A tray host has appeared. Queued: it never arrives inside another event's handling.
    void hostUp();
};

// Watches the session's StatusNotifier host on the session bus and, on X11, the system tray
// manager of the screen. Null where neither can ever appear (no session bus and no X11).
std::unique_ptr<ITrayHostWatch> CreateTrayHostWatch();

} // namespace skyloom::platform
