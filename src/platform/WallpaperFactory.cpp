#include "WallpaperFactory.h"

#include "commands/CommandWallpapers.h"
#include "commands/GSettingsWallpaper.h"
#include "kde/PlasmaWallpaper.h"
#include "session/FileOnlyWallpaper.h"
#include "x11/X11RootWallpaper.h"

namespace skyloom::platform {

DesktopKind ChooseDesktop(const QProcessEnvironment& env) {
    if (!env.value(QStringLiteral("SKYLOOM_SET_WALLPAPER_COMMAND")).trimmed().isEmpty())
        return DesktopKind::UserCommand;
    const QStringList desktops =
        env.value(QStringLiteral("XDG_CURRENT_DESKTOP")).toLower().split(u':', Qt::SkipEmptyParts);
    const auto has = [&desktops](std::initializer_list<const char*> names) {
        for (const char* name : names)
            if (desktops.contains(QLatin1String(name)))
                return true;
        return false;
    };
    // Cinnamon and Budgie also name GNOME, so the specific ones are asked first.
    if (has({"x-cinnamon", "cinnamon"}))
        return DesktopKind::Cinnamon;
    if (has({"mate"}))
        return DesktopKind::Mate;
    if (has({"gnome", "gnome-classic", "gnome-flashback", "ubuntu", "unity", "budgie",
             "budgie-desktop", "pantheon"}))
        return DesktopKind::Gnome;
    if (has({"kde"}))
        return DesktopKind::Kde;
    if (has({"xfce"}))
        return DesktopKind::Xfce;
    if (has({"sway", "wlroots"}) || !env.value(QStringLiteral("SWAYSOCK")).isEmpty())
        return DesktopKind::Sway;
    // An unknown Wayland compositor shows no X root window, even with XWayland running.
    if (env.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland") ||
        (env.value(QStringLiteral("DISPLAY")).isEmpty() &&
         !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()))
        return DesktopKind::FileOnly;
    if (!env.value(QStringLiteral("DISPLAY")).isEmpty())
        return DesktopKind::X11Root;
    return DesktopKind::FileOnly;
}

std::unique_ptr<IWallpaper> CreateWallpaper(DesktopKind kind, const QProcessEnvironment& env) {
    switch (kind) {
    case DesktopKind::UserCommand:
        return std::make_unique<UserCommandWallpaper>(
            env.value(QStringLiteral("SKYLOOM_SET_WALLPAPER_COMMAND")));
    case DesktopKind::Gnome:
        return std::make_unique<GSettingsWallpaper>(kGnomeDesktop);
    case DesktopKind::Cinnamon:
        return std::make_unique<GSettingsWallpaper>(kCinnamonDesktop);
    case DesktopKind::Mate:
        return std::make_unique<GSettingsWallpaper>(kMateDesktop);
    case DesktopKind::Kde:
        return std::make_unique<PlasmaWallpaper>();
    case DesktopKind::Xfce:
        return std::make_unique<XfceWallpaper>();
    case DesktopKind::Sway:
        return std::make_unique<SwayWallpaper>();
    case DesktopKind::X11Root:
        return std::make_unique<X11RootWallpaper>(
            env.value(QStringLiteral("DISPLAY")).toLocal8Bit());
    case DesktopKind::FileOnly:
        break;
    }
    return std::make_unique<FileOnlyWallpaper>();
}

QString DesktopColourText(DesktopKind kind) {
    switch (kind) {
    case DesktopKind::Gnome:
        return GSettingsColourText(kGnomeDesktop);
    case DesktopKind::Cinnamon:
        return GSettingsColourText(kCinnamonDesktop);
    case DesktopKind::Mate:
        return GSettingsColourText(kMateDesktop);
    default:
        return {};
    }
}

} // namespace skyloom::platform
