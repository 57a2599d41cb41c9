#include "../Platform.h"
#include "ScreenDesktopInfo.h"
#include "SettingsProfileStore.h"
#include "StandardFolders.h"

namespace skyloom::platform {

std::unique_ptr<Platform> CreateSessionPlatform() {
    auto services = std::make_unique<Platform>();
    services->folders = std::make_unique<StandardFolders>();
    services->desktop = std::make_unique<ScreenDesktopInfo>();
    services->profile = std::make_unique<SettingsProfileStore>();
    return services;
}

} // namespace skyloom::platform
