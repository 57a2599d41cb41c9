// Ctrl+Alt keys on a real X server: pressed through XTEST (xdotool), and a key another client
// holds already, which must be left out without ending the program.

#include "TestMain.h"
#include "platform/GlobalHotkeys.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <memory>

using namespace skyloom::platform;

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

bool Press(const char* keys) {
    return QProcess::execute("xdotool", {"key", keys}) == 0;
}

} // namespace

class TestX11Hotkeys : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs an X server (run under xvfb-run)");
    }

    void keysReachTheProgram() {
        auto hotkeys = CreateGlobalHotkeys();
        const QList<int> ids =
            hotkeys->Register({{1061, 'p'}, {1062, 'r'}, {1063, 'n'}, {1064, 'b'}});
        QCOMPARE(ids, QList<int>({1061, 1062, 1063, 1064}));
        QSignalSpy pressed(hotkeys.get(), &IGlobalHotkeys::pressed);
        QVERIFY(Press("ctrl+alt+n"));
        QVERIFY(pressed.wait(5000));
        QCOMPARE(pressed.takeFirst().at(0).toInt(), 1063);
        QVERIFY(Press("ctrl+alt+b"));
        QVERIFY(pressed.wait(5000));
        QCOMPARE(pressed.takeFirst().at(0).toInt(), 1064);
        // Other modifiers are no hotkey.
        QVERIFY(Press("ctrl+n"));
        QVERIFY(!pressed.wait(500));
        hotkeys->Unregister();
        QVERIFY(Press("ctrl+alt+n"));
        QVERIFY(!pressed.wait(500));
    }

    void aKeyHeldByAnotherProgramIsLeftOut() {
        std::unique_ptr<Display, DisplayCloser> other(XOpenDisplay(nullptr));
        QVERIFY(other);
        const Window root = DefaultRootWindow(other.get());
        XGrabKey(other.get(), XKeysymToKeycode(other.get(), XK_p), ControlMask | Mod1Mask, root,
                 True, GrabModeAsync, GrabModeAsync);
        XSync(other.get(), False);

        auto hotkeys = CreateGlobalHotkeys();
        const QList<int> ids = hotkeys->Register({{1061, 'p'}, {1063, 'n'}});
        QCOMPARE(ids, QList<int>({1063})); // still alive, and N still works
        QSignalSpy pressed(hotkeys.get(), &IGlobalHotkeys::pressed);
        QVERIFY(Press("ctrl+alt+n"));
        QVERIFY(pressed.wait(5000));
        QCOMPARE(pressed.takeFirst().at(0).toInt(), 1063);
    }
};

SKYLOOM_TEST_MAIN(TestX11Hotkeys, QGuiApplication)
#include "tst_x11_hotkeys.moc"
