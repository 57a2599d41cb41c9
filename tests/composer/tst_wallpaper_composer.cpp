// Composing wallpapers: the size and placement arithmetic, every position over every kind of
// background (saved in rendered-wallpapers/ for a look), the key colour of the warp never
// showing, cancellation, photos that cannot be read, and scaled decoding looking the same.

#include "FilePermissionsEnforced.h"
#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "composer/CBackgroundRenderer.h"
#include "composer/CWallpaperComposer.h"
#include "composer/ImageToolkit.h"

#include <QDir>
#include <QPainter>

#include <sys/resource.h>

using namespace skyloom;

namespace {

// A photo with no magenta in it: a green-to-orange ramp with a dark frame.
QImage Photo(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(40 + 200 * x / w, 180 - 100 * y / h, 30));
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 4));
    painter.drawRect(2, 2, w - 4, h - 4);
    return image;
}

RenderOptions Options(int position, int backgroundType) {
    RenderOptions o;
    o.portraitPosition = o.landscapePosition = position;
    o.background.type = backgroundType;
    o.background.solidColor = 0x403020;
    o.background.gradientStart = 0x602000;
    o.background.gradientEnd = 0xF0E0D0;
    o.background.gradientDirection = kForwardDiagonal;
    return o;
}

// Pixels within a few levels of the warp's key colour.
int KeyColoured(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - 128) <= 6 && qGreen(p) <= 6 && std::abs(qBlue(p) - 128) <= 6)
                ++count;
        }
    return count;
}

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double MeanDifference(const QImage& a, const QImage& b) {
    double total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q));
        }
    return total / (3.0 * a.width() * a.height());
}

} // namespace

class TestWallpaperComposer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath("rendered-wallpapers"));
        QVERIFY(Photo(300, 200).save(Path("landscape.png")));
        QVERIFY(Photo(200, 300).save(Path("portrait.png")));
        QVERIFY(Photo(400, 400).save(Path("background.png")));
    }

    void layout_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QList<int>>("nwNhDwXY"); // -1 where not checked
        QTest::addColumn<bool>("threeD");
        const QSize hd(1920, 1080);
        QTest::newRow("portrait 3000 rows at 100 %")
            << hd << QSize(2000, 3000) << 5 << 100 << QList<int>{720, 1080, 720, 600, 0} << false;
        QTest::newRow("portrait 201 rows at 100 %")
            << hd << QSize(134, 201) << 5 << 100 << QList<int>{-1, 1078, -1, -1, 1} << false;
        QTest::newRow("flat landscape takes the box width and overflows")
            << hd << QSize(1000, 1000) << 5 << 100 << QList<int>{1920, 1918, 1920, 0, -419}
            << false;
        QTest::newRow("3-D landscape is fitted to the box height")
            << hd << QSize(1000, 1000) << 4 << 100 << QList<int>{1080, 1080, 648, 636, 0} << true;
        QTest::newRow("Far Right - 3D ends at the right edge")
            << hd << QSize(1600, 900) << 9 << 50 << QList<int>{960, 540, 576, 1344, 270} << true;
        QTest::newRow("Far Left") << hd << QSize(1600, 900) << 0 << 50
                                  << QList<int>{1920 / 2, 540, 960, 0, 270} << false;
        QTest::newRow("Left - 3D on a third")
            << hd << QSize(1600, 900) << 3 << 50 << QList<int>{960, 540, 576, 352, 270} << true;
        QTest::newRow("Right on two thirds")
            << hd << QSize(1600, 900) << 8 << 50 << QList<int>{960, 540, 960, 800, 270} << false;
        QTest::newRow("Center Left - 3D centred")
            << hd << QSize(1600, 900) << 4 << 50 << QList<int>{960, 540, 576, 672, 270} << true;
        QTest::newRow("Center Right - 3D centred")
            << hd << QSize(1600, 900) << 6 << 50 << QList<int>{960, 540, 576, 672, 270} << true;
        QTest::newRow("position 11 centred and flat")
            << hd << QSize(1600, 900) << 11 << 50 << QList<int>{960, 540, 960, 480, 270} << false;
        QTest::newRow("position -1 centred and flat")
            << hd << QSize(1600, 900) << -1 << 50 << QList<int>{960, 540, 960, 480, 270} << false;
        QTest::newRow("58 % of 100 rows is 57") << QSize(100, 100) << QSize(50, 100) << 5 << 58
                                                << QList<int>{28, 56, 28, 36, 22} << false;
        // Scales no page can set, as a damaged settings file may hold them.
        QTest::newRow("scale beyond 100 % is 100 %") << hd << QSize(2000, 3000) << 5 << 474284032
                                                     << QList<int>{720, 1080, 720, 600, 0} << false;
        QTest::newRow("scale below 50 % is 50 %")
            << hd << QSize(1600, 900) << 6 << -7 << QList<int>{960, 540, 576, 672, 270} << true;
        // A header claiming a photo a million times wider than high draws nothing.
        QTest::newRow("absurd proportions")
            << hd << QSize(1000000, 1) << 5 << 100 << QList<int>{0, -1, 0, -1, -1} << false;
    }

    void layout() {
        QFETCH(QSize, screen);
        QFETCH(QSize, photo);
        QFETCH(int, position);
        QFETCH(int, scale);
        QFETCH(QList<int>, nwNhDwXY);
        QFETCH(bool, threeD);
        RenderOptions o = Options(position, kSolidBackground);
        o.portraitScale = o.landscapeScale = scale;
        const PhotoLayout l = LayoutPhoto(screen, photo, OrientationOf(photo), o);
        const QList<int> actual{l.NW, l.NH, l.DW, l.X, l.Y};
        for (int i = 0; i < 5; ++i)
            if (nwNhDwXY[i] != -1)
                QCOMPARE(actual[i], nwNhDwXY[i]);
        QCOMPARE(l.threeD, threeD);
        QCOMPARE(l.NH % 2, 0);
    }

    void orientationAndOpacity() {
        QCOMPARE(OrientationOf(QSize(500, 500)), int(kLandscape));
        QCOMPARE(OrientationOf(QSize(499, 500)), int(kPortrait));
        RenderOptions o = Options(kCenter, kSolidBackground);
        o.landscapeTransparency = 50;
        QCOMPARE(LayoutPhoto(QSize(800, 600), QSize(400, 300), kLandscape, o).alpha, 1.0f);
        o.glassReflection = 0;
        QCOMPARE(LayoutPhoto(QSize(800, 600), QSize(400, 300), kLandscape, o).alpha, 0.5f);
        // Transparencies no page can set are brought into 0..90.
        o.landscapeTransparency = 1172369955;
        QCOMPARE(LayoutPhoto(QSize(800, 600), QSize(400, 300), kLandscape, o).alpha, 0.1f);
        o.landscapeTransparency = -40;
        QCOMPARE(LayoutPhoto(QSize(800, 600), QSize(400, 300), kLandscape, o).alpha, 1.0f);
    }

    void everyPositionOverEveryBackground_data() {
        QTest::addColumn<QString>("photo");
        QTest::addColumn<int>("background");
        QTest::addColumn<int>("position");
        for (const char* photo : {"landscape", "portrait"})
            for (int background : {kSolidBackground, kGradientBackground, kImageBackground})
                for (int position = 0; position <= 10; ++position)
                    QTest::addRow("%s bg%d pos%d", photo, background, position)
                        << QString(photo) << background << position;
    }

    void everyPositionOverEveryBackground() {
        QFETCH(QString, photo);
        QFETCH(int, background);
        QFETCH(int, position);
        RenderOptions o = Options(position, background);
        o.background.image = Path("background.png");
        const QSize screen(480, 270);
        const QImage canvas0 = CBackgroundRenderer::RenderBackground(o.background, screen);
        bool drawn = false;
        const QString photoPath = Path(photo + ".png");
        const QImage wallpaper = ComposeCanvas(photoPath, OrientationOf(ReadImageSize(photoPath)),
                                               o, canvas0, nullptr, &drawn);
        QVERIFY(drawn);
        QCOMPARE(wallpaper.size(), screen);
        QCOMPARE(KeyColoured(wallpaper), 0);
        // The photo is there: its centre row differs from the bare background somewhere.
        QVERIFY(MeanDifference(wallpaper, canvas0) > 1.0);
        wallpaper.save(QString("rendered-wallpapers/%1-bg%2-pos%3.png")
                           .arg(photo)
                           .arg(background)
                           .arg(position, 2, 10, QChar('0')));
    }

    void glassReflectionAndGreyscale() {
        RenderOptions o = Options(kCenter, kSolidBackground);
        const QImage canvas0 = CBackgroundRenderer::RenderBackground(o.background, QSize(480, 270));
        bool drawn = false;
        const QImage withGlass =
            ComposeCanvas(Path("landscape.png"), kLandscape, o, canvas0, nullptr, &drawn);
        o.glassReflection = 0;
        const QImage without =
            ComposeCanvas(Path("landscape.png"), kLandscape, o, canvas0, nullptr, &drawn);
        const PhotoLayout l = LayoutPhoto(QSize(480, 270), QSize(300, 200), kLandscape, o);
        const int below = l.Y + l.NH + 4;
        QCOMPARE(without.pixel(240, below), canvas0.pixel(240, below));
        QVERIFY(withGlass.pixel(240, below) != canvas0.pixel(240, below));

        o.landscapeGrayscale = 1;
        const QImage grey =
            ComposeCanvas(Path("landscape.png"), kLandscape, o, canvas0, nullptr, &drawn);
        const QRgb centre = grey.pixel(240, 135);
        QVERIFY(std::abs(qRed(centre) - qGreen(centre)) <= 1 &&
                std::abs(qGreen(centre) - qBlue(centre)) <= 1);
    }

    void composeSavesAndApplies_data() {
        QTest::addColumn<QString>("photo");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<int>("result");
        QTest::newRow("a photo") << "portrait.png" << false << int(ComposeResult::Applied);
        QTest::newRow("a photo that cannot be read")
            << "broken.jpg" << false << int(ComposeResult::PhotoUnreadable);
        QTest::newRow("cancelled") << "portrait.png" << true << int(ComposeResult::Cancelled);
    }

    void composeSavesAndApplies() {
        QFETCH(QString, photo);
        QFETCH(bool, cancelled);
        QFETCH(int, result);
        QVERIFY(test::WriteFile(Path("broken.jpg"), QByteArray(1000, '\x42').prepend("\xFF\xD8")));
        const QString wallpaper = Path("Wallpaper.jpg");
        QVERIFY(test::WriteFile(wallpaper, "the previous wallpaper"));
        const RenderOptions o = Options(kCenterRight3D, kGradientBackground);
        const QImage background =
            CBackgroundRenderer::RenderBackground(o.background, QSize(320, 180));
        const std::atomic<int> run{cancelled ? 0 : 1};
        QStringList applied;
        const ComposeResult outcome =
            ComposeWallpaper(Path(photo), kPortrait, o, background, wallpaper, &run,
                             [&applied](const QString& path) { applied << path; });
        QCOMPARE(int(outcome), result);
        if (outcome != ComposeResult::Applied) {
            // Cancelled, or no photo to show: the old wallpaper stays.
            QCOMPARE(test::ReadAll(wallpaper), QByteArray("the previous wallpaper"));
            QVERIFY(applied.isEmpty());
            return;
        }
        QCOMPARE(applied, QStringList{wallpaper});
        const QImage saved = DecodeImage(wallpaper);
        QCOMPARE(saved.size(), QSize(320, 180));
        QCOMPARE(QDir(m_dir.path()).entryList({"*Wallpaper*"}, QDir::Files | QDir::Hidden),
                 QStringList{"Wallpaper.jpg"}); // written in one step, no leftovers
    }

    void failedWriteKeepsTheOldWallpaper() {
        // The data folder cannot be written: nothing is applied and the old file stays.
        const QString folder = Path("read-only");
        const QString wallpaper = folder + "/Wallpaper.jpg";
        QVERIFY(test::WriteFile(wallpaper, "the previous wallpaper"));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const RenderOptions o = Options(kCenter, kSolidBackground);
        const QImage background =
            CBackgroundRenderer::RenderBackground(o.background, QSize(320, 180));
        QVERIFY(Photo(200, 100).save(Path("landscape-photo.png")));
        bool applied = false;
        ComposeResult outcome;
        {
            test::FilePermissionsEnforced enforced;
            outcome = ComposeWallpaper(Path("landscape-photo.png"), kLandscape, o, background,
                                       wallpaper, nullptr, [&](const QString&) { applied = true; });
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(int(outcome), int(ComposeResult::NotSaved));
        QVERIFY(!applied);
        QCOMPARE(test::ReadAll(wallpaper), QByteArray("the previous wallpaper"));
    }

    void veryWidePhotoStaysWithinTheImageLimit_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("drawn");
        // Drawn 108000x1080: flat, only its middle is drawn and the reflection is left out;
        // turned, not even a warp at the drawn size would fit, so the background stays alone.
        QTest::newRow("flat") << int(kCenter) << true;
        QTest::newRow("3-D") << int(kCenterLeft3D) << false;
    }

    void veryWidePhotoStaysWithinTheImageLimit() {
        QFETCH(int, position);
        QFETCH(bool, drawn);
        if (!QFile::exists(Path("panorama.png")))
            QVERIFY(Photo(20000, 200).save(Path("panorama.png")));
        RenderOptions o = Options(position, kSolidBackground);
        o.landscapeScale = 100;
        const QImage background =
            CBackgroundRenderer::RenderBackground(o.background, QSize(1920, 1080));
        const long before = PeakKiB();
        bool photoDrawn = false;
        const QImage canvas =
            ComposeCanvas(Path("panorama.png"), kLandscape, o, background, nullptr, &photoDrawn);
        QVERIFY2(PeakKiB() - before < kImageLimitMiB * 1024,
                 qPrintable(QString::number(PeakKiB() - before)));
        QCOMPARE(photoDrawn, drawn);
        // The photo's middle column, or the solid background.
        const QRgb centre = canvas.pixel(960, 540);
        QVERIFY(drawn ? std::abs(qRed(centre) - 140) <= 8 : centre == 0xFF203040u);
    }

    void scaledDecodeLooksTheSame() {
        // A large JPEG drawn small is decoded at a reduced scale; the same picture as a PNG is
        // always decoded whole. The wallpapers agree.
        const QImage big = Photo(2400, 1600);
        QVERIFY(test::WriteFile(Path("big.jpg"), test::Encoded(big, "JPEG", 100)));
        QVERIFY(big.save(Path("big.png")));
        for (int position : {kCenter, kCenterLeft3D}) {
            const RenderOptions o = Options(position, kGradientBackground);
            const QImage background =
                CBackgroundRenderer::RenderBackground(o.background, QSize(480, 270));
            bool drawn = false;
            const QImage fromJpeg =
                ComposeCanvas(Path("big.jpg"), kLandscape, o, background, nullptr, &drawn);
            const QImage fromPng =
                ComposeCanvas(Path("big.png"), kLandscape, o, background, nullptr, &drawn);
            QVERIFY2(MeanDifference(fromJpeg, fromPng) < 1.5,
                     qPrintable(QString::number(MeanDifference(fromJpeg, fromPng))));
        }
    }
};

SKYLOOM_TEST_MAIN(TestWallpaperComposer, QGuiApplication)
#include "tst_wallpaper_composer.moc"
