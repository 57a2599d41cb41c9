// The slideshow engine without a window: real photo folders and a real library file, a desktop
// that records what it is handed, and a fake idle clock.

#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "engine/CSlideshowEngine.h"
#include "library/CShortcutsTable.h"
#include "settings/CAppSettings.h"

#include <QSignalSpy>

#include <mutex>

using namespace skyloom;

namespace {

// The desktop: remembers every file it was handed, and whether two were ever handed at once.
struct Desktop {
    std::mutex lock;
    QStringList applied;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    bool Apply(const QString& path) {
        if (++inside > 1)
            overlapped = true;
        QThread::msleep(20);
        {
            std::lock_guard guard(lock);
            applied << path;
        }
        --inside;
        return true;
    }
};

ShortcutRecord Shortcut(const QString& folder) {
    ShortcutRecord r;
    r.catId = 3;
    r.name = folder;
    r.folder = folder;
    r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
    r.numPhotos = 0;
    return r;
}

} // namespace

class TestSlideshowEngine : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    Desktop m_desktop;
    std::atomic<qint64> m_idleMs{1000000};
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    std::unique_ptr<CSlideshowEngine>
    MakeEngine(const std::function<void(CAppSettings&)>& tweak = {}) {
        CAppSettings settings;
        settings.m_bGlassReflection = 0;
        settings.m_bMinSizeFilter = 0;
        if (tweak)
            tweak(settings);
        EngineSetup setup;
        setup.databasePath = Path("library.skdb");
        setup.wallpaperPath = Path("Wallpaper.jpg");
        setup.apply = [this](const QString& path) { return m_desktop.Apply(path); };
        setup.idleMs = [this] { return m_idleMs.load(); };
        setup.screenSize = [] { return QSize(320, 180); };
        auto engine = std::make_unique<CSlideshowEngine>(setup);
        engine->ApplySnapshot(SnapshotOf(settings));
        return engine;
    }

    // The folder (a, b, ...) of a photo the engine showed: which shortcut it came from.
    static QString FolderOf(const QString& photo) { return photo.section('/', -2, -2); }

    // Waits for n more wallpapers; the photos shown.
    static QStringList WaitForChanges(QSignalSpy& spy, int n, int timeoutMs = 10000) {
        const int target = spy.count() + n;
        QElapsedTimer timer;
        timer.start();
        while (spy.count() < target && timer.elapsed() < timeoutMs)
            spy.wait(100);
        QStringList photos;
        for (const auto& arguments : spy)
            photos << arguments.at(0).toString();
        return photos;
    }

private slots:
    void initTestCase() {
        const QImage landscape = test::Quadrants(160, 120);
        for (const char* folder : {"a", "b", "empty", "mixed"})
            QVERIFY(QDir().mkpath(Path(folder)));
        for (const char* folder : {"a", "b"})
            for (int i = 0; i < 3; ++i)
                QVERIFY(landscape.save(Path(QString("%1/%2.jpg").arg(folder).arg(i))));
        QVERIFY(landscape.save(Path("mixed/good.jpg")));
        QVERIFY(
            test::WriteFile(Path("mixed/broken.jpg"), QByteArray(500, 'x').prepend("\xFF\xD8")));
        CShortcutsTable table(Path("library.skdb"));
        QVERIFY(table.Open());
        for (const char* folder : {"a", "b", "empty", "mixed"}) // ids 1 to 4
            QCOMPARE(table.Insert(Shortcut(Path(folder))), 1);
    }

    void init() {
        std::lock_guard guard(m_desktop.lock);
        m_desktop.applied.clear();
        m_desktop.overlapped = false;
        m_idleMs = 1000000;
    }

    void buildsAndChanges() {
        auto engine = MakeEngine();
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        QCOMPARE(engine->StatusText(), "Queueing Wallpaper Photos...");
        QVERIFY(built.wait(10000));
        QCOMPARE(built.at(0).at(0).toInt(), 6);
        QCOMPARE(engine->StatusText(), "6 Photos Queued");
        QCOMPARE(engine->Tooltip(), "Skyloom\nDesktop Wallpaper Changer\n6 Photos Queued");
        // The first change comes at once, the next after the 1 s interval.
        QCOMPARE(WaitForChanges(changed, 2).size(), 2);
        QCOMPARE(QImage(Path("Wallpaper.jpg")).size(), QSize(320, 180));
        std::lock_guard guard(m_desktop.lock);
        QCOMPARE(m_desktop.applied.first(), Path("Wallpaper.jpg"));
    }

    void shortcutsAlternate() {
        auto engine = MakeEngine();
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        const QStringList photos = WaitForChanges(changed, 8, 20000);
        QVERIFY(photos.size() >= 8);
        for (int i = 1; i < photos.size(); ++i)
            QVERIFY2(FolderOf(photos[i]) != FolderOf(photos[i - 1]), qPrintable(photos.join(' ')));
        QVERIFY(!m_desktop.overlapped);
    }

    void pauseNextAndResume() {
        auto engine = MakeEngine();
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1});
        QVERIFY(built.wait(10000));
        WaitForChanges(changed, 1);
        engine->Pause();
        QCOMPARE(engine->StatusText(), "Paused");
        const int before = changed.count();
        QTest::qWait(1800); // nearly two intervals
        QCOMPARE(changed.count(), before);
        // Next while paused changes once and stays paused.
        engine->Next();
        WaitForChanges(changed, 1);
        QTest::qWait(1500);
        QCOMPARE(changed.count(), before + 1);
        QVERIFY(engine->IsPaused());
        engine->Resume();
        QCOMPARE(WaitForChanges(changed, 2).size(), before + 3);
    }

    void twoNextPressesRunOneChangeAtATime() {
        auto engine = MakeEngine();
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        QVERIFY(built.wait(10000));
        engine->Pause();
        for (int i = 0; i < 5; ++i)
            engine->Next();
        WaitForChanges(changed, 2);
        QVERIFY(!m_desktop.overlapped);
    }

    void emptyFoldersStayPaused() {
        auto engine = MakeEngine();
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({3, 99});
        QVERIFY(built.wait(10000));
        QCOMPARE(built.at(0).at(0).toInt(), 0);
        QVERIFY(engine->IsPaused());
        QVERIFY(engine->IsAutoPaused());
        QCOMPARE(engine->StatusText(), "Ready");
        engine->Next();
        QTest::qWait(1500);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!engine->IsChanging());
    }

    void anUnreadablePhotoNeverReachesTheDesktop() {
        auto engine = MakeEngine();
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({4});
        const QStringList photos = WaitForChanges(changed, 4, 15000);
        QVERIFY(photos.size() >= 4);
        for (const QString& photo : photos)
            QCOMPARE(QFileInfo(photo).fileName(), "good.jpg");
    }

    void unableToDisplayWhenEverythingIsFilteredOut() {
        auto engine = MakeEngine([](CAppSettings& s) { s.m_nOrientationFilter = 1; });
        QSignalSpy unable(engine.get(), &CSlideshowEngine::unableToDisplay);
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        QVERIFY(unable.wait(10000));
        QVERIFY(engine->IsPaused());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(engine->Counters().wrongOrientation, 6);
    }

    void aBuildCancelledByAnotherLeavesNoDuplicates() {
        auto engine = MakeEngine();
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        engine->BuildQueue({1, 2});
        engine->BuildQueue({1, 2});
        engine->BuildQueue({2});
        QVERIFY(built.wait(10000));
        QTest::qWait(900);
        QCOMPARE(built.count(), 1);
        QCOMPARE(engine->PhotosQueued(), 3);
    }

    void idleModeWaitsForTheUser() {
        auto engine = MakeEngine([](CAppSettings& s) {
            s.m_bIdleOnly = 1;
            s.m_nIdleSeconds = 5;
        });
        m_idleMs = 0; // the user is busy
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        WaitForChanges(changed, 1); // the first change after a build ignores the idle rule
        const int before = changed.count();
        QTest::qWait(2500);
        QCOMPARE(changed.count(), before);
        m_idleMs = 6000; // 6 whole seconds > 5
        QCOMPARE(WaitForChanges(changed, 1).size(), before + 1);
    }

    void shutdownEndsEveryJob() {
        auto engine = MakeEngine();
        engine->BuildQueue({1, 2, 4});
        QTest::qWait(50);
        engine->Shutdown();
        QVERIFY(!engine->IsChanging());
        engine->Next(); // nothing starts after the shutdown
        QVERIFY(!engine->IsChanging());
    }
};

SKYLOOM_TEST_MAIN(TestSlideshowEngine, QGuiApplication)
#include "tst_slideshow_engine.moc"
