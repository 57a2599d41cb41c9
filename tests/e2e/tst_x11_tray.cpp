// The real program with a real X11 system tray (trayer) that starts two seconds after it, as a
// panel may at log-in, and no session bus: started minimized, it waits for the tray, docks its
// icon there without showing its window, and a single click on the icon restores the window.

#include "SlideshowHome.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "X11Windows.h"
#include "library/MessageReporter.h"

#include <QProcess>
#include <QStandardPaths>

#include <memory>

using namespace skyloom;
using test::kSlow;

namespace {

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000 * kSlow)) {
        process.kill();
        process.waitForFinished();
    }
}

} // namespace

class TestX11Tray : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    test::DisplayPtr m_display;

    // The icons docked in the tray's panel, each inside the socket the tray made for it (only
    // Skyloom's docks here).
    QList<Window> DockedIcons() const {
        Display* display = m_display.get();
        QList<Window> icons;
        for (Window panel : test::ChildWindows(display, DefaultRootWindow(display), "panel", true))
            for (Window socket : test::ChildWindows(display, panel, nullptr, true))
                icons << test::ChildWindows(display, socket, nullptr, true);
        return icons;
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("trayer").isEmpty())
            QFAIL("trayer is missing: scripts/deps.sh installs it");
        m_display.reset(XOpenDisplay(nullptr));
        QVERIFY(m_display);
        QVERIFY(test::MakeSlideshowHome(m_home.path(), [](CAppSettings& settings) {
            settings.m_bStartMinimized = 1;
            settings.m_bMinimizeToTray = 1;
        }));
    }

    void iconWaitsForTheTrayAndRestores() {
        QProcessEnvironment env = test::UserEnvironment(m_home.path());
        env.remove("DBUS_SESSION_BUS_ADDRESS"); // the X11 tray alone
        env.insert("SKYLOOM_SET_WALLPAPER_COMMAND", "true");
        QProcess skyloom;
        skyloom.setProcessEnvironment(env);
        skyloom.setProcessChannelMode(QProcess::ForwardedChannels);
        skyloom.start(SKYLOOM_BINARY, QStringList{});
        QVERIFY(skyloom.waitForStarted());
        QTest::qWait(2000);
        QVERIFY(test::ShownWindows(m_display.get(), kApplicationTitle).isEmpty());

        QProcess tray;
        tray.start("trayer", {"--expand", "false", "--widthtype", "request", "--align", "right"});
        QVERIFY(tray.waitForStarted());
        // Soon after the tray comes, well before the program would stop waiting for one.
        QTRY_COMPARE_WITH_TIMEOUT(DockedIcons().size(), 1, 8000);
        QVERIFY2(test::ShownWindows(m_display.get(), kApplicationTitle).isEmpty(),
                 "the window went to the taskbar");

        const QString icon = QString::number(DockedIcons().first());
        QCOMPARE(
            QProcess::execute("xdotool", {"mousemove", "--window", icon, "4", "4", "click", "1"}),
            0);
        QTRY_COMPARE_WITH_TIMEOUT(test::ShownWindows(m_display.get(), kApplicationTitle).size(), 1,
                                  5000 * kSlow);

        QProcess quit;
        quit.setProcessEnvironment(env);
        quit.start(SKYLOOM_BINARY, {"--quit"});
        QVERIFY(quit.waitForFinished(10000 * kSlow));
        QVERIFY(skyloom.waitForFinished(10000 * kSlow));
        QCOMPARE(skyloom.exitCode(), 0);
        Stop(tray);
    }
};

SKYLOOM_TEST_MAIN(TestX11Tray, QCoreApplication)
#include "tst_x11_tray.moc"
