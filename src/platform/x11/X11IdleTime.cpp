#include "X11IdleTime.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace skyloom::platform {

X11IdleTime::~X11IdleTime() {
    if (m_connection)
        XCloseDisplay(static_cast<Display*>(m_connection));
}

std::optional<qint64> X11IdleTime::IdleMilliseconds() {
    std::lock_guard lock(m_lock);
    if (!m_tried) {
        m_tried = true;
        Display* display = XOpenDisplay(m_display.isEmpty() ? nullptr : m_display.constData());
        int event = 0, error = 0;
        if (display && XScreenSaverQueryExtension(display, &event, &error))
            m_connection = display;
        else if (display)
            XCloseDisplay(display);
    }
    if (!m_connection)
        return std::nullopt;
    Display* display = static_cast<Display*>(m_connection);
    XScreenSaverInfo info{};
    if (!XScreenSaverQueryInfo(display, DefaultRootWindow(display), &info))
        return std::nullopt;
    return qint64(info.idle);
}

} // namespace skyloom::platform
