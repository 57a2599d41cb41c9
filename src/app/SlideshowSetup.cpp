#include "SlideshowSetup.h"

#include "PathsAndSettings.h"
#include "engine/DesktopWallpaper.h"
#include "engine/UserIdle.h"
#include "platform/Platform.h"
#include "settings/CAppSettings.h"

namespace skyloom {

EngineSetup SessionEngineSetup(const CAppSettings& settings, const StartupPaths& startup) {
    EngineSetup setup;
    setup.databasePath = settings.GetDatabasePath();
    setup.wallpaperPath = startup.wallpaperPath;
    setup.apply = [](const QString& path) {
        return path.isEmpty() ? ClearDesktopWallpaper() : ApplyDesktopWallpaper(path);
    };
    setup.screenSize = [] { return platform::Services().desktop->PrimaryScreenSize(); };
    setup.monitors = [] { return platform::Services().desktop->Monitors(); };
    setup.applyMonitors = [](const platform::MonitorWallpapers& wallpapers) {
        return ApplyDesktopWallpapers(wallpapers);
    };
    setup.wantsMonitorFiles = platform::Services().wallpaper->WantsMonitorFiles();
    setup.idleMs = UserIdleMs;
    return setup;
}

void WatchSessionMonitors(CSlideshowEngine& engine) {
    platform::Services().desktop->WatchMonitors(&engine, [&engine] { engine.MonitorsChanged(); });
}

void RunAutoQueue(CSlideshowEngine& engine, CAppSettings& settings) {
    settings.m_arrQueue =
        engine.AutoQueue(settings.m_nAutoQueueCategoryId, settings.m_nAutoQueueCount);
    settings.Save();
}

} // namespace skyloom
