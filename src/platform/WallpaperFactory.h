#pragma once

#include "Wallpaper.h"

#include <QProcessEnvironment>

#include <memory>

namespace skyloom::platform {

// The desktops Skyloom drives.
enum class DesktopKind { UserCommand, Gnome, Cinnamon, Mate, Kde, Xfce, Sway, X11Root, FileOnly };

// The desktop of a session, from SKYLOOM_SET_WALLPAPER_COMMAND (which wins), XDG_CURRENT_DESKTOP,
// SWAYSOCK, XDG_SESSION_TYPE, DISPLAY and WAYLAND_DISPLAY.
DesktopKind ChooseDesktop(const QProcessEnvironment& environment);

std::unique_ptr<IWallpaper> CreateWallpaper(DesktopKind kind,
                                            const QProcessEnvironment& environment);

// The desktop's background colour as "red green blue", or an empty text when it has none.
QString DesktopColourText(DesktopKind kind);

} // namespace skyloom::platform
