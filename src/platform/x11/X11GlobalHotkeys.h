#pragma once

#include "platform/GlobalHotkeys.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <vector>

struct xcb_connection_t;

namespace skyloom::platform {

// Ctrl+Alt keys grabbed on the root window through Qt's own X connection, with the Caps Lock
// and Num Lock variants, each grab checked: a key another client holds is refused with an X
// error, which is read here instead of reaching Xlib's handler (which would end the process).
// Presses arrive as Qt's native X events.
class X11GlobalHotkeys final : public IGlobalHotkeys, public QAbstractNativeEventFilter {
public:
    // Null without an X connection (another platform plugin).
    static std::unique_ptr<X11GlobalHotkeys> Create();
    ~X11GlobalHotkeys() override;

    QList<int> Register(const QList<Hotkey>& keys) override;
    void Unregister() override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11GlobalHotkeys(xcb_connection_t* connection, std::uint32_t root);

    struct Grab {
        int id;
        std::uint8_t keycode;
    };
    xcb_connection_t* m_connection;
    std::uint32_t m_root;
    std::vector<Grab> m_grabs;
    bool m_filtering = false;
};

} // namespace skyloom::platform
