// Skyloom on a real X server with two monitors and no hardware: Xorg with the dummy video
// driver, its 2304x1280 screen split by RandR into a landscape monitor (1280x1024 at 0,0, the
// primary) and a portrait one (1024x1280 right of it). The root window's picture is read back
// from the server.

#include "TestFiles.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "library/CShortcutsTable.h"
#include "settings/CAppSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
// After Qt's headers, whose names Xlib's macros would break.
// clang-format off
#include "RootPixmap.h"
// clang-format on
#include <functional>
#include <memory>

using namespace skyloom;

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

constexpr char kXorgConfig[] = R"(Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 2304 1280
  EndSubSection
EndSection
)";

constexpr QPoint kLeftMiddle(640, 512);   // the landscape monitor's middle
constexpr QPoint kRightMiddle(1792, 640); // the portrait monitor's middle
constexpr QPoint kOutside(640, 1150);     // below the landscape monitor: no monitor there

bool IsBlue(QRgb c) {
    return qBlue(c) > 180 && qRed(c) < 80 && qGreen(c) < 80;
}
bool IsRed(QRgb c) {
    return qRed(c) > 180 && qBlue(c) < 80 && qGreen(c) < 80;
}
bool IsBlack(QRgb c) {
    return qRed(c) < 8 && qGreen(c) < 8 && qBlue(c) < 8;
}

QString Colour(QRgb c) {
    return QColor(c).name();
}

} // namespace

class TestMultiMonitor : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcess m_xorg;
    QString m_display;
    std::unique_ptr<Display, DisplayCloser> m_look;

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QProcessEnvironment Environment(const QString& home) const {
        QProcessEnvironment env = test::UserEnvironment(home);
        env.insert("DISPLAY", m_display);
        env.insert("XDG_SESSION_TYPE", "x11");
        for (const char* name : {"XDG_CURRENT_DESKTOP", "SKYLOOM_SET_WALLPAPER_COMMAND",
                                 "WAYLAND_DISPLAY", "DESKTOP_SESSION"})
            env.remove(name);
        return env;
    }

    int Run(const QString& program, const QStringList& arguments, const QString& home,
            QString* err = nullptr) {
        QProcess process;
        process.setProcessEnvironment(Environment(home));
        process.start(program, arguments);
        if (!process.waitForFinished(60000 * test::kSlow))
            return -1;
        if (err)
            *err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QImage Root() {
        return test::PixmapPicture(m_look.get(), test::RootPixmap("_XROOTPMAP_ID", m_look.get()));
    }

    // The root's picture once it satisfies done, or the last one read when time runs out.
    QImage WaitForRoot(const std::function<bool(const QImage&)>& done) {
        QImage root;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000 * test::kSlow) {
            QTest::qWait(200);
            root = Root();
            if (!root.isNull() && done(root))
                break;
        }
        return root;
    }

    void SaveLook(const QImage& root, const char* name) {
        QDir().mkpath("rendered-desktops");
        root.save(QString("rendered-desktops/%1.png").arg(name));
    }

private slots:
    void initTestCase() {
        const QString xorg = QStandardPaths::findExecutable("Xorg");
        if (xorg.isEmpty() || !QFileInfo::exists("/usr/lib/xorg/modules/drivers/dummy_drv.so"))
            QSKIP("Xorg or its dummy video driver is not installed (scripts/deps.sh installs "
                  "xserver-xorg-core and xserver-xorg-video-dummy)");
        QVERIFY2(!QStandardPaths::findExecutable("xrandr").isEmpty(),
                 "xrandr is missing (x11-xserver-utils)");
        QVERIFY(test::WriteFile(Path("xorg.conf"), kXorgConfig));
        // Xorg picks a free display itself and writes its number to standard output.
        m_xorg.setStandardErrorFile(Path("xorg.out"));
        m_xorg.start(xorg, {"-displayfd", "1", "-config", Path("xorg.conf"), "-logfile",
                            Path("xorg.log"), "-noreset", "-nolisten", "tcp"});
        QVERIFY(m_xorg.waitForStarted());
        QElapsedTimer timer;
        timer.start();
        QByteArray number;
        while (!number.contains('\n') && timer.elapsed() < 20000 &&
               m_xorg.state() == QProcess::Running) {
            m_xorg.waitForReadyRead(200);
            number += m_xorg.readAllStandardOutput();
        }
        QVERIFY2(number.contains('\n'),
                 qPrintable("Xorg did not start: " + test::ReadAll(Path("xorg.out")) +
                            test::ReadAll(Path("xorg.log")).right(2000)));
        m_display = ":" + QString::fromLatin1(number.trimmed());
        m_look.reset(XOpenDisplay(m_display.toLatin1().constData()));
        QVERIFY(m_look);

        // The screen at its full size, then two monitors; the output's monitor is the primary.
        const QString xrandr = "xrandr";
        QCOMPARE(
            Run(xrandr,
                {"--fb", "2304x1280", "--output", "DUMMY0", "--mode", "1280x1024", "--pos", "0x0"},
                m_dir.path()),
            0);
        QCOMPARE(
            Run(xrandr, {"--setmonitor", "*LEFT", "1280/338x1024/270+0+0", "DUMMY0"}, m_dir.path()),
            0);
        QCOMPARE(Run(xrandr, {"--setmonitor", "RIGHT", "1024/270x1280/338+1280+0", "none"},
                     m_dir.path()),
                 0);

        QImage landscape(800, 600, QImage::Format_RGB32);
        landscape.fill(QColor(20, 30, 220));
        QVERIFY(landscape.save(Path("landscape.png")));
        QImage portrait(600, 800, QImage::Format_RGB32);
        portrait.fill(QColor(220, 30, 20));
        QVERIFY(portrait.save(Path("portrait.png")));
        // Every photo in the middle of its monitor, at full size, over a grey background.
        CAppSettings look;
        look.m_nBackgroundType = 0;
        look.m_crSolidColor = 0x404040;
        look.m_nPortraitPosition = look.m_nLandscapePosition = 5; // centre
        look.m_nPortraitScale = look.m_nLandscapeScale = 100;
        look.m_bGlassReflection = 0;
        look.SetSettingsPath(Path("look.skdat"));
        QVERIFY(look.Save());
    }

    void cleanupTestCase() {
        m_look.reset();
        if (m_xorg.state() == QProcess::Running) {
            m_xorg.terminate();
            m_xorg.waitForFinished(10000);
        }
    }

    void composesAPhotoForEachMonitor() {
        QTemporaryDir home;
        QString err;
        QCOMPARE(Run(SKYLOOM_BINARY,
                     {"--compose", Path("landscape.png"), "--compose", Path("portrait.png"),
                      "--monitors", "each", "--output", Path("each.jpg"), "--settings",
                      Path("look.skdat"), "--apply"},
                     home.path(), &err),
                 0);
        // The canvas of the virtual desktop: exactly the two screens Qt sees.
        const QImage canvas(Path("each.jpg"));
        SaveLook(canvas, "xorg-each-monitor-canvas");
        QCOMPARE(canvas.size(), QSize(2304, 1280));
        const QImage root = Root();
        SaveLook(root, "xorg-each-monitor");
        QCOMPARE(root.size(), QSize(2304, 1280));
        QVERIFY2(IsBlue(root.pixel(kLeftMiddle)), qPrintable(Colour(root.pixel(kLeftMiddle))));
        QVERIFY2(IsRed(root.pixel(kRightMiddle)), qPrintable(Colour(root.pixel(kRightMiddle))));
        QVERIFY2(IsBlack(root.pixel(kOutside)), qPrintable(Colour(root.pixel(kOutside))));
    }

    void onePhotoIsCentredOnThePrimaryMonitor() {
        QTemporaryDir home;
        QCOMPARE(Run(SKYLOOM_BINARY,
                     {"--compose", Path("landscape.png"), "--output", Path("primary.jpg"),
                      "--settings", Path("look.skdat"), "--apply"},
                     home.path()),
                 0);
        QCOMPARE(QImage(Path("primary.jpg")).size(), QSize(1280, 1024));
        const QImage root = Root();
        SaveLook(root, "xorg-primary-monitor");
        // Centred on the landscape monitor, not across the seam; nothing on the other.
        QVERIFY2(IsBlue(root.pixel(kLeftMiddle)), qPrintable(Colour(root.pixel(kLeftMiddle))));
        QVERIFY(IsBlue(root.pixel(1279, 512)));
        QVERIFY(IsBlack(root.pixel(1280, 512)));
        QVERIFY2(IsBlack(root.pixel(kRightMiddle)), qPrintable(Colour(root.pixel(kRightMiddle))));
    }

    void theSlideshowShowsDifferentPhotosOnTheMonitors() {
        // The portrait monitor starts black, so that only the slideshow can make it red.
        QTemporaryDir before;
        QCOMPARE(
            Run(SKYLOOM_BINARY,
                {"--compose", Path("landscape.png"), "--output", Path("before.jpg"), "--apply"},
                before.path()),
            0);
        QVERIFY(IsBlack(Root().pixel(kRightMiddle)));
        // A library of a landscape folder and a portrait folder, the option "A photo on each
        // monitor" in the profile store; the portrait monitor gets the portrait photo.
        QTemporaryDir home;
        const QString data = home.path() + "/Documents/My Skyloom";
        QVERIFY(QDir().mkpath(data));
        for (const char* folder : {"wide", "tall"})
            QVERIFY(QDir().mkpath(home.path() + "/Pictures/" + folder));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(QFile::copy(Path("landscape.png"),
                                QString("%1/Pictures/wide/%2.png").arg(home.path()).arg(i)));
            QVERIFY(QFile::copy(Path("portrait.png"),
                                QString("%1/Pictures/tall/%2.png").arg(home.path()).arg(i)));
        }
        {
            CShortcutsTable table(data + "/Skyloomv1.0.skdb");
            QVERIFY(table.Open());
            for (const char* name : {"wide", "tall"}) {
                ShortcutRecord r;
                r.catId = 3;
                r.name = name;
                r.folder = home.path() + "/Pictures/" + name;
                r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
                r.numPhotos = 2;
                QCOMPARE(table.Insert(r), 1);
            }
        }
        QVERIFY(QFile::copy(Path("look.skdat"), data + "/Settings.skdat"));
        CAppSettings settings;
        settings.SetSettingsPath(data + "/Settings.skdat");
        QCOMPARE(settings.Load(), CAppSettings::LoadOutcome::Loaded);
        settings.m_arrQueue = {1, 2};
        settings.m_nIntervalSeconds = 30;
        QVERIFY(settings.Save());
        QVERIFY(test::WriteFile(home.path() + "/.config/Kestrelworks/Skyloom.ini",
                                "[Options]\nMonitors=each\n"));

        QProcess skyloom;
        skyloom.setProcessEnvironment(Environment(home.path()));
        skyloom.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        skyloom.start(SKYLOOM_BINARY, {"--slideshow"});
        QVERIFY(skyloom.waitForStarted());
        QImage root = WaitForRoot([](const QImage& r) {
            return IsRed(r.pixel(kRightMiddle)) && IsBlue(r.pixel(kLeftMiddle));
        });
        SaveLook(root, "xorg-slideshow-each-monitor");
        QVERIFY2(IsBlue(root.pixel(kLeftMiddle)), qPrintable(Colour(root.pixel(kLeftMiddle))));
        QVERIFY2(IsRed(root.pixel(kRightMiddle)), qPrintable(Colour(root.pixel(kRightMiddle))));
        QVERIFY(IsBlack(root.pixel(kOutside)));

        // The portrait monitor goes away: the photo shown is composed again for the one left,
        // centred on it; it comes back: it gets its portrait photo again.
        QCOMPARE(Run("xrandr", {"--delmonitor", "RIGHT"}, m_dir.path()), 0);
        root = WaitForRoot([](const QImage& r) {
            return IsBlack(r.pixel(kRightMiddle)) && IsBlue(r.pixel(kLeftMiddle));
        });
        QVERIFY2(IsBlack(root.pixel(kRightMiddle)), qPrintable(Colour(root.pixel(kRightMiddle))));
        QVERIFY(IsBlue(root.pixel(kLeftMiddle)));
        QCOMPARE(Run("xrandr", {"--setmonitor", "RIGHT", "1024/270x1280/338+1280+0", "none"},
                     m_dir.path()),
                 0);
        root = WaitForRoot([](const QImage& r) { return IsRed(r.pixel(kRightMiddle)); });
        QVERIFY2(IsRed(root.pixel(kRightMiddle)), qPrintable(Colour(root.pixel(kRightMiddle))));
        QVERIFY(IsBlue(root.pixel(kLeftMiddle)));

        skyloom.terminate();
        QVERIFY(skyloom.waitForFinished(10000 * test::kSlow));
        QCOMPARE(QImage(data + "/Wallpaper.jpg").size(), QSize(2304, 1280));
        QVERIFY(QString::fromUtf8(skyloom.readAllStandardOutput()).contains("4 Photos Queued"));
    }
};

SKYLOOM_TEST_MAIN(TestMultiMonitor, QCoreApplication)
#include "tst_multi_monitor.moc"
