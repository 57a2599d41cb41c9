#include "X11GlobalHotkeys.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <X11/keysym.h>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace skyloom::platform {
namespace {

constexpr std::uint16_t kModifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1; // Ctrl+Alt
// Caps Lock and Num Lock (Mod2 on every common keymap) must not stop a key.
constexpr std::uint16_t kLocks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                    XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

} // namespace

std::unique_ptr<X11GlobalHotkeys> X11GlobalHotkeys::Create() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (!screens.rem)
        return nullptr;
    return std::unique_ptr<X11GlobalHotkeys>(new X11GlobalHotkeys(connection, screens.data->root));
}

X11GlobalHotkeys::X11GlobalHotkeys(xcb_connection_t* connection, std::uint32_t root)
    : m_connection(connection), m_root(root) {}

X11GlobalHotkeys::~X11GlobalHotkeys() {
    Unregister();
}

QList<int> X11GlobalHotkeys::Register(const QList<Hotkey>& keys) {
    Unregister();
    QList<int> registered;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_connection);
    if (!symbols)
        return registered;
    for (const Hotkey& key : keys) {
        xcb_keycode_t* codes =
            xcb_key_symbols_get_keycode(symbols, xcb_keysym_t(XK_a + (key.key - 'a')));
        const xcb_keycode_t keycode = codes ? codes[0] : XCB_NO_SYMBOL;
        std::free(codes);
        if (keycode == XCB_NO_SYMBOL)
            continue;
        bool refused = false;
        for (const std::uint16_t locks : kLocks) {
            const xcb_void_cookie_t cookie =
                xcb_grab_key_checked(m_connection, 1, m_root, kModifiers | locks, keycode,
                                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
                std::free(error); // BadAccess: another client holds the key
                refused = true;
            }
        }
        if (refused) {
            // Whatever variants did succeed go too: the key is not this program's.
            for (const std::uint16_t locks : kLocks)
                xcb_ungrab_key(m_connection, keycode, m_root, kModifiers | locks);
            continue;
        }
        m_grabs.push_back({key.id, keycode});
        registered << key.id;
    }
    xcb_key_symbols_free(symbols);
    xcb_flush(m_connection);
    if (!m_grabs.empty() && !m_filtering) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filtering = true;
    }
    return registered;
}

void X11GlobalHotkeys::Unregister() {
    for (const Grab& grab : m_grabs)
        for (const std::uint16_t locks : kLocks)
            xcb_ungrab_key(m_connection, grab.keycode, m_root, kModifiers | locks);
    if (!m_grabs.empty())
        xcb_flush(m_connection);
    m_grabs.clear();
    if (m_filtering && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        m_filtering = false;
    }
}

bool X11GlobalHotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    const std::uint16_t state =
        press->state & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2) & 0xFF; // keyboard modifiers only
    if (state != kModifiers)
        return false;
    for (const Grab& grab : m_grabs)
        if (grab.keycode == press->detail) {
            emit pressed(grab.id);
            return true;
        }
    return false;
}

} // namespace skyloom::platform
