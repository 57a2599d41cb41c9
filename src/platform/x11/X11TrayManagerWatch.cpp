#include "X11TrayManagerWatch.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <X11/Xlib.h>
#include <cstdlib>
#include <xcb/xcb.h>

namespace skyloom::platform {
namespace {

std::uint32_t Atom(xcb_connection_t* connection, const QByteArray& name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.constData()),
        nullptr);
    const std::uint32_t atom = reply ? reply->atom : std::uint32_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

std::unique_ptr<X11TrayManagerWatch> X11TrayManagerWatch::Create() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return nullptr;
    // The screen of the display the program runs on (":0.1" is screen 1).
    const int screen = x11->display() ? DefaultScreen(x11->display()) : 0;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem)
        return nullptr;
    return std::unique_ptr<X11TrayManagerWatch>(
        new X11TrayManagerWatch(connection, screens.data->root, screen));
}

X11TrayManagerWatch::X11TrayManagerWatch(xcb_connection_t* connection, std::uint32_t root,
                                         int screen)
    : m_connection(connection), m_root(root) {
    m_manager = Atom(connection, "MANAGER");
    m_selection = Atom(connection, QByteArray("_NET_SYSTEM_TRAY_S" + QByteArray::number(screen)));
    // The MANAGER message goes to clients that listen for the root's structure events. Event
    // masks are per client: this connection's mask is Qt's, so the bit is added to it.
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, root), nullptr);
    if (attributes) {
        const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        if (mask != attributes->your_event_mask)
            xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        std::free(attributes);
    }
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11TrayManagerWatch::~X11TrayManagerWatch() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11TrayManagerWatch::IsUp() const {
    if (m_selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, m_selection), nullptr);
    const bool owned = reply && reply->owner != XCB_NONE;
    std::free(reply);
    return owned;
}

bool X11TrayManagerWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->window == m_root && client->type == m_manager && client->format == 32 &&
        client->data.data32[1] == m_selection)
        QMetaObject::invokeMethod(this, &ITrayHostWatch::hostUp, Qt::QueuedConnection);
    return false; // Qt's own tray code listens for it too
}

} // namespace skyloom::platform
