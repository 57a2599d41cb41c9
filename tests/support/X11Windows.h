#pragma once

#include <QList>

#include <X11/Xlib.h>
#include <memory>

namespace skyloom::test {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
// A connection to the X server of the test, closed when it goes.
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// The children of a window that have the given name, or all of them for a null name; with
// viewable, only those on the screen. Under Xvfb without a window manager the programs'
// top-level windows are the root's children.
inline QList<Window> ChildWindows(Display* display, Window parent, const char* name,
                                  bool viewable) {
    Window root = 0, above = 0, *children = nullptr;
    unsigned count = 0;
    QList<Window> found;
    if (!XQueryTree(display, parent, &root, &above, &children, &count))
        return found;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            (viewable && attributes.map_state != IsViewable))
            continue;
        char* title = nullptr;
        if (!name)
            found << children[i];
        else if (XFetchName(display, children[i], &title) && title) {
            if (qstrcmp(title, name) == 0)
                found << children[i];
            XFree(title);
        }
    }
    XFree(children);
    return found;
}

// The top-level windows on the screen with the given title.
inline QList<Window> ShownWindows(Display* display, const char* title) {
    return ChildWindows(display, DefaultRootWindow(display), title, true);
}

} // namespace skyloom::test
