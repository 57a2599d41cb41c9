// The settings pages' preview as the composer draws it: its own layout rules, its background
// (a gradient computed at the preview's size, an image laid out at the screen's and shrunk, a
// missing one white), opacity that ignores the first 30 % of transparency, and a render of every
// position over each background kind saved in rendered-previews/ for a look.

#include "TestMain.h"
#include "composer/CBackgroundRenderer.h"
#include "composer/ImageToolkit.h"
#include "composer/PreviewComposer.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

using namespace skyloom;

namespace {

constexpr QSize kPreview(191, 121);

// A sample photo of the size: a ramp with a dark frame.
QImage Sample(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(40 + 200 * x / w, 180 - 100 * y / h, 60));
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 4));
    painter.drawRect(2, 2, w - 4, h - 4);
    return image;
}

PreviewScene Scene(int type, int position, int orientation) {
    PreviewScene scene;
    scene.photoMode = true;
    scene.portraitSample = Sample(201, 252);
    scene.landscapeSample = Sample(325, 190);
    scene.shownOrientation = orientation;
    scene.screen = QSize(1920, 1080);
    scene.size = kPreview;
    RenderOptions& o = scene.options;
    o.background.type = type;
    o.background.solidColor = 0x203040;
    o.background.gradientStart = 0x702010;
    o.background.gradientEnd = 0xF0E0C0;
    o.background.gradientDirection = kRadial;
    o.portraitPosition = o.landscapePosition = position;
    o.portraitScale = o.landscapeScale = 80;
    return scene;
}

} // namespace

class TestPreviewComposer : public QObject {
    Q_OBJECT

private slots:
    void layout_data() {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("NW");
        QTest::addColumn<int>("NH");
        QTest::addColumn<int>("DW");
        QTest::addColumn<int>("X");
        QTest::addColumn<int>("Y");
        // 121 x 0.8 = 96.8: a 96-pixel box; 201 x 96/252 = 76.6.
        QTest::newRow("portrait, centre")
            << QSize(201, 252) << 1 << 5 << 80 << 76 << 96 << 76 << 57 << 12;
        // 3-D: 65 % of the width, anchored on that.
        QTest::newRow("portrait, far right 3-D")
            << QSize(201, 252) << 1 << 9 << 80 << 76 << 96 << 49 << 142 << 12;
        // The larger factor even at a 3-D position (121/190 beats 191/325), and the width
        // limited to the preview's: 325 x 0.637 = 206 becomes 191.
        QTest::newRow("landscape 3-D covers its box")
            << QSize(325, 190) << 2 << 4 << 100 << 191 << 121 << 105 << 43 << 0;
        // 191/200 beats 121/150: 150 x 0.955 = 143.2 makes 143 rows, odd, and kept.
        QTest::newRow("height not made even")
            << QSize(200, 150) << 2 << 0 << 100 << 191 << 143 << 191 << 0 << -11;
    }
    void layout() {
        QFETCH(QSize, photo);
        QFETCH(int, orientation);
        QFETCH(int, position);
        QFETCH(int, scale);
        RenderOptions o;
        o.portraitPosition = o.landscapePosition = position;
        o.portraitScale = o.landscapeScale = scale;
        const PhotoLayout l = LayoutPreviewPhoto(kPreview, photo, orientation, o);
        QTEST(l.NW, "NW");
        QTEST(l.NH, "NH");
        QTEST(l.DW, "DW");
        QTEST(l.X, "X");
        QTEST(l.Y, "Y");
    }

    void opacity_data() {
        QTest::addColumn<int>("transparency");
        QTest::addColumn<bool>("glass");
        QTest::addColumn<float>("alpha");
        QTest::newRow("20 looks opaque") << 20 << false << 1.0f;
        QTest::newRow("30 looks opaque") << 30 << false << 1.0f;
        QTest::newRow("50") << 50 << false << 0.8f;
        QTest::newRow("90") << 90 << false << 0.4f;
        QTest::newRow("reflection: opaque") << 90 << true << 1.0f;
    }
    void opacity() {
        QFETCH(int, transparency);
        QFETCH(bool, glass);
        RenderOptions o;
        o.portraitTransparency = transparency;
        o.glassReflection = glass;
        QTEST(LayoutPreviewPhoto(kPreview, QSize(201, 252), kPortrait, o).alpha, "alpha");
        // Drawn, a transparency of 20 is the same picture as none.
        if (transparency == 20) {
            PreviewScene a = Scene(kSolidBackground, kCenter, kPortrait);
            a.options.glassReflection = 0;
            PreviewScene b = a;
            b.options.portraitTransparency = 20;
            QCOMPARE(ComposePreview(a, nullptr), ComposePreview(b, nullptr));
        }
    }

    void backgroundAlone_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("imageThere");
        QTest::newRow("solid") << 0 << 0 << false;
        QTest::newRow("radial gradient") << 1 << 0 << false;
        QTest::newRow("image fitted") << 2 << 0 << true;
        QTest::newRow("image tiled") << 2 << 1 << true;
        QTest::newRow("image missing") << 2 << 0 << false;
    }
    void backgroundAlone() {
        QFETCH(int, type);
        QFETCH(int, style);
        QFETCH(bool, imageThere);
        QTemporaryDir dir;
        const QString thumbnail = dir.path() + "/SKBackground.png";
        if (imageThere) {
            QImage picture(200, 100, QImage::Format_RGB32);
            picture.fill(QColor(200, 40, 40));
            QPainter(&picture).fillRect(0, 0, 100, 100, QColor(40, 40, 200));
            QVERIFY(picture.save(thumbnail));
        }
        PreviewScene scene = Scene(type, kCenter, kPortrait);
        scene.photoMode = false;
        scene.options.background.image = thumbnail;
        scene.options.background.imageStyle = style;
        const QImage preview = ComposeBackgroundPreview(scene);
        QCOMPARE(preview.size(), kPreview);
        QVERIFY(QDir().mkpath("rendered-previews"));
        preview.save(QString("rendered-previews/background-%1.png").arg(QTest::currentDataTag()));
        const BackgroundSettings& bg = scene.options.background;
        if (type == kGradientBackground) {
            // Computed at the preview's own size, not shrunk from the screen's.
            const QImage gradient =
                CBackgroundRenderer::RenderGradient(kPreview, bg.gradientStart, bg.gradientEnd,
                                                    bg.gradientDirection, bg.gradientTransform);
            QCOMPARE(preview.convertToFormat(QImage::Format_RGB32),
                     gradient.convertToFormat(QImage::Format_RGB32));
        } else if (type == kSolidBackground) {
            QCOMPARE(QColor(preview.pixel(5, 5)), QColor(0x40, 0x30, 0x20));
        } else if (!imageThere) {
            QCOMPARE(QColor(preview.pixel(95, 60)), QColor(Qt::white));
        } else {
            // Fitted, the left half is blue; tiled at 1920 pixels, the 200-pixel picture shows
            // its halves about ten times across.
            const int blueColumns = [&] {
                int n = 0;
                for (int x = 0; x < preview.width(); ++x)
                    n += qBlue(preview.pixel(x, 60)) > qRed(preview.pixel(x, 60));
                return n;
            }();
            if (style == kFitImage) {
                QVERIFY(qBlue(preview.pixel(20, 60)) > 150 && qRed(preview.pixel(170, 60)) > 150);
            } else {
                QVERIFY(qAbs(blueColumns - preview.width() / 2) < 15);
                QVERIFY(qRed(preview.pixel(15, 60)) > 100); // past the first blue half
            }
        }
    }

    void photoOverBackground_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("orientation");
        for (int type : {0, 1, 2})
            for (int position = 0; position <= 10; ++position)
                for (int orientation : {1, 2})
                    QTest::addRow("bg%d-pos%d-%s", type, position,
                                  orientation == 1 ? "portrait" : "landscape")
                        << type << position << orientation;
    }
    void photoOverBackground() {
        // Every position over every background, with the reflection: the photo is drawn, the
        // reflection under it, and nothing is left of the warp's key colour.
        QFETCH(int, type);
        QFETCH(int, position);
        QFETCH(int, orientation);
        QTemporaryDir dir;
        PreviewScene scene = Scene(type, position, orientation);
        scene.options.background.image = dir.path() + "/thumbnail.png";
        CBackgroundRenderer::WriteBackgroundThumbnail(
            BackgroundSettings{1, 0, 0x103060, 0xC0E0F0, 1, 0, {}, 0},
            scene.options.background.image);
        const QImage preview = ComposePreview(scene, nullptr);
        QCOMPARE(preview.size(), kPreview);
        preview.save(QString("rendered-previews/%1.png").arg(QTest::currentDataTag()));
        const PhotoLayout l =
            LayoutPreviewPhoto(kPreview, orientation == 1 ? QSize(201, 252) : QSize(325, 190),
                               orientation, scene.options);
        // The photo's middle shows the sample's colours (green over red and blue).
        const QRgb middle = preview.pixel(std::clamp(l.X + l.DW / 2, 0, 190), l.Y + l.NH / 2);
        QVERIFY2(qGreen(middle) > 90 && qBlue(middle) < 120, qPrintable(QColor(middle).name()));
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x) {
                const QRgb p = preview.pixel(x, y);
                QVERIFY(!(qAbs(qRed(p) - 128) <= 4 && qGreen(p) <= 4 && qAbs(qBlue(p) - 128) <= 4));
            }
        // Without the reflection the rows under the photo are the background's.
        PreviewScene plain = scene;
        plain.options.glassReflection = 0;
        plain.options.portraitTransparency = plain.options.landscapeTransparency = 0;
        const QImage without = ComposePreview(plain, nullptr);
        const int below = l.Y + l.NH + 4;
        if (below < preview.height() && l.X + l.DW / 2 > 0 && l.X + l.DW / 2 < 191)
            QVERIFY(preview.pixel(l.X + l.DW / 2, below) != without.pixel(l.X + l.DW / 2, below));
    }

    void cancelled() {
        std::atomic<int> run{0};
        QVERIFY(ComposePreview(Scene(kSolidBackground, kCenterRight3D, kPortrait), &run).isNull());
    }
};

SKYLOOM_TEST_MAIN(TestPreviewComposer, QGuiApplication)
#include "tst_preview_composer.moc"
