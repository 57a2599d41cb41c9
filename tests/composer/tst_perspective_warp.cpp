// The 3-D warp: the corner and LIFT arithmetic, and the quad mapper's edges, parallelograms,
// clamped corners, last row and column, and cancellation.

#include "TestImages.h"
#include "TestMain.h"
#include "composer/CRawBitmap.h"
#include "composer/PerspectiveWarp.h"

using namespace skyloom;

namespace {

// What the mapper's callers fill a destination with, so that untouched pixels show.
constexpr QRgb kWarpKeyColour = 0x00800080;

constexpr int kUnset = -7;

QuadCorners Unset() {
    QuadCorners c;
    for (int i = 0; i < 4; ++i)
        c.x[i] = c.y[i] = kUnset;
    return c;
}

QList<int> Flat(const QuadCorners& c) {
    QList<int> v;
    for (int i = 0; i < 4; ++i)
        v << c.x[i] << c.y[i];
    return v;
}

CRawBitmap Keyed(int w, int h) {
    CRawBitmap raw;
    raw.Create(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            raw.SetPixel(x, y, kWarpKeyColour);
    return raw;
}

CRawBitmap Source(const QImage& image) {
    CRawBitmap raw;
    raw.Load(image);
    return raw;
}

QuadCorners Corners(std::initializer_list<int> xy) {
    QuadCorners c;
    auto it = xy.begin();
    for (int i = 0; i < 4; ++i) {
        c.x[i] = *it++;
        c.y[i] = *it++;
    }
    return c;
}

} // namespace

class TestPerspectiveWarp : public QObject {
    Q_OBJECT

private slots:
    void corners_data() {
        QTest::addColumn<bool>("reflection");
        QTest::addColumn<double>("o");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("H");
        QTest::addColumn<QList<int>>("corners");
        QTest::addColumn<int>("lift");
        const double portraitO = double(0.7f);
        QTest::newRow("landscape, right edge recedes")
            << false << 1.0 << 2 << 1 << 800 << QList<int>{0, 0, 300, 50, 300, 750, 0, 800} << 25;
        QTest::newRow("landscape, left edge recedes")
            << false << 1.0 << 2 << 9 << 800 << QList<int>{0, 50, 300, 0, 300, 800, 0, 750} << 25;
        QTest::newRow("portrait, drawn height 784")
            << false << portraitO << 1 << 4 << 3 * 784
            << QList<int>{0, 0, 300, 140, 300, 2211, 0, 2352} << 48; // 2352 - 140.0000024
        QTest::newRow("portrait, drawn height 400")
            << false << portraitO << 1 << 6 << 3 * 400
            << QList<int>{0, 71, 300, 0, 300, 1200, 0, 1128} << 25;
        QTest::newRow("reflection, right edge recedes")
            << true << 1.0 << 2 << 3 << 800 << QList<int>{0, 16, 300, 125, 300, 800, 0, 750} << 0;
        QTest::newRow("reflection, left edge recedes")
            << true << 1.0 << 2 << 7 << 800 << QList<int>{0, 125, 300, 16, 300, 750, 0, 800} << 0;
        const QList<int> unset(8, kUnset);
        QTest::newRow("flat position") << false << 1.0 << 2 << 5 << 800 << unset << 25;
        QTest::newRow("no orientation") << false << 1.0 << 0 << 1 << 800 << unset << 16;
    }

    void corners() {
        QFETCH(bool, reflection);
        QFETCH(double, o);
        QFETCH(int, orientation);
        QFETCH(int, position);
        QFETCH(int, H);
        QFETCH(QList<int>, corners);
        QFETCH(int, lift);
        QuadCorners c = Unset();
        if (reflection) {
            ReflectionQuadCorners(o, orientation, position, 300, H, c);
        } else {
            QCOMPARE(PhotoQuadCorners(o, orientation, position, 300, H, c), lift);
        }
        QCOMPARE(Flat(c), corners);
    }

    void mappedShapeLeavesItsRightAndBottomEdges() {
        // The landscape example: W by H = 100 by 800, the right edge receding by 50.
        QuadCorners c;
        PhotoQuadCorners(1.0, kLandscape, kFarLeft3D, 100, 800, c);
        CRawBitmap destination = Keyed(100, 800);
        CQuadMapper::MapQuad(destination, Source(test::Quadrants(100, 800)), nullptr, c);
        for (int y = 0; y < 800; ++y)
            QCOMPARE(destination.GetPixel(99, y), quint32(kWarpKeyColour)); // right edge
        QCOMPARE(destination.GetPixel(0, 799), quint32(kWarpKeyColour));    // bottom edge
        QCOMPARE(destination.GetPixel(90, 10), quint32(kWarpKeyColour));    // above the edge
        // Mapped pixels carry the source's alpha; truncated weights may darken them by up to
        // 3/256.
        QVERIFY((destination.GetPixel(0, 0) & 0xE0E0E0E0u) == 0xE0E00000u);
        QVERIFY((destination.GetPixel(90, 700) & 0xE0E0E0E0u) == 0xE0E0E000u);
    }

    void rectangleTakesTheNudgedPathAndClampsCorners() {
        const QImage source = test::Quadrants(8, 8);
        CRawBitmap inside = Keyed(10, 10);
        CQuadMapper::MapQuad(inside, Source(source), nullptr, Corners({0, 0, 9, 0, 9, 9, 0, 9}));
        CRawBitmap beyond = Keyed(10, 10);
        CQuadMapper::MapQuad(beyond, Source(source), nullptr,
                             Corners({-5, -5, 40, -5, 40, 40, -5, 40}));
        QCOMPARE(beyond.ToImage(), inside.ToImage()); // corners land on the last column and row
        QCOMPARE(inside.GetPixel(1, 1) & 0xE0E0E0E0u, 0xE0E00000u);
        QCOMPARE(inside.GetPixel(7, 1) & 0xE0E0E0E0u, 0xE000E000u);
        QCOMPARE(inside.GetPixel(1, 7) & 0xE0E0E0E0u, 0xE00000E0u);
        QCOMPARE(inside.GetPixel(9, 5), quint32(kWarpKeyColour));
    }

    void lastSourceColumnAndRowFallBackToTheirOwnPixel() {
        QImage source(2, 2, QImage::Format_RGB32);
        source.setPixel(0, 0, 0xFF000000u);
        source.setPixel(1, 0, 0xFF000000u);
        source.setPixel(0, 1, 0xFF000000u);
        source.setPixel(1, 1, 0xFFC8C8C8u);
        CRawBitmap destination = Keyed(40, 40);
        CQuadMapper::MapQuad(destination, Source(source), nullptr,
                             Corners({0, 0, 39, 0, 39, 39, 0, 39}));
        // The bottom-right quarter samples only the last pixel: its colour, or a hair darker
        // where the truncated weights fall short of 256.
        const quint32 corner = destination.GetPixel(37, 37) & 0xFF;
        QVERIFY(corner >= 0xC8 - 3 && corner <= 0xC8);
    }

    void clearedRunFlagDrawsNothing() {
        const std::atomic<int> stopped{0};
        CRawBitmap destination = Keyed(20, 20);
        CQuadMapper::MapQuad(destination, Source(test::Quadrants(20, 20)), &stopped,
                             Corners({0, 0, 19, 0, 19, 19, 0, 19}));
        QCOMPARE(destination.GetPixel(5, 5), quint32(kWarpKeyColour));
    }

    void warpedPhotoIsSupersampled() {
        const QImage photo = test::Quadrants(300, 200);
        const WarpedPhoto landscape =
            BuildWarpedPhoto(photo, 150, 100, kLandscape, kCenterLeft3D, 1.0f, nullptr, 2);
        QCOMPARE(landscape.image.size(), QSize(300, 200));
        QCOMPARE(landscape.lift, 6);                          // trunc(200 / 16 / 2)
        QCOMPARE(qAlpha(landscape.image.pixel(299, 100)), 0); // the surround is transparent
        QCOMPARE(qAlpha(landscape.image.pixel(150, 100)), 255);
        const WarpedPhoto portrait =
            BuildWarpedPhoto(photo, 100, 150, kPortrait, kCenterRight3D, 0.7f, nullptr, 3);
        QCOMPARE(portrait.image.size(), QSize(300, 450));
        const QImage reflection =
            BuildWarpedReflection(photo, 100, 150, kPortrait, kCenterRight3D, 0.7f, 0, nullptr);
        QCOMPARE(reflection.size(), QSize(200, 300));
    }
};

SKYLOOM_TEST_MAIN(TestPerspectiveWarp, QGuiApplication)
#include "tst_perspective_warp.moc"
