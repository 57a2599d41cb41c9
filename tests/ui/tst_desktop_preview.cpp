// The desktop preview control: what it shows is the composer's own preview of its settings,
// pixel for pixel, for a table of positions, reflections and background kinds; a repaint never
// composes; of quick edits only the latest is shown; nothing is composed while it is hidden; a
// finer device gets a finer picture.

#include "LookPagesFixture.h"
#include "TestMain.h"
#include "composer/CBackgroundRenderer.h"
#include "ui/pages/CXDesktopST.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

using namespace skyloom;

class TestDesktopPreview : public QObject {
    Q_OBJECT

    std::unique_ptr<test::LookPagesFixture> m_fixture;

    // What the control shows on its monitor's screen.
    static QImage Screen(CXDesktopST& preview) {
        return preview.grab()
            .toImage()
            .copy(CXDesktopST::kScreenRect)
            .convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void init() { m_fixture = std::make_unique<test::LookPagesFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void showsTheComposersPreview_data() {
        QTest::addColumn<bool>("photoMode");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("glass");
        QTest::addColumn<int>("style");
        QTest::newRow("solid alone") << false << 0 << 5 << 1 << true << 0;
        QTest::newRow("radial gradient alone") << false << 1 << 5 << 1 << true << 0;
        QTest::newRow("tiled image alone") << false << 2 << 5 << 1 << true << 1;
        QTest::newRow("flat portrait, reflection, solid") << true << 0 << 5 << 1 << true << 0;
        QTest::newRow("flat landscape, transparent, gradient")
            << true << 1 << 10 << 2 << false << 0;
        QTest::newRow("3-D portrait, reflection, gradient") << true << 1 << 6 << 1 << true << 0;
        QTest::newRow("3-D landscape, reflection, image") << true << 2 << 1 << 2 << true << 0;
        QTest::newRow("3-D portrait, transparent, tiled image")
            << true << 2 << 9 << 1 << false << 1;
    }
    void showsTheComposersPreview() {
        QFETCH(bool, photoMode);
        QFETCH(int, type);
        QFETCH(int, position);
        QFETCH(int, orientation);
        QFETCH(bool, glass);
        QFETCH(int, style);
        const QString thumbnail = m_fixture->Thumbnail();
        QVERIFY(CBackgroundRenderer::WriteBackgroundThumbnail(
            BackgroundSettings{1, 0, 0x206040, 0xE0F0D0, kHorizontal, kFisheye, {}, 0}, thumbnail));
        CXDesktopST preview;
        BackgroundSettings background{type,    0x553311,     0x702010,  0xF0E0C0,
                                      kRadial, kNoTransform, thumbnail, style};
        preview.SetBackground(background);
        RenderOptions options;
        options.portraitPosition = options.landscapePosition = position;
        options.portraitTransparency = options.landscapeTransparency = 60;
        options.glassReflection = glass;
        preview.SetPhotoOptions(options);
        preview.SetShownOrientation(orientation);
        preview.SetPhotoMode(photoMode);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(test::WaitForPreview(preview));
        const QImage shown = Screen(preview);
        const QImage composed =
            ComposePreview(preview.Scene(), nullptr).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(191, 121));
        QVERIFY(QDir().mkpath("rendered-previews"));
        shown.save(QString("rendered-previews/control-%1.png").arg(QTest::currentDataTag()));
        QCOMPARE(shown, composed);
    }

    void repaintNeverComposes() {
        CXDesktopST preview;
        preview.SetPhotoMode(true);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(test::WaitForPreview(preview));
        const int started = preview.CompositionsStarted();
        for (int i = 0; i < 5; ++i)
            preview.repaint();
        preview.hide();
        preview.show();
        // Setting what it already shows is no change either.
        RenderOptions same = preview.Scene().options;
        preview.SetPhotoOptions(same);
        preview.SetShownOrientation(preview.ShownOrientation());
        QTest::qWait(50);
        QCOMPARE(preview.CompositionsStarted(), started);
    }

    void latestEditWins() {
        CXDesktopST preview;
        preview.SetPhotoMode(true);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QSignalSpy shownSpy(&preview, &CXDesktopST::composed);
        RenderOptions options = preview.Scene().options;
        options.portraitPosition = kCenterRight3D;
        for (int scale = 50; scale <= 100; ++scale) {
            options.portraitScale = scale;
            preview.SetPhotoOptions(options);
        }
        QVERIFY(test::WaitForPreview(preview));
        QCOMPARE(preview.Scene().options.portraitScale, 100);
        QCOMPARE(Screen(preview),
                 ComposePreview(preview.Scene(), nullptr).convertToFormat(QImage::Format_RGB32));
        // The stale ones were dropped: fewer pictures were shown than edits made.
        QTest::qWait(100);
        QVERIFY2(shownSpy.count() < 10, qPrintable(QString::number(shownSpy.count())));
    }

    void hiddenComposesNothing() {
        CXDesktopST preview;
        for (int scale : {60, 70, 80}) {
            RenderOptions options = preview.Scene().options;
            options.portraitScale = scale;
            preview.SetPhotoOptions(options);
        }
        QCOMPARE(preview.CompositionsStarted(), 0);
        preview.show();
        QVERIFY(test::WaitForPreview(preview));
        QCOMPARE(preview.CompositionsStarted(), 1);
    }

    void finerDeviceFinerPicture() {
        CXDesktopST preview;
        preview.SetPhotoMode(true);
        preview.show();
        QVERIFY(test::WaitForPreview(preview));
        QImage image(preview.size() * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        preview.render(&image);
        QVERIFY(test::WaitForPreview(preview));
        QCOMPARE(preview.Composed().size(), QSize(382, 242));
        QCOMPARE(preview.Scene().size, QSize(382, 242));
    }
};

SKYLOOM_TEST_MAIN(TestDesktopPreview, QApplication)
#include "tst_desktop_preview.moc"
