#include "../Platform.h"
#include "../WallpaperFactory.h"
#include "ScreenDesktopInfo.h"
#include "SettingsProfileStore.h"
#include "StandardFolders.h"

namespace skyloom::platform {

std::unique_ptr<Platform> CreateSessionPlatform() {
    auto services = std::make_unique<Platform>();
    services->folders = std::make_unique<StandardFolders>();
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const DesktopKind kind = ChooseDesktop(environment);
    services->desktop =
        std::make_unique<ScreenDesktopInfo>([kind] { return DesktopColourText(kind); });
    services->profile = std::make_unique<SettingsProfileStore>();
    services->wallpaper = CreateWallpaper(kind, environment);
    return services;
}

} // namespace skyloom::platform
