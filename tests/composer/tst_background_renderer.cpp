// Backgrounds: the gradient arithmetic against a literal per-pixel reference and the edge cases
// that pin it down, solid and image backgrounds, the thumbnail for each type, and painting
// into a rectangle. Rendered backgrounds are saved in rendered-backgrounds/ for a look.

#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "composer/CBackgroundRenderer.h"
#include "composer/ImageToolkit.h"

#include <QDir>
#include <QPainter>

#include <cmath>

using namespace skyloom;
using skyloom::test::Quadrants;

namespace {

// The gradient and its transformations computed the plain way, pixel by pixel, in one thread.
QImage ReferenceGradient(int w, int h, COLORREF s, COLORREF e, int direction, int transform) {
    const auto ch = [](double v) { return std::clamp(int(v), 0, 255); };
    const auto blend = [&](double ws, double we) {
        return qRgb(ch(ws * RedOf(s) + we * RedOf(e)), ch(ws * GreenOf(s) + we * GreenOf(e)),
                    ch(ws * BlueOf(s) + we * BlueOf(e)));
    };
    QImage g(w, h, QImage::Format_RGB32);
    const double R = std::sqrt(double((h / 2) * (h / 2) + (w / 2) * (w / 2)));
    const double m = direction == 5 ? double(h) / -w : double(h) / w;
    const double q = -1.0 / m;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int X = x - w / 2, Y = y - h / 2;
            QRgb p = qRgb(0, 0, 0);
            if (direction == 0) {
                p = blend(1 - double(x) / w, double(x) / w);
            } else if (direction == 1) {
                p = blend(1 - double(y) / h, double(y) / h);
            } else if (direction == 2) {
                const double d =
                    std::sqrt((Y * (1 / R)) * (Y * (1 / R)) + (X * (1 / R)) * (X * (1 / R)));
                p = d > 1 ? blend(0, 1) : blend(1 - d, d);
            } else if (direction >= 3 && direction <= 5) {
                const int k = int(X * m), U = int(Y - X * q), V = int(U / (m - q)),
                          L = int(U + V * q);
                const double D =
                    std::sqrt(double(X - V) * (X - V) + double(Y - L) * (Y - L)) / (2 * R);
                p = Y <= k ? blend(0.5 - D, 0.5 + D) : blend(0.5 + D, 0.5 - D);
            }
            g.setPixel(x, y, p);
        }
    if (transform == 0)
        return g;
    QImage out = g.copy();
    const double Nq = std::sqrt(double((w / 4) * (w / 4) + (h / 4) * (h / 4)));
    const auto clampTo = [](double v, int limit) {
        return !(v > 0) ? 0 : v >= limit - 1 ? limit - 1 : int(v);
    };
    double a = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int X = x - w / 2, Y = y - h / 2;
            const double r = std::sqrt(double(X) * X + double(Y) * Y);
            if (std::abs(X) > 0.000001)
                a = std::atan(double(Y) / X);
            int sx = 0, sy = 0;
            if (transform == 1) {
                const double K = std::sqrt(2 * Nq * r);
                sx = clampTo(K * std::cos(a), w);
                sy = clampTo(std::abs(K * std::sin(a)), h);
            } else if (transform == 2) {
                sx = clampTo(r * r * std::cos(a) / Nq, w);
                const double v = std::abs(r * r * std::sin(a) / Nq);
                sy = v < 2147483647.0 ? int(v) % h : h - 1;
            } else if (transform == 5) {
                sx = clampTo(std::abs(r * std::cos(a)), w);
                sy = clampTo(std::abs(r * std::sin(a)), h);
            } else if (transform == 4) {
                sx = clampTo(std::abs(x + int(a + 0.1 * r) % 32 - w / 2 - 8), w);
                sy = y;
            }
            out.setPixel(x, y, g.pixel(sx, sy));
        }
    return out;
}

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

} // namespace

class TestBackgroundRenderer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(QDir().mkpath("rendered-backgrounds")); }

    void gradientMatchesTheReference_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("transform");
        for (QSize size : {QSize(1, 1), QSize(2, 3), QSize(5, 4), QSize(64, 48), QSize(101, 57)})
            for (int direction : {0, 1, 2, 3, 4, 5, 6})
                for (int transform : {0, 1, 2, 4, 5})
                    QTest::addRow("%dx%d d%d t%d", size.width(), size.height(), direction,
                                  transform)
                        << size << direction << transform;
    }

    void gradientMatchesTheReference() {
        QFETCH(QSize, size);
        QFETCH(int, direction);
        QFETCH(int, transform);
        const COLORREF s = 0x2040C0, e = 0xF0A010;
        const QImage reference =
            ReferenceGradient(size.width(), size.height(), s, e, direction, transform);
        QCOMPARE(CBackgroundRenderer::RenderGradient(size, s, e, direction, transform), reference);
        // The public transformation of a finished buffer gives the same.
        QImage buffer = CBackgroundRenderer::RenderGradient(size, s, e, direction, 0);
        CBackgroundRenderer::TransformGradient(buffer, transform);
        QCOMPARE(buffer, reference);
    }

    void gradientEdgeCases() {
        const QImage horizontal =
            CBackgroundRenderer::RenderGradient(QSize(256, 2), kBlack, kWhite, kHorizontal, 0);
        for (int x = 0; x < 256; ++x)
            QCOMPARE(qRed(horizontal.pixel(x, 1)), 255 * x / 256);
        QCOMPARE(qRed(horizontal.pixel(1, 0)), 0);
        QCOMPARE(qRed(horizontal.pixel(255, 0)), 254);

        const QImage vertical =
            CBackgroundRenderer::RenderGradient(QSize(3, 10), kBlack, kWhite, kVertical, 0);
        QCOMPARE(qRed(vertical.pixel(0, 9)), int(255 * 0.9)); // never quite the end colour

        const QImage radial =
            CBackgroundRenderer::RenderGradient(QSize(41, 31), 0x336699, kWhite, kRadial, 0);
        QCOMPARE(radial.pixel(20, 15), 0xFF996633u);

        const QImage square = CBackgroundRenderer::RenderGradient(QSize(100, 100), kBlack, kWhite,
                                                                  kForwardDiagonal, 0);
        QCOMPARE(qRed(square.pixel(0, 99)), 0); // bottom-left: the start
        QCOMPARE(qRed(square.pixel(99, 0)), int(255 * (0.5 + 69.2964645 / 141.4213562)));
        const QImage wide = CBackgroundRenderer::RenderGradient(QSize(1920, 1080), kBlack, kWhite,
                                                                kForwardDiagonal, 0);
        QVERIFY(std::abs(qRed(wide.pixel(1919, 0)) - 236) <= 1); // about 92.7 % end colour
        QVERIFY(std::abs(qRed(wide.pixel(0, 1079)) - 18) <= 1);  // about 92.7 % start colour
        QCOMPARE(qRed(wide.pixel(960, 540)), 127);               // the even mix

        QCOMPARE(CBackgroundRenderer::RenderGradient(QSize(77, 33), 0x102030, kWhite, 3, 2),
                 CBackgroundRenderer::RenderGradient(QSize(77, 33), 0x102030, kWhite, 4, 2));

        const QImage shifted = CBackgroundRenderer::RenderGradient(QSize(64, 48), 0x0000FF, kWhite,
                                                                   kForwardDiagonal, kShift);
        for (int y = 1; y < 48; ++y)
            for (int x = 1; x < 64; ++x) {
                QCOMPARE(shifted.pixel(x, y), shifted.pixel(64 - x, y));
                QCOMPARE(shifted.pixel(x, y), shifted.pixel(x, 48 - y));
            }
    }

    void solidBackgroundHasNoSeam() {
        const QImage solid = CBackgroundRenderer::RenderSolidBackground(0x123456, QSize(37, 23));
        QCOMPARE(solid.size(), QSize(37, 23));
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x)
                QCOMPARE(solid.pixel(x, y), 0xFF563412u);
    }

    void imageBackgrounds() {
        const QString path = m_dir.filePath("quadrants.png");
        QVERIFY(Quadrants(300, 200).save(path));
        // Tiled, an image larger than the screen shows its top-left part.
        const QImage tiled =
            CBackgroundRenderer::RenderImageBackground(kTileImage, path, QSize(120, 80));
        QCOMPARE(tiled.copy(0, 0, 120, 80), Quadrants(300, 200).copy(0, 0, 120, 80));
        // A small image is repeated from the top-left corner.
        const QString small = m_dir.filePath("small.png");
        QVERIFY(Quadrants(10, 10).save(small));
        const QImage repeated =
            CBackgroundRenderer::RenderImageBackground(kTileImage, small, QSize(25, 15));
        QCOMPARE(repeated.pixel(21, 12), repeated.pixel(1, 12));
        // Fitted, the picture fills the screen without keeping its proportions.
        const QImage fitted =
            CBackgroundRenderer::RenderImageBackground(kFitImage, path, QSize(400, 100));
        QCOMPARE(fitted.pixel(5, 5), 0xFFFF0000u);
        QCOMPARE(fitted.pixel(394, 94), 0xFFFFFF00u);
        // Missing or broken: white.
        QVERIFY(test::WriteFile(m_dir.filePath("broken.jpg"), "not a picture"));
        for (const QString& bad : {m_dir.filePath("missing.jpg"), m_dir.filePath("broken.jpg")}) {
            const QImage white =
                CBackgroundRenderer::RenderImageBackground(kFitImage, bad, QSize(8, 8));
            QCOMPARE(white.pixel(7, 7), 0xFFFFFFFFu);
        }
    }

    void thumbnailForEachType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("written");
        QTest::newRow("solid") << int(kSolidBackground) << true;
        QTest::newRow("gradient") << int(kGradientBackground) << true;
        QTest::newRow("image, fitted") << int(kImageBackground) << true;
        QTest::newRow("unknown type") << 3 << false;
    }

    void thumbnailForEachType() {
        QFETCH(int, type);
        QFETCH(bool, written);
        const QString picture = m_dir.filePath("thumb-source.png");
        QVERIFY(Quadrants(64, 64).save(picture));
        const QString path = m_dir.filePath("SKBackground.png");
        QVERIFY(test::WriteFile(path, "an old thumbnail"));
        BackgroundSettings settings;
        settings.type = type;
        settings.solidColor = 0x00FF80;
        settings.gradientDirection = kRadial;
        settings.gradientTransform = kFisheye;
        settings.image = picture;

        QCOMPARE(CBackgroundRenderer::WriteBackgroundThumbnail(settings, path), written);
        QCOMPARE(QFile::exists(path), written);
        if (!written)
            return;
        const QImage thumbnail(path);
        QCOMPARE(thumbnail.size(), QSize(200, 100));
        if (type == kSolidBackground)
            QCOMPARE(thumbnail.pixel(199, 99), 0xFF80FF00u);
        else if (type == kGradientBackground)
            QCOMPARE(thumbnail.convertToFormat(QImage::Format_RGB32),
                     CBackgroundRenderer::RenderGradient(QSize(200, 100), settings.gradientStart,
                                                         settings.gradientEnd, kRadial, kFisheye));
        else
            QCOMPARE(thumbnail.pixel(190, 90), 0xFFFFFF00u);
        thumbnail.save(QString("rendered-backgrounds/thumbnail-type%1.png").arg(type));
    }

    void screenBackgroundAndPainting() {
        std::recursive_mutex lock;
        CBackgroundRenderer renderer;
        BackgroundSettings settings;
        settings.type = kGradientBackground;
        settings.gradientDirection = kForwardDiagonal;
        renderer.BuildScreenBackground(settings, QSize(320, 180), lock);
        QCOMPARE(renderer.ScreenBackground(),
                 CBackgroundRenderer::RenderGradient(QSize(320, 180), settings.gradientStart,
                                                     settings.gradientEnd, kForwardDiagonal, 0));

        QImage canvas(100, 80, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        CBackgroundRenderer::PaintGradient(painter, QRect(10, 20, 50, 40), kBlack, kWhite,
                                           kVertical, 0);
        painter.end();
        QCOMPARE(canvas.copy(10, 20, 50, 40),
                 CBackgroundRenderer::RenderGradient(QSize(50, 40), kBlack, kWhite, kVertical, 0));
        QCOMPARE(canvas.pixel(5, 5), 0xFF000000u);
    }

    void renderedBackgroundsForALook() {
        for (int direction : {0, 1, 2, 4, 5})
            for (int transform : {0, 1, 2, 4, 5})
                QVERIFY(CBackgroundRenderer::RenderGradient(QSize(384, 216), 0x8B3A00, 0xB0E0FF,
                                                            direction, transform)
                            .save(QString("rendered-backgrounds/gradient-d%1-t%2.png")
                                      .arg(direction)
                                      .arg(transform)));
    }
};

SKYLOOM_TEST_MAIN(TestBackgroundRenderer, QGuiApplication)
#include "tst_background_renderer.moc"
