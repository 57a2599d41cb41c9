#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace skyloom::test {

// The pixmap a root window property (_XROOTPMAP_ID, ESETROOT_PMAP_ID) names, or 0.
inline unsigned long RootPixmap(const char* property, Display* display) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    unsigned long pixmap = 0;
    if (XGetWindowProperty(display, DefaultRootWindow(display),
                           XInternAtom(display, property, False), 0, 1, False, XA_PIXMAP, &type,
                           &format, &items, &after, &data) == Success &&
        data && items == 1)
        pixmap = *reinterpret_cast<unsigned long*>(data);
    if (data)
        XFree(data);
    return pixmap;
}

} // namespace skyloom::test
