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
// After Qt's headers, whose names Xlib's macros would break.
// clang-format off
#include "RootPixmap.h"
// clang-format on

namespace {

// Pixels only: ImageMagick tags its PNG as sRGB, which QImage's comparison would also weigh.
QImage Pixels(QImage image) {
    image = image.convertToFormat(QImage::Format_RGB32);
    image.setColorSpace(QColorSpace());
    return image;
}

// The root window as the X server shows it, read with xwd and converted with ImageMagick.
QImage RootPicture(const QString& folder, const QString& display = {}) {
    const QString dump = folder + "/root.xwd";
    const QString png = folder + "/root.png";
    QStringList xwd{"-root", "-silent", "-out", dump};
    if (!display.isEmpty())
        xwd << "-display" << display;
    if (QProcess::execute("xwd", xwd) != 0 ||
        QProcess::execute("convert", {"xwd:" + dump, png}) != 0)
        return {};
    return Pixels(QImage(png));
}

using skyloom::test::RootPixmap;

unsigned long RootPixmap(const char* property) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    const unsigned long pixmap = RootPixmap(property, display);
    XCloseDisplay(display);
    return pixmap;
}

// The largest difference of one channel between two pictures of the same size.
int LargestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

// An X server of its own, with no client at all until the test makes one.
class BareXServer {
public:
    explicit BareXServer(int depth) {
        m_server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                                QString("320x240x%1").arg(depth)});
        if (m_server.waitForReadyRead(10000))
            m_display = ":" + QString::fromLatin1(m_server.readLine()).trimmed();
    }
    ~BareXServer() {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    const QString& Name() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

} // namespace

class TestX11Root : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    // A desktop always has clients connected (a window manager at least). The tests on the
    // shared server hold a connection of their own likewise: without one, the server would reset
    // itself whenever a short-lived client such as xwd left, taking every retained pixmap.
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

    void wallpaperSurvivesAsTheServersLastClient_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("24-bit TrueColor") << 24 << 0;
        QTest::newRow("16-bit TrueColor") << 16 << 8;  // 5 and 6 bits a channel
        QTest::newRow("8-bit PseudoColor") << 8 << 26; // a 6x6x6 colour cube
    }

    void wallpaperSurvivesAsTheServersLastClient() {
        // Skyloom is the only client of the server: when it ends, the server must not reset
        // and take the retained pixmap with it.
        QFETCH(int, depth);
        QFETCH(int, tolerance);
        const BareXServer server(depth);
        QVERIFY(!server.Name().isEmpty());
        QVERIFY(skyloom::test::Quadrants(160, 120).save(m_dir.filePath("small.png")));
        QTemporaryDir home;
        QProcessEnvironment env = skyloom::test::UserEnvironment(home.path());
        env.insert("DISPLAY", server.Name());
        env.remove("XDG_CURRENT_DESKTOP");
        env.remove("SKYLOOM_SET_WALLPAPER_COMMAND");
        env.insert("XDG_SESSION_TYPE", "x11");
        const QString wallpaper = m_dir.filePath("bare.jpg");
        QProcess skyloom;
        skyloom.setProcessEnvironment(env);
        skyloom.start(SKYLOOM_BINARY,
                      {"--compose", m_dir.filePath("small.png"), "--output", wallpaper, "--apply"});
        QVERIFY(skyloom.waitForFinished(60000));
        QVERIFY2(skyloom.exitCode() == 0, skyloom.readAllStandardError().constData());

        // One connection for the whole check, so that the server does not reset in between.
        Display* look = XOpenDisplay(server.Name().toLatin1().constData());
        QVERIFY(look != nullptr);
        const unsigned long pixmap = RootPixmap("_XROOTPMAP_ID", look);
        QVERIFY(pixmap != 0);
        QCOMPARE(RootPixmap("ESETROOT_PMAP_ID", look), pixmap);
        const QImage composed = Pixels(QImage(wallpaper));
        QCOMPARE(composed.size(), QSize(320, 240));
        const QImage shown = RootPicture(m_dir.path(), server.Name());
        XCloseDisplay(look);
        QCOMPARE(shown.size(), composed.size());
        QVERIFY2(LargestDifference(shown, composed) <= tolerance,
                 qPrintable(QString::number(LargestDifference(shown, composed))));
    }

    void replacingNeverLeavesTheRootWithoutItsPixmap() {
        // A compositor or terminal reads the properties whenever they change: a new background
        // replaces them, and is never preceded by their removal (or by freeing the pixmap they
        // name, which the server reports as a removal too).
        skyloom::platform::X11RootWallpaper root(qgetenv("DISPLAY"));
        QString error;
        QImage picture(1280, 1024, QImage::Format_RGB32);
        picture.fill(0xFF306090u);
        QVERIFY(picture.save(m_dir.filePath("first.png")));
        QVERIFY2(root.Apply(m_dir.filePath("first.png"), &error), qPrintable(error));
        const Window rootWindow = DefaultRootWindow(m_session);
        XSelectInput(m_session, rootWindow, PropertyChangeMask);
        XSync(m_session, True); // nothing from before
        picture.fill(0xFF903060u);
        QVERIFY(picture.save(m_dir.filePath("second.png")));
        QVERIFY2(root.Apply(m_dir.filePath("second.png"), &error), qPrintable(error));
        XSync(m_session, False);
        const Atom watched[] = {XInternAtom(m_session, "_XROOTPMAP_ID", False),
                                XInternAtom(m_session, "ESETROOT_PMAP_ID", False)};
        int replaced = 0;
        while (XPending(m_session)) {
            XEvent event;
            XNextEvent(m_session, &event);
            if (event.type != PropertyNotify ||
                (event.xproperty.atom != watched[0] && event.xproperty.atom != watched[1]))
                continue;
            QCOMPARE(event.xproperty.state, PropertyNewValue);
            ++replaced;
        }
        QCOMPARE(replaced, 2);
        XSelectInput(m_session, rootWindow, NoEventMask);
        QCOMPARE(RootPicture(m_dir.path()), Pixels(picture));
    }

    void staleRootPropertiesAreNoFault() {
        // Another program named a pixmap that no longer exists (the server's own id range, so
        // that no live client owns it). Freeing it fails; the new background is set anyway,
        // and the X error does not end the process.
        const unsigned long stale = 0x1FFFF0;
        const Window rootWindow = DefaultRootWindow(m_session);
        for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
            XChangeProperty(m_session, rootWindow, XInternAtom(m_session, name, False), XA_PIXMAP,
                            32, PropModeReplace, reinterpret_cast<const unsigned char*>(&stale), 1);
        XSync(m_session, False);
        QImage picture(1280, 1024, QImage::Format_RGB32);
        picture.fill(0xFF406080u);
        QVERIFY(picture.save(m_dir.filePath("after-stale.png")));
        skyloom::platform::X11RootWallpaper root(qgetenv("DISPLAY"));
        QString error;
        QVERIFY2(root.Apply(m_dir.filePath("after-stale.png"), &error), qPrintable(error));
        const unsigned long pixmap = RootPixmap("_XROOTPMAP_ID");
        QVERIFY(pixmap != 0 && pixmap != stale);
        QCOMPARE(RootPicture(m_dir.path()), Pixels(picture));
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
