// A photo on each monitor: layouts of two landscape monitors, landscape beside portrait,
// three of mixed sizes with offsets and a gap, and one left of the origin. The canvas covers
// the virtual desktop, every monitor shows its photo at its place, and what no monitor covers
// is black. The desktops are saved in rendered-desktops/ for a look.

#include "TestMain.h"
#include "composer/CBackgroundRenderer.h"
#include "composer/CWallpaperComposer.h"
#include "composer/DesktopCanvas.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace skyloom;

namespace {

using Rects = std::vector<QRect>;

bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 12 && std::abs(qGreen(a) - qGreen(b)) <= 12 &&
           std::abs(qBlue(a) - qBlue(b)) <= 12;
}

} // namespace

class TestDesktopCanvas : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::vector<MonitorPhoto> m_photos;
    std::vector<QRgb> m_colours{qRgb(220, 30, 30), qRgb(30, 60, 220)};

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath("rendered-desktops"));
        const QSize sizes[] = {{1600, 900}, {900, 1600}}; // a landscape and a portrait photo
        for (int i = 0; i < 2; ++i) {
            QImage photo(sizes[i], QImage::Format_RGB32);
            photo.fill(m_colours[std::size_t(i)]);
            const QString path = m_dir.filePath(QString("photo%1.jpg").arg(i));
            QVERIFY(photo.save(path, "JPEG", 95));
            m_photos.push_back({path, OrientationOf(sizes[i])});
        }
    }

    void eachMonitorItsPhoto_data() {
        QTest::addColumn<Rects>("monitors");
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<QList<QPoint>>("black"); // desktop points no monitor covers
        QTest::newRow("two landscape") << Rects{{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}}
                                       << QSize(3840, 1080) << QList<QPoint>{};
        QTest::newRow("landscape and portrait")
            << Rects{{0, 0, 1280, 1024}, {1280, 0, 1024, 1280}} << QSize(2304, 1280)
            << QList<QPoint>{{100, 1100}, {1279, 1279}};
        QTest::newRow("three, offsets and a gap")
            << Rects{{0, 200, 1280, 720}, {1400, 0, 1080, 1920}, {2480, 100, 1600, 900}}
            << QSize(4080, 1920) << QList<QPoint>{{10, 10}, {1340, 500}, {3000, 1500}};
        QTest::newRow("left of the origin") << Rects{{-1920, 0, 1920, 1080}, {0, 0, 1920, 1080}}
                                            << QSize(3840, 1080) << QList<QPoint>{};
    }
    void eachMonitorItsPhoto() {
        QFETCH(Rects, monitors);
        QFETCH(QList<QPoint>, black);
        RenderOptions options;
        options.background.type = kSolidBackground;
        options.background.solidColor = 0x206020;
        const DesktopCanvas desktop = ComposeDesktop(monitors, m_photos, options, nullptr);
        QVERIFY(!desktop.image.isNull());
        QTEST(desktop.image.size(), "canvas");
        QCOMPARE(desktop.drawn, std::vector<bool>(monitors.size(), true));
        desktop.image.save(QString("rendered-desktops/%1.png")
                               .arg(QString(QTest::currentDataTag()).replace(' ', '-')));
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            const QRect m = monitors[i].translated(-desktop.box.topLeft());
            // Monitor i shows photo i (the last photo past the end) at its centre, and the
            // background or the photo, never black, at its corners.
            const QRgb expected = m_colours[std::min(i, m_colours.size() - 1)];
            QVERIFY2(Near(desktop.image.pixel(m.center()), expected),
                     qPrintable(QString("monitor %1").arg(i)));
            for (const QPoint& corner : {m.topLeft(), m.bottomRight()})
                QVERIFY(desktop.image.pixel(corner) != qRgb(0, 0, 0));
        }
        for (const QPoint& p : black)
            QCOMPARE(desktop.image.pixel(p), qRgb(0, 0, 0));
    }

    // Each monitor is composed at its own size: a portrait monitor's photo fills its height.
    void composedAtTheMonitorsSize() {
        RenderOptions options;
        options.background.type = kSolidBackground;
        options.background.solidColor = 0x206020;
        const Rects monitors{{0, 0, 1280, 1024}, {1280, 0, 1024, 1280}};
        const DesktopCanvas desktop =
            ComposeDesktop(monitors, {m_photos[0], m_photos[1]}, options, nullptr);
        bool drawn = false;
        const QImage alone =
            ComposeCanvas(m_photos[1].path, m_photos[1].orientation, options,
                          CBackgroundRenderer::RenderBackground(options.background, {1024, 1280}),
                          nullptr, &drawn);
        QVERIFY(drawn);
        QCOMPARE(desktop.image.copy(1280, 0, 1024, 1280).convertToFormat(QImage::Format_RGB32),
                 alone.convertToFormat(QImage::Format_RGB32));
    }

    void nothingToCompose() {
        QVERIFY(ComposeDesktop({}, m_photos, RenderOptions(), nullptr).image.isNull());
        QVERIFY(ComposeDesktop({{0, 0, 100, 100}}, {}, RenderOptions(), nullptr).image.isNull());
        // Beyond the image limit.
        QVERIFY(ComposeDesktop({{0, 0, 20000, 20000}}, m_photos, RenderOptions(), nullptr)
                    .image.isNull());
    }
};

SKYLOOM_TEST_MAIN(TestDesktopCanvas, QGuiApplication)
#include "tst_desktop_canvas.moc"
