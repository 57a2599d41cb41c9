#pragma once

#include <QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

// The picture a pixmap holds (24-bit colour), read straight from the X server; null when the
// pixmap cannot be read.
inline QImage PixmapPicture(Display* display, unsigned long pixmap) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    if (!pixmap || !XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth))
        return {};
    XImage* image = XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage picture(int(width), int(height), QImage::Format_RGB32);
    for (int row = 0; row < int(height); ++row)
        for (int column = 0; column < int(width); ++column)
            picture.setPixel(column, row,
                             0xFF000000u | (XGetPixel(image, column, row) & 0xFFFFFFu));
    XDestroyImage(image);
    return picture;
}

} // namespace skyloom::test
