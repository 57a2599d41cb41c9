#include "../Platform.h"
#include "../WallpaperFactory.h"
#include "../dbus/DBusIdleTime.h"
#include "../x11/X11IdleTime.h"
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
    // On Wayland the X server (XWayland) sees only its own clients' input: ask the desktop.
    if (environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland") ||
        (environment.contains(QStringLiteral("WAYLAND_DISPLAY")) &&
         !environment.contains(QStringLiteral("DISPLAY"))))
        services->idle = std::make_unique<DBusIdleTime>();
    else
        services->idle = std::make_unique<X11IdleTime>(
            environment.value(QStringLiteral("DISPLAY")).toLocal8Bit());
    return services;
}

} // namespace skyloom::platform
