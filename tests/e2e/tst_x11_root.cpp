// The X11 root window backend on a real X server: the applied picture stays on the root, pixel
// for pixel, after Skyloom has ended; clearing leaves a plain root; the screen size comes from
// the X server.

#include "TestImages.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "platform/x11/X11RootWallpaper.h"

#include <QColorSpace>
#include <QImage>
#include <QProcess>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// Pixels only: ImageMagick tags its PNG as sRGB, which QImage's comparison would also weigh.
QImage Pixels(QImage image) {
    image = image.convertToFormat(QImage::Format_RGB32);
    image.setColorSpace(QColorSpace());
    return image;
}

// The root window as the X server shows it, read with xwd and converted with ImageMagick.
QImage RootPicture(const QString& folder) {
    const QString dump = folder + "/root.xwd";
    const QString png = folder + "/root.png";
    if (QProcess::execute("xwd", {"-root", "-silent", "-out", dump}) != 0 ||
        QProcess::execute("convert", {"xwd:" + dump, png}) != 0)
        return {};
    return Pixels(QImage(png));
}

// The pixmap named by a root property, or 0.
unsigned long RootPixmap(const char* property) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
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
    XCloseDisplay(display);
    return pixmap;
}

} // namespace

class TestX11Root : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    // A desktop always has clients connected (a window manager at least); without one the X
    // server resets itself when Skyloom disconnects, taking every retained pixmap with it.
    Display* m_session = nullptr;

private slots:
    void initTestCase() { QVERIFY((m_session = XOpenDisplay(nullptr)) != nullptr); }
    void cleanupTestCase() { XCloseDisplay(m_session); }

    void composedWallpaperStaysOnTheRootAfterSkyloomEnds() {
        QVERIFY(skyloom::test::Quadrants(400, 300).save(m_dir.filePath("photo.png")));
        QTemporaryDir home;
        QProcessEnvironment env = skyloom::test::UserEnvironment(home.path());
        env.remove("XDG_CURRENT_DESKTOP");
        env.remove("SKYLOOM_SET_WALLPAPER_COMMAND");
        env.insert("XDG_SESSION_TYPE", "x11");
        QProcess skyloom;
        skyloom.setProcessEnvironment(env);
        const QString wallpaper = m_dir.filePath("wallpaper.jpg");
        skyloom.start(SKYLOOM_BINARY,
                      {"--compose", m_dir.filePath("photo.png"), "--output", wallpaper, "--apply"});
        QVERIFY(skyloom.waitForFinished(60000));
        QCOMPARE(skyloom.exitCode(), 0);

        // Composed for the X server's own screen size, and shown exactly.
        const QImage composed = Pixels(QImage(wallpaper));
        QCOMPARE(composed.size(), QSize(1280, 1024));
        QCOMPARE(RootPicture(m_dir.path()), composed);
        const unsigned long pixmap = RootPixmap("_XROOTPMAP_ID");
        QVERIFY(pixmap != 0);
        QCOMPARE(RootPixmap("ESETROOT_PMAP_ID"), pixmap);

        // A second picture replaces the first (whose pixmap is freed).
        QImage other(1280, 1024, QImage::Format_RGB32);
        other.fill(0xFF2468ACu);
        QVERIFY(other.save(m_dir.filePath("other.png")));
        skyloom::platform::X11RootWallpaper root(qgetenv("DISPLAY"));
        QString error;
        QVERIFY2(root.Apply(m_dir.filePath("other.png"), &error), qPrintable(error));
        QCOMPARE(RootPicture(m_dir.path()), Pixels(other));
        QVERIFY(RootPixmap("_XROOTPMAP_ID") != pixmap);
    }

    void clearingLeavesAPlainRoot() {
        skyloom::platform::X11RootWallpaper root(qgetenv("DISPLAY"));
        QString error;
        QImage picture(1280, 1024, QImage::Format_RGB32);
        picture.fill(0xFFFFFFFFu);
        QVERIFY(picture.save(m_dir.filePath("white.png")));
        QVERIFY(root.Apply(m_dir.filePath("white.png"), &error));
        QVERIFY(root.Clear(&error));
        QCOMPARE(RootPixmap("_XROOTPMAP_ID"), 0ul);
        QCOMPARE(RootPixmap("ESETROOT_PMAP_ID"), 0ul);
        const QImage shown = RootPicture(m_dir.path());
        QCOMPARE(shown.pixel(0, 0), 0xFF000000u);
        QCOMPARE(shown.pixel(1279, 1023), 0xFF000000u);
    }

    void noDisplayIsAFailure() {
        skyloom::platform::X11RootWallpaper root(":987");
        QString error;
        QVERIFY(!root.Clear(&error));
        QCOMPARE(error, "cannot open the X display :987");
    }
};

SKYLOOM_TEST_MAIN(TestX11Root, QCoreApplication)
#include "tst_x11_root.moc"
