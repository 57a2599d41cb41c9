// The slideshow engine without a window: real photo folders and a real library file, a desktop
// that records what it is handed, and a fake idle clock.

#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "composer/RenderOptions.h"
#include "engine/CSlideshowEngine.h"
#include "library/CShortcutsTable.h"
#include "settings/CAppSettings.h"

#include <QSignalSpy>

#include <algorithm>
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

    std::mutex m_monitorsLock;
    std::vector<platform::MonitorWallpapers> m_handed; // what a photo per monitor handed over

    std::unique_ptr<CSlideshowEngine>
    MakeEngine(const std::function<void(CAppSettings&)>& tweak = {},
               const std::vector<platform::MonitorInfo>& monitors = {}) {
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
        if (!monitors.empty()) {
            setup.monitors = [monitors] { return monitors; };
            setup.wantsMonitorFiles = true;
            setup.applyMonitors = [this](const platform::MonitorWallpapers& wallpapers) {
                std::lock_guard guard(m_monitorsLock);
                m_handed.push_back(wallpapers);
                return m_desktop.Apply(wallpapers.canvas);
            };
        }
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
        for (const char* folder : {"a", "b", "empty", "mixed", "tall"})
            QVERIFY(QDir().mkpath(Path(folder)));
        // Portrait photos of one colour each, told apart on the canvas.
        for (const auto& [name, colour] : {std::pair{"red", Qt::red}, {"green", Qt::green}}) {
            QImage tall(90, 160, QImage::Format_RGB32);
            tall.fill(colour);
            QVERIFY(tall.save(Path(QString("tall/%1.png").arg(name))));
        }
        for (const char* folder : {"a", "b"})
            for (int i = 0; i < 3; ++i)
                QVERIFY(landscape.save(Path(QString("%1/%2.jpg").arg(folder).arg(i))));
        QVERIFY(landscape.save(Path("mixed/good.jpg")));
        QVERIFY(
            test::WriteFile(Path("mixed/broken.jpg"), QByteArray(500, 'x').prepend("\xFF\xD8")));
        CShortcutsTable table(Path("library.skdb"));
        QVERIFY(table.Open());
        for (const char* folder : {"a", "b", "empty", "mixed", "tall"}) // ids 1 to 5
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

    void aShortcutWithoutPhotosDoesNotStopTheOthers_data() {
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("an empty folder") << QList<int>{1, 3};
        QTest::newRow("a shortcut deleted since") << QList<int>{1, 99};
    }

    void aShortcutWithoutPhotosDoesNotStopTheOthers() {
        QFETCH(QList<int>, ids);
        auto engine = MakeEngine();
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({ids.begin(), ids.end()});
        QVERIFY(WaitForChanges(changed, 3, 15000).size() >= 3);
    }

    void aBuildEndsPaused_data() {
        QTest::addColumn<bool>("pauseOnStartup");
        QTest::addColumn<bool>("pausedDuringBuild");
        QTest::addColumn<bool>("paused");
        QTest::newRow("neither") << false << false << false;
        QTest::newRow("pause on start-up") << true << false << true;
        QTest::newRow("paused while it was built") << false << true << true;
    }

    void aBuildEndsPaused() {
        QFETCH(bool, pauseOnStartup);
        QFETCH(bool, pausedDuringBuild);
        QFETCH(bool, paused);
        auto engine = MakeEngine([&](CAppSettings& s) { s.m_bPauseOnStartup = pauseOnStartup; });
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        engine->BuildQueue({1, 2});
        if (pausedDuringBuild)
            engine->Pause();
        QVERIFY(built.wait(10000));
        QCOMPARE(engine->IsPaused(), paused);
        QCOMPARE(engine->StatusText(), paused ? "Paused" : "6 Photos Queued");
        // Only that build: the next one starts the slideshow.
        engine->BuildQueue({1, 2});
        QVERIFY(built.wait(10000));
        QVERIFY(!engine->IsPaused());
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
        // Next changes at once, busy or not, and only once: the interval waits again.
        m_idleMs = 0;
        QTest::qWait(1500); // any change under way when the user came back has ended
        engine->Next();
        const int afterNext = WaitForChanges(changed, 1).size();
        QTest::qWait(2500);
        QCOMPARE(changed.count(), afterNext);
    }

    void applyOfTheFiltersBringsRejectedPhotosBack_data() {
        QTest::addColumn<unsigned>("filterChanges");
        QTest::addColumn<bool>("shows");
        QTest::newRow("orientation filter changed") << FilterChange::Orientation << true;
        // Only the filters said to have changed lose their marks.
        QTest::newRow("minimum size changed") << FilterChange::MinSize << false;
    }

    void applyOfTheFiltersBringsRejectedPhotosBack() {
        QFETCH(unsigned, filterChanges);
        QFETCH(bool, shows);
        auto engine = MakeEngine([](CAppSettings& s) { s.m_nOrientationFilter = 1; });
        QSignalSpy unable(engine.get(), &CSlideshowEngine::unableToDisplay);
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        QVERIFY(unable.wait(10000));
        // Every orientation is allowed now, and applied.
        CAppSettings settings;
        settings.m_bGlassReflection = 0;
        settings.m_bMinSizeFilter = 0;
        engine->Apply(SnapshotOf(settings), PendingChange::PhotoOptions, filterChanges, {1, 2});
        QVERIFY(!engine->IsPaused());
        if (shows) {
            QVERIFY(WaitForChanges(changed, 2).size() >= 2);
        } else {
            QVERIFY(unable.wait(10000));
            QCOMPARE(changed.count(), 0);
        }
    }

    void applyOfTheLookComposesTheSamePhotoAgainWhilePaused() {
        auto engine = MakeEngine();
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        const QString shown = WaitForChanges(changed, 1).last();
        engine->Pause();
        QTest::qWait(100);
        const int before = changed.count();
        CAppSettings settings;
        settings.m_bGlassReflection = 0;
        settings.m_nBackgroundType = 0;
        engine->Apply(SnapshotOf(settings), PendingChange::Background, 0, {1, 2});
        QCOMPARE(WaitForChanges(changed, 1).value(before), shown);
        QVERIFY(engine->IsPaused());
        QTest::qWait(1500); // paused: no interval follows
        QCOMPARE(changed.count(), before + 1);
    }

    void applyRendersTheBackgroundOnlyWhenItsBitSays_data() {
        QTest::addColumn<unsigned>("pending");
        QTest::addColumn<bool>("newBackground");
        QTest::newRow("photo options") << PendingChange::PhotoOptions << false;
        QTest::newRow("background") << PendingChange::Background << true;
    }
    void applyRendersTheBackgroundOnlyWhenItsBitSays() {
        QFETCH(unsigned, pending);
        QFETCH(bool, newBackground);
        auto engine = MakeEngine(); // over black
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        WaitForChanges(changed, 1);
        engine->Pause();
        QTest::qWait(100);
        const int before = changed.count();
        CAppSettings settings;
        settings.m_bGlassReflection = 0;
        settings.m_crSolidColor = 0xFFFFFF;
        settings.m_nLandscapePosition = kFarRight;
        engine->Apply(SnapshotOf(settings), pending, 0, {1, 2});
        QVERIFY(WaitForChanges(changed, 1).size() > before);
        // The photo options are taken either way; the background only with its bit.
        const QImage wallpaper(Path("Wallpaper.jpg"));
        QCOMPARE(qGray(wallpaper.pixel(0, 0)) > 128, newBackground);
        QVERIFY(qGray(wallpaper.pixel(319, 90)) < 250 && qGray(wallpaper.pixel(319, 90)) > 5);
    }

    void applyOfTheIntervalLeavesTheWallpaper() {
        auto engine = MakeEngine();
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 2});
        WaitForChanges(changed, 1);
        CAppSettings settings;
        settings.m_nIntervalHours = 1;
        engine->Apply(SnapshotOf(settings), PendingChange::Interval, 0, {1, 2});
        QTest::qWait(150);
        const int before = changed.count(); // a change under way may still end
        QTest::qWait(2000);
        QCOMPARE(changed.count(), before);
        QVERIFY(!engine->IsPaused());
    }

    void autoQueueQueuesAndBuilds() {
        auto engine = MakeEngine();
        QSignalSpy status(engine.get(), &CSlideshowEngine::statusChanged);
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        const std::vector<int> ids = engine->AutoQueue(3, 2);
        QCOMPARE(ids.size(), 2u);
        QVERIFY(ids[0] < ids[1] && ids[0] >= 1 && ids[1] <= 5);
        QVERIFY(std::any_of(status.begin(), status.end(), [](const QList<QVariant>& a) {
            return a.at(0).toString() == "AutoQueue in Progress...";
        }));
        QVERIFY(!engine->IsAutoQueueRunning());
        QVERIFY(built.wait(10000));
    }

    void refreshRebuildsOnlyWhenACountChanged() {
        {
            CShortcutsTable table(Path("library.skdb"));
            QVERIFY(table.Open());
            table.Execute("UPDATE Shortcuts SET NumPhotos=0;");
        }
        auto engine = MakeEngine();
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        QSignalSpy refreshed(engine.get(), &CSlideshowEngine::refreshFinished);
        engine->BuildQueue({1, 2});
        QVERIFY(built.wait(10000));
        engine->Refresh(3);
        QCOMPARE(engine->StatusText(), "Refreshing Photo Information...");
        QVERIFY(refreshed.wait(10000));
        QCOMPARE(refreshed.at(0).at(0).toInt(), 3);
        QVERIFY(built.wait(10000)); // the stored counts were 0
        // Counted again, nothing has changed: the queue stays.
        engine->Refresh(-1);
        QVERIFY(refreshed.wait(10000));
        QTest::qWait(1000);
        QCOMPARE(built.count(), 2);
        QVERIFY(!engine->IsRefreshing());
    }

    void aRefreshDuringABuildBuildsAfterIt() {
        auto engine = MakeEngine();
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        QSignalSpy refreshed(engine.get(), &CSlideshowEngine::refreshFinished);
        engine->BuildQueue({1, 2});
        engine->Refresh(-1);
        engine->Refresh(3); // replaces the one just asked for
        QVERIFY(!engine->IsBuilding());
        QVERIFY(refreshed.wait(10000));
        QVERIFY(built.wait(10000));
        QTest::qWait(900);
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(refreshed.at(0).at(0).toInt(), 3);
        QCOMPARE(built.count(), 1);
        QCOMPARE(engine->PhotosQueued(), 6);
    }

    void queriesOfTheQueue() {
        auto engine = MakeEngine();
        QVERIFY(!engine->DrawPhoto()); // an empty queue has no photo to give
        QSignalSpy built(engine.get(), &CSlideshowEngine::queueBuilt);
        engine->BuildQueue({1});
        QVERIFY(built.wait(10000));
        engine->Pause();
        QTest::qWait(200);
        const std::optional<QueuedPhoto> drawn = engine->DrawPhoto();
        QVERIFY(drawn && drawn->index >= 0 && drawn->index < 3);
        QVERIFY(drawn->entry.measured);
        QCOMPARE(QSize(drawn->entry.width, drawn->entry.height), QSize(160, 120));
        QCOMPARE(drawn->entry.orientation, 2);
        for (int index : {-1, 3, 1000})
            engine->MarkShown(index); // outside the queue: ignored
        SlideshowState state = engine->State();
        QCOMPARE(state.queuedIdCount, 1);
        state.currentPhoto = "/elsewhere/photo.jpg";
        state.lastShortcutId = 5;
        state.chosenShortcutId = 77;
        state.counters.tooSmall = 4;
        engine->SetState(state);
        const SlideshowState after = engine->State();
        QCOMPARE(after.currentPhoto, "/elsewhere/photo.jpg");
        QCOMPARE(after.lastShortcutId, 5);
        QCOMPARE(after.counters.tooSmall, 4);
        QVERIFY(after.chosenShortcutId != 77);
    }

    void aClearDuringAChangeHasTheLastWord() {
        // The change has its photo in the desktop's hands when the user clears: once that
        // change ends, the wallpaper is cleared again, so the desktop is left without a photo.
        std::mutex lock;
        QStringList applied;
        std::atomic<bool> release{false};
        EngineSetup setup;
        setup.databasePath = Path("library.skdb");
        setup.wallpaperPath = Path("Wallpaper-clear.jpg");
        setup.screenSize = [] { return QSize(320, 180); };
        setup.apply = [&](const QString& path) {
            while (!path.isEmpty() && !release)
                QThread::msleep(5);
            std::lock_guard guard(lock);
            applied << (path.isEmpty() ? "clear" : "photo");
            return true;
        };
        CAppSettings settings;
        settings.m_bGlassReflection = 0;
        settings.m_bMinSizeFilter = 0;
        CSlideshowEngine engine(setup);
        engine.ApplySnapshot(SnapshotOf(settings));
        engine.BuildQueue({1});
        QTRY_VERIFY_WITH_TIMEOUT(engine.IsChanging(), 10000);
        QTest::qWait(300); // the change reaches the desktop and waits there
        engine.PauseAndClear();
        release = true;
        QTRY_VERIFY_WITH_TIMEOUT(!engine.IsChanging(), 10000);
        QTest::qWait(100);
        std::lock_guard guard(lock);
        QCOMPARE(applied.last(), "clear");
    }

    void aPhotoOnEachMonitor() {
        // A landscape monitor and, right of it and taller, a portrait one; below the first,
        // the canvas lies outside every monitor.
        const std::vector<platform::MonitorInfo> monitors{
            {"LEFT-1", QRect(0, 0, 320, 180), true}, {"RIGHT-1", QRect(320, 0, 180, 320), false}};
        {
            std::lock_guard guard(m_monitorsLock);
            m_handed.clear();
        }
        auto engine = MakeEngine(
            [](CAppSettings& s) {
                s.m_nMonitors = CAppSettings::kEachMonitor;
                s.m_nPortraitPosition = s.m_nLandscapePosition = kCenter;
                s.m_nPortraitScale = s.m_nLandscapeScale = 100;
            },
            monitors);
        QSignalSpy changed(engine.get(), &CSlideshowEngine::wallpaperApplied);
        engine->BuildQueue({1, 5});
        // Folder a has three landscape photos: three changes show them all on the landscape
        // monitor, and the fourth begins a new round.
        const QStringList shown = WaitForChanges(changed, 4, 20000);
        QVERIFY(shown.size() >= 4);
        QCOMPARE(QSet<QString>(shown.begin(), shown.begin() + 3).size(), 3);
        engine->Pause();
        QTRY_VERIFY(!engine->IsChanging());

        std::lock_guard guard(m_monitorsLock);
        QVERIFY(m_handed.size() >= 3);
        const platform::MonitorWallpapers& last = m_handed.back();
        QCOMPARE(last.box, QRect(0, 0, 500, 320));
        QCOMPARE(last.monitors.size(), std::size_t(2));
        QCOMPARE(last.monitors[1].info.name, QString("RIGHT-1"));
        const QImage canvas(last.canvas);
        const QImage right(last.monitors[1].path);
        const QImage left(last.monitors[0].path);
        QCOMPARE(canvas.size(), QSize(500, 320));
        QCOMPARE(left.size(), QSize(320, 180));
        QCOMPARE(right.size(), QSize(180, 320));
        QVERIFY(QDir().mkpath("rendered-desktops"));
        canvas.save("rendered-desktops/each-monitor-engine.png");
        // The portrait monitor shows a portrait photo, red or green, in its middle; the landscape
        // monitor a landscape one of folder a; outside the monitors the canvas is black.
        const QColor middle = canvas.pixelColor(410, 160);
        QVERIFY2(middle.red() > 200 || middle.green() > 200, qPrintable(middle.name()));
        QVERIFY(qAbs(middle.red() - middle.green()) > 150);
        QCOMPARE(right.pixelColor(90, 160).name(), middle.name());
        QVERIFY(qGray(canvas.pixel(100, 260)) < 8);
        // The primary monitor's photo is the one reported.
        for (const QString& photo : shown)
            QCOMPARE(FolderOf(photo), QString("a"));
    }

    void shutdownEndsEveryJob() {
        auto engine = MakeEngine();
        engine->BuildQueue({1, 2, 4});
        engine->Refresh(-1);
        QTest::qWait(50);
        engine->Shutdown();
        QVERIFY(!engine->IsChanging());
        engine->Next(); // nothing starts after the shutdown
        QVERIFY(!engine->IsChanging());
    }
};

SKYLOOM_TEST_MAIN(TestSlideshowEngine, QGuiApplication)
#include "tst_slideshow_engine.moc"
