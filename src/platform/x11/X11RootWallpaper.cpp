#include "X11RootWallpaper.h"

#include <QImage>
#include <QSysInfo>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace skyloom::platform {
namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// A connection to the X server with its default screen and that screen's root window.
struct RootSession {
    DisplayPtr display;
    int screen = 0;
    Window root = 0;
};

std::optional<RootSession> Open(const QByteArray& name, QString* error) {
    DisplayPtr display(XOpenDisplay(name.isEmpty() ? nullptr : name.constData()));
    if (!display) {
        *error = QStringLiteral("cannot open the X display %1").arg(QString::fromLocal8Bit(name));
        return std::nullopt;
    }
    const int screen = DefaultScreen(display.get());
    const Window root = RootWindow(display.get(), screen);
    return RootSession{std::move(display), screen, root};
}

// The pixmap a root property names, or 0.
Pixmap PropertyPixmap(Display* display, Window root, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Pixmap pixmap = 0;
    if (XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &items,
                           &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && items == 1 && data)
        pixmap = *reinterpret_cast<Pixmap*>(data);
    if (data)
        XFree(data);
    return pixmap;
}

// The pixmap of the background set before by any setter that follows the same convention (both
// properties name it), or 0.
Pixmap OldBackground(Display* display, Window root) {
    const Pixmap old = PropertyPixmap(display, root, XInternAtom(display, "_XROOTPMAP_ID", False));
    return old && old == PropertyPixmap(display, root,
                                        XInternAtom(display, "ESETROOT_PMAP_ID", False))
               ? old
               : 0;
}

// The code of the last X error while an ErrorTrap is alive. Xlib's own handler would end the
// process on any error, such as a stale pixmap named by another program or a pixmap the server
// has no memory for.
int g_lastError = 0;

int RecordError(Display*, XErrorEvent* event) {
    g_lastError = event->error_code;
    return 0;
}

// Collects X errors instead of letting them end the process, while it lives.
class ErrorTrap {
public:
    ErrorTrap() : m_previous(XSetErrorHandler(RecordError)) { g_lastError = 0; }
    ~ErrorTrap() { XSetErrorHandler(m_previous); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    // Waits for the server to handle every request so far; the last error among them, or 0.
    int Take(Display* display) {
        XSync(display, False);
        return std::exchange(g_lastError, 0);
    }

private:
    XErrorHandler m_previous;
};

// Where one colour channel goes in a TrueColor pixel: the mask's lowest bit and its width.
struct Channel {
    int shift = 0;
    int bits = 0;
    explicit Channel(unsigned long mask) {
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++bits;
        }
    }
    unsigned long Place(int value) const {
        const unsigned long top = (1ul << bits) - 1;
        return ((unsigned long)value * top + 127) / 255 << shift;
    }
};

// The picture's pixels in the image of a visual other than 32-bit BGRA: computed from the
// masks for TrueColor, else the nearest colour of a 6x6x6 cube allocated once (216 requests at
// most, whatever the picture's size).
void FillPixels(Display* display, int screen, Visual* visual, XImage* image,
                const QImage& picture) {
    if (visual->c_class == TrueColor) {
        const Channel red(visual->red_mask), green(visual->green_mask), blue(visual->blue_mask);
        for (int y = 0; y < picture.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                XPutPixel(image, x, y,
                          red.Place(qRed(row[x])) | green.Place(qGreen(row[x])) |
                              blue.Place(qBlue(row[x])));
        }
        return;
    }
    constexpr int kLevels = 6;
    std::array<long, kLevels * kLevels * kLevels> cube;
    cube.fill(-1);
    const auto level = [](int value) { return (value * (kLevels - 1) + 127) / 255; };
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int r = level(qRed(row[x])), g = level(qGreen(row[x])), b = level(qBlue(row[x]));
            long& pixel = cube[std::size_t((r * kLevels + g) * kLevels + b)];
            if (pixel < 0) {
                XColor colour{};
                colour.red = quint16(r * 65535 / (kLevels - 1));
                colour.green = quint16(g * 65535 / (kLevels - 1));
                colour.blue = quint16(b * 65535 / (kLevels - 1));
                pixel = XAllocColor(display, DefaultColormap(display, screen), &colour)
                            ? long(colour.pixel)
                            : long(BlackPixel(display, screen));
            }
            XPutPixel(image, x, y, (unsigned long)pixel);
        }
    }
}

// The primary monitor's area of the root as RandR reports it (the first monitor when none is
// primary), or the whole root when the server has no monitor list.
QRect PrimaryArea(Display* display, int screen) {
    const QRect root(0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen));
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 5))
        return root;
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, RootWindow(display, screen), True, &count);
    if (!monitors)
        return root;
    QRect area = root;
    for (int i = 0; i < count; ++i) {
        const QRect rect(monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height);
        if (i == 0 || monitors[i].primary)
            area = rect;
        if (monitors[i].primary)
            break;
    }
    XRRFreeMonitors(monitors);
    return area.intersected(root).isEmpty() ? root : area;
}

// The picture drawn at its place on a black pixmap of the root's size and depth.
Pixmap MakePixmap(Display* display, int screen, const QImage& picture, QPoint at) {
    const Window root = RootWindow(display, screen);
    const int width = DisplayWidth(display, screen);
    const int height = DisplayHeight(display, screen);
    const int depth = DefaultDepth(display, screen);
    Visual* visual = DefaultVisual(display, screen);
    const Pixmap pixmap = XCreatePixmap(display, root, width, height, depth);
    const GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XSetForeground(display, gc, BlackPixel(display, screen));
    XFillRectangle(display, pixmap, gc, 0, 0, width, height);

    XImage* image = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, picture.width(),
                                 picture.height(), 32, 0);
    if (image) {
        const bool direct = image->bits_per_pixel == 32 && visual->c_class == TrueColor &&
                            visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
                            visual->blue_mask == 0xFF;
        QImage rows = picture;
        if (direct) {
            // RGB32 words are the visual's pixels; hand X the image's own rows.
            image->byte_order = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? LSBFirst : MSBFirst;
            image->bytes_per_line = int(rows.bytesPerLine());
            image->data = reinterpret_cast<char*>(rows.bits());
        } else {
            image->data =
                static_cast<char*>(malloc(size_t(image->bytes_per_line) * picture.height()));
            if (image->data)
                FillPixels(display, screen, visual, image, picture);
        }
        if (image->data)
            XPutImage(display, pixmap, gc, image, 0, 0, at.x(), at.y(), picture.width(),
                      picture.height());
        if (direct)
            image->data = nullptr; // owned by the QImage
        XDestroyImage(image);
    }
    XFreeGC(display, gc);
    return pixmap;
}

// The connection that made the background now shown, and its pixmap. An X server that sees
// its last client leave resets itself and drops every retained resource with it; kept open,
// this connection closes when the process ends, after the toolkit's own, so the pixmap survives
// even on a server with no other client. The lock also guards the error trap's record.
std::mutex g_lock;
Display* g_retained = nullptr;
Pixmap g_retainedPixmap = 0;

// Closes the connection of the background before, freeing what it made: the root keeps the
// picture until the new background replaces it. Returns the pixmap freed, or 0.
Pixmap ReleaseRetained() {
    Display* previous = std::exchange(g_retained, nullptr);
    if (!previous)
        return 0;
    XSetCloseDownMode(previous, DestroyAll);
    XCloseDisplay(previous);
    return std::exchange(g_retainedPixmap, 0);
}

QString ServerRefused(int code) {
    return QStringLiteral("the X server refused the background (X error %1)").arg(code);
}

} // namespace

bool X11RootWallpaper::Apply(const QString& path, QString* error) {
    // One picture for the primary monitor: centred on that monitor, not across the seam.
    return Show(path, error, [](Display* d, int screen, QSize picture) {
        const QRect area = PrimaryArea(d, screen);
        return area.topLeft() +
               QPoint((area.width() - picture.width()) / 2, (area.height() - picture.height()) / 2);
    });
}

bool X11RootWallpaper::ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) {
    // The canvas covers the monitors where they lie on the root.
    const QPoint at = wallpapers.box.topLeft();
    return Show(wallpapers.canvas, error, [at](Display*, int, QSize) { return at; });
}

bool X11RootWallpaper::Show(const QString& path, QString* error, const Placement& place) {
    const QImage picture = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull()) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    std::optional<RootSession> session = Open(m_display, error);
    if (!session)
        return false;
    Display* d = session->display.get();
    const Window root = session->root;
    std::lock_guard lock(g_lock);
    ErrorTrap trap;
    const Pixmap pixmap =
        MakePixmap(d, session->screen, picture, place(d, session->screen, picture.size()));
    if (const int code = trap.Take(d)) {
        *error = ServerRefused(code);
        return false; // the old background stays; this connection takes its pixmap along
    }
    // The properties are replaced before the old background is freed, so that a compositor or
    // terminal reading them never finds none, nor a pixmap that is gone.
    const Pixmap old = OldBackground(d, root);
    for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
        XChangeProperty(d, root, XInternAtom(d, name, False), XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XClearWindow(d, root);
    // Ours from before goes with the connection that kept it; another setter's with its
    // retained client. One already gone is no fault.
    const Pixmap released = ReleaseRetained();
    if (old && old != released)
        XKillClient(d, old);
    trap.Take(d);
    // The pixmap outlives this connection, and so this process, until the next background
    // replaces it. The connection stays open until then, or until the process ends.
    XSetCloseDownMode(d, RetainPermanent);
    if (const int code = trap.Take(d)) {
        *error = ServerRefused(code);
        return false;
    }
    g_retained = session->display.release();
    g_retainedPixmap = pixmap;
    return true;
}

bool X11RootWallpaper::Clear(QString* error) {
    const std::optional<RootSession> session = Open(m_display, error);
    if (!session)
        return false;
    Display* d = session->display.get();
    const Window root = session->root;
    std::lock_guard lock(g_lock);
    ErrorTrap trap;
    // The root is plain before the properties go and the old pixmap is freed.
    const Pixmap old = OldBackground(d, root);
    XSetWindowBackground(d, root, BlackPixel(d, session->screen));
    XClearWindow(d, root);
    if (const int code = trap.Take(d)) {
        *error = ServerRefused(code);
        return false;
    }
    for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
        XDeleteProperty(d, root, XInternAtom(d, name, False));
    const Pixmap released = ReleaseRetained();
    if (old && old != released)
        XKillClient(d, old);
    trap.Take(d); // an old pixmap that is already gone is no fault
    return true;
}

} // namespace skyloom::platform
