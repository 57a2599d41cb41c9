#pragma once

#include "DesktopInfo.h"
#include "Folders.h"
#include "IdleTime.h"
#include "ProfileStore.h"
#include "Wallpaper.h"

#include <memory>

namespace skyloom::platform {

// The set of platform facilities the program uses, chosen once for the process.
struct Platform {
    std::unique_ptr<IFolders> folders;
    std::unique_ptr<IDesktopInfo> desktop;
    std::unique_ptr<IProfileStore> profile;
    std::unique_ptr<IWallpaper> wallpaper;
    std::unique_ptr<IIdleTime> idle;
};

// The facilities in force. The first call without an installed set creates the one for the
// running session.
Platform& Services();

// Replaces the facilities in force (tests install the dummy set) and returns the old set.
std::unique_ptr<Platform> InstallServices(std::unique_ptr<Platform> services);

// The facilities of the running desktop session.
std::unique_ptr<Platform> CreateSessionPlatform();

// True when the process can reach a graphical desktop session (an X11 or Wayland display).
bool HasGraphicalSession();

} // namespace skyloom::platform
