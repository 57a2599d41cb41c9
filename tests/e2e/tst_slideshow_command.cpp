// skyloom --slideshow on a real X server: the user's library and settings drive the root
// window's picture, changing every second, until a signal ends the program.

#include "TestMain.h"
#include "TestProcess.h"
#include "library/CShortcutsTable.h"
#include "settings/CAppSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
// After Qt's headers, whose names Xlib's macros would break.
// clang-format off
#include "RootPixmap.h"
// clang-format on
#include <csignal>
#include <memory>

using namespace skyloom;

namespace {

// Four changes at a 1 s interval, and the exit after a signal; sanitizers slow both down.
#ifdef SKYLOOM_SANITIZED
constexpr int kChangesLimitMs = 40000;
constexpr int kExitLimitMs = 8000;
#else
constexpr int kChangesLimitMs = 10000;
constexpr int kExitLimitMs = 1500;
#endif

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

} // namespace

class TestSlideshowCommand : public QObject {
    Q_OBJECT

private slots:
    void changesTheRootUntilTerminated() {
        QTemporaryDir home;
        const QString data = home.path() + "/Documents/My Skyloom";
        QVERIFY(QDir().mkpath(data));
        // Two folders of photos, each photo a colour of its own.
        const QRgb colours[] = {0xFFC03020, 0xFF20C030, 0xFF2030C0,
                                0xFFC0C020, 0xFF20C0C0, 0xFFC020C0};
        for (int i = 0; i < 6; ++i) {
            const QString folder = home.path() + (i < 3 ? "/Pictures/sea" : "/Pictures/hills");
            QVERIFY(QDir().mkpath(folder));
            QImage photo(640, 480, QImage::Format_RGB32);
            photo.fill(colours[i]);
            QVERIFY(photo.save(QString("%1/%2.jpg").arg(folder).arg(i)));
        }
        {
            CShortcutsTable table(data + "/Skyloomv1.0.skdb");
            QVERIFY(table.Open());
            for (const char* name : {"sea", "hills"}) {
                ShortcutRecord r;
                r.catId = 3;
                r.name = name;
                r.folder = home.path() + "/Pictures/" + name;
                r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
                r.numPhotos = 3;
                QCOMPARE(table.Insert(r), 1);
            }
        }
        CAppSettings settings;
        settings.m_arrQueue = {1, 2};
        settings.m_bGlassReflection = 0;
        settings.m_nIntervalSeconds = 3; // less 2 s for the change: one second
        settings.SetSettingsPath(data + "/Settings.skdat");
        QVERIFY(settings.Save());

        // Also keeps the server from resetting.
        const std::unique_ptr<Display, DisplayCloser> look(XOpenDisplay(nullptr));
        QVERIFY(look != nullptr);
        QProcessEnvironment env = test::UserEnvironment(home.path());
        env.remove("XDG_CURRENT_DESKTOP");
        env.remove("SKYLOOM_SET_WALLPAPER_COMMAND");
        env.insert("XDG_SESSION_TYPE", "x11");
        QProcess skyloom;
        skyloom.setProcessEnvironment(env);
        skyloom.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        skyloom.start(SKYLOOM_BINARY, {"--slideshow"});
        QVERIFY(skyloom.waitForStarted());

        // Several pictures in a few seconds. (The server hands a new connection the ids of one
        // that left, so pixmap ids recur: count changes, not distinct ids.)
        int changes = 0;
        unsigned long shown = 0;
        QElapsedTimer timer;
        timer.start();
        while (changes < 4 && timer.elapsed() < kChangesLimitMs) {
            QTest::qWait(50);
            const unsigned long pixmap = test::RootPixmap("_XROOTPMAP_ID", look.get());
            if (pixmap && pixmap != shown) {
                shown = pixmap;
                ++changes;
            }
        }
        QVERIFY2(changes >= 4, qPrintable(QString::number(changes)));
        QCOMPARE(QImage(data + "/Wallpaper.jpg").size(), QSize(1280, 1024));

        timer.restart();
        skyloom.terminate();
        QVERIFY(skyloom.waitForFinished(10000));
        QVERIFY2(timer.elapsed() < kExitLimitMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(skyloom.exitStatus(), QProcess::NormalExit);
        QCOMPARE(skyloom.exitCode(), 0);
        const QString out = QString::fromUtf8(skyloom.readAllStandardOutput());
        QVERIFY2(out.contains("6 Photos Queued"), qPrintable(out));
    }
};

SKYLOOM_TEST_MAIN(TestSlideshowCommand, QCoreApplication)
#include "tst_slideshow_command.moc"
