#include "SlideshowCommand.h"

#include "PathsAndSettings.h"
#include "TerminationSignals.h"
#include "engine/CSlideshowEngine.h"
#include "engine/DesktopWallpaper.h"
#include "engine/UserIdle.h"
#include "platform/Platform.h"
#include "settings/CAppSettings.h"

#include <QCoreApplication>

#include <cstdio>

namespace skyloom {

int RunSlideshow() {
    CAppSettings settings;
    const StartupPaths startup = RunPathsAndSettings(settings);

    EngineSetup setup;
    setup.databasePath = settings.GetDatabasePath();
    setup.wallpaperPath = startup.wallpaperPath;
    setup.apply = [](const QString& path) {
        return path.isEmpty() ? ClearDesktopWallpaper() : ApplyDesktopWallpaper(path);
    };
    setup.screenSize = [] { return platform::Services().desktop->PrimaryScreenSize(); };
    setup.idleMs = UserIdleMs;
    CSlideshowEngine engine(setup);
    engine.ApplySnapshot(SnapshotOf(settings));

    QString shown;
    QObject::connect(&engine, &CSlideshowEngine::statusChanged, &engine,
                     [&shown](const QString& status) {
                         if (status == shown)
                             return;
                         shown = status;
                         std::printf("%s\n", qUtf8Printable(status));
                         std::fflush(stdout);
                     });
    QObject::connect(&engine, &CSlideshowEngine::unableToDisplay, &engine, [] {
        std::fprintf(stderr, "skyloom: no queued photo passes the Wallpaper Settings (minimum "
                             "size or photo orientation); the slideshow is paused\n");
    });
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested,
                     QCoreApplication::instance(), &QCoreApplication::quit);

    engine.BuildQueue(settings.m_arrQueue);
    QCoreApplication::exec();
    engine.Shutdown();
    if (settings.m_bClearOnExit)
        ClearDesktopWallpaper();
    return 0;
}

} // namespace skyloom
