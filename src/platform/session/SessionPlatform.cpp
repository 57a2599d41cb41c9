#include "../Platform.h"
#include "FileOnlyWallpaper.h"
#include "ScreenDesktopInfo.h"
#include "SettingsProfileStore.h"
#include "StandardFolders.h"

namespace skyloom::platform {

std::unique_ptr<Platform> CreateSessionPlatform() {
    auto services = std::make_unique<Platform>();
    services->folders = std::make_unique<StandardFolders>();
    services->desktop = std::make_unique<ScreenDesktopInfo>();
    services->profile = std::make_unique<SettingsProfileStore>();
    services->wallpaper = std::make_unique<FileOnlyWallpaper>();
    return services;
}

} // namespace skyloom::platform
