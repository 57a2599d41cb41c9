// The time from asking for the next wallpaper to the desktop being handed it, through the
// slideshow engine at a screen size (default 3840x2160): a queue of one folder holding the
// photo, the default look (3-D, glass reflection), five changes, the median. With a monitor
// count, that many monitors of the size side by side, each with a photo of its own (0: the one
// screen), and with "flat" the photo in the middle, not turned; the peak memory of the process
// is reported too.

#include "Commands.h"
#include "composer/RenderOptions.h"
#include "engine/CSlideshowEngine.h"
#include "library/CShortcutsTable.h"
#include "settings/CAppSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using namespace skyloom;

namespace {

int Change(const QStringList& args) {
    if (args.isEmpty() || args.size() > 4)
        return 2;
    QSize screen(3840, 2160);
    if (args.size() >= 2) {
        const QStringList parts = args[1].split('x');
        screen = QSize(parts.value(0).toInt(), parts.value(1).toInt());
    }
    const int monitorCount = args.size() >= 3 ? args[2].toInt() : 0;
    const bool flat = args.size() == 4 && args[3] == u"flat";
    std::vector<platform::MonitorInfo> monitors;
    for (int i = 0; i < monitorCount; ++i)
        monitors.push_back({QStringLiteral("BENCH-%1").arg(i + 1),
                            QRect(QPoint(i * screen.width(), 0), screen), i == 0});
    QTemporaryDir work;
    QDir().mkpath(work.filePath("photos"));
    // Two per monitor, so that no change repeats a photo of the change before.
    for (int i = 0; i < 2 * std::max(1, monitorCount); ++i)
        if (!QFile::copy(args[0], work.filePath(QString("photos/%1.jpg").arg(i))))
            return 1;
    {
        CShortcutsTable table(work.filePath("library.skdb"));
        if (!table.Open())
            return 1;
        ShortcutRecord r;
        r.catId = 3;
        r.name = QStringLiteral("Photos");
        r.folder = work.filePath("photos");
        r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
        r.numPhotos = 2 * std::max(1, monitorCount);
        if (table.Insert(r) != 1)
            return 1;
    }
    CAppSettings settings;
    settings.m_bMinSizeFilter = 0;
    settings.m_nIntervalHours = 1; // no change but the ones asked for
    if (flat)
        settings.m_nLandscapePosition = settings.m_nPortraitPosition = kCenter;
    settings.m_nMonitors =
        monitorCount > 0 ? CAppSettings::kEachMonitor : CAppSettings::kPrimaryMonitor;
    EngineSetup setup;
    setup.databasePath = work.filePath("library.skdb");
    setup.wallpaperPath = work.filePath("Wallpaper.jpg");
    setup.apply = [](const QString&) { return true; };
    setup.screenSize = [screen] { return screen; };
    setup.monitors = [monitors] { return monitors; };
    setup.applyMonitors = [](const platform::MonitorWallpapers&) { return true; };
    CSlideshowEngine engine(setup);
    engine.ApplySnapshot(SnapshotOf(settings));

    QEventLoop loop;
    QObject::connect(&engine, &CSlideshowEngine::wallpaperApplied, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    engine.BuildQueue({1});
    limit.start(60000);
    if (loop.exec() != 0) // the first change, which follows the build
        return 1;
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        engine.Next();
        limit.start(60000);
        if (loop.exec() != 0)
            return 1;
        runs.push_back(timer.nsecsElapsed() / 1e6);
    }
    engine.Shutdown();
    std::printf("change runs (ms):");
    for (double ms : runs)
        std::printf(" %.1f", ms);
    std::sort(runs.begin(), runs.end());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\nscreen=%dx%d monitors=%d change_ms=%.1f peak_mib=%.1f\n", screen.width(),
                screen.height(), std::max(1, monitorCount), runs[2], usage.ru_maxrss / 1024.0);
    return 0;
}

const RegisterBench change("change", {"PHOTO [WIDTHxHEIGHT [MONITORS [flat]]]", Change});

} // namespace
