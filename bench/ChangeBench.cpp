// The time from asking for the next wallpaper to the desktop being handed it, through the
// slideshow engine at a screen size (default 3840x2160): a queue of one folder holding the
// photo, the default look (3-D, glass reflection), five changes, the median.

#include "Commands.h"
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

using namespace skyloom;

namespace {

int Change(const QStringList& args) {
    if (args.isEmpty() || args.size() > 2)
        return 2;
    QSize screen(3840, 2160);
    if (args.size() == 2) {
        const QStringList parts = args[1].split('x');
        screen = QSize(parts.value(0).toInt(), parts.value(1).toInt());
    }
    QTemporaryDir work;
    QDir().mkpath(work.filePath("photos"));
    for (int i = 0; i < 2; ++i) // two, so that no change repeats the photo before
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
        r.numPhotos = 2;
        if (table.Insert(r) != 1)
            return 1;
    }
    CAppSettings settings;
    settings.m_bMinSizeFilter = 0;
    settings.m_nIntervalHours = 1; // no change but the ones asked for
    EngineSetup setup;
    setup.databasePath = work.filePath("library.skdb");
    setup.wallpaperPath = work.filePath("Wallpaper.jpg");
    setup.apply = [](const QString&) { return true; };
    setup.screenSize = [screen] { return screen; };
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
    std::printf("\nscreen=%dx%d change_ms=%.1f\n", screen.width(), screen.height(), runs[2]);
    return 0;
}

const RegisterBench change("change", {"PHOTO [WIDTHxHEIGHT]", Change});

} // namespace
