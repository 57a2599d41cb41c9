#pragma once

#include "platform/TrayHost.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>

struct xcb_connection_t;

namespace skyloom::platform {

// The X11 system tray: a client owns the screen's _NET_SYSTEM_TRAY_S<n> selection. A tray that
// starts later announces itself with a MANAGER message to the root window, which arrives here
// through Qt's own X connection.
class X11TrayManagerWatch final : public ITrayHostWatch, public QAbstractNativeEventFilter {
public:
    // Null without an X connection (another platform plugin).
    static std::unique_ptr<X11TrayManagerWatch> Create();
    ~X11TrayManagerWatch() override;

    bool IsUp() const override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11TrayManagerWatch(xcb_connection_t* connection, std::uint32_t root, int screen);

    xcb_connection_t* m_connection;
    std::uint32_t m_root;
    std::uint32_t m_manager = 0;   // the MANAGER atom
    std::uint32_t m_selection = 0; // _NET_SYSTEM_TRAY_S<screen>
};

} // namespace skyloom::platform
