// --compose with a photo on each monitor over a monitor list the test sets (the dummy
// platform under a real X display): the monitors in the order photos are handed out, the
// virtual desktop, and the picture RunCompose writes.

#include "DummyServices.h"
#include "TestMain.h"
#include "app/ComposeCommand.h"
#include "composer/CWallpaperComposer.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

using namespace skyloom;
using platform::MonitorInfo;

class TestComposeMonitors : public QObject {
    Q_OBJECT

private slots:
    void monitorsInHandOutOrder() {
        std::vector<MonitorInfo> monitors{{"C", {1280, 500, 800, 600}, false},
                                          {"B", {1280, 0, 1024, 500}, false},
                                          {"A", {-200, 100, 1480, 900}, true}};
        platform::SortMonitors(monitors);
        QStringList names;
        for (const MonitorInfo& m : monitors)
            names << m.name;
        QCOMPARE(names, QStringList({"A", "B", "C"}));
        QCOMPARE(platform::VirtualDesktop(monitors), QRect(-200, 0, 2504, 1100));
        QVERIFY(platform::VirtualDesktop({}).isEmpty());
    }

    // Landscape at the left, portrait at the right, listed the other way round: the first
    // photo goes to the left one.
    void composesTheWholeDesktop() {
        QTemporaryDir dir;
        test::DummyServices services(dir.path());
        services.desktop.monitors = {{"DP-2", {1280, 0, 1024, 1280}, false},
                                     {"DP-1", {0, 0, 1280, 1024}, true}};
        const QRgb red = qRgb(220, 30, 30);
        const QRgb blue = qRgb(30, 60, 220);
        QImage landscape(800, 450, QImage::Format_RGB32);
        landscape.fill(red);
        QImage portrait(450, 800, QImage::Format_RGB32);
        portrait.fill(blue);
        QVERIFY(landscape.save(dir.filePath("landscape.png")));
        QVERIFY(portrait.save(dir.filePath("portrait.png")));

        ComposeRequest request;
        request.photos = {dir.filePath("landscape.png"), dir.filePath("portrait.png")};
        request.output = dir.filePath("desktop.jpg");
        request.settings = dir.filePath("none.skdat"); // not there: cannot be read
        QCOMPARE(RunCompose(request), 1);
        request.settings.clear(); // the defaults of a user without settings
        request.monitors = "each";
        QCOMPARE(RunCompose(request), 0);
        const QImage desktop(request.output);
        QCOMPARE(desktop.size(), QSize(2304, 1280));
        const auto near = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) < 16 && std::abs(qBlue(a) - qBlue(b)) < 16;
        };
        QVERIFY(near(desktop.pixel(640, 512), red));
        QVERIFY(near(desktop.pixel(1280 + 512, 640), blue));
        QCOMPARE(desktop.pixel(100, 1200) & 0xFFFFFF, 0u); // below the landscape monitor
    }
};

SKYLOOM_TEST_MAIN(TestComposeMonitors, QGuiApplication)
#include "tst_compose_monitors.moc"
