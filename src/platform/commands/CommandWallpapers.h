#pragma once

#include "../Wallpaper.h"
#include "AlternatingFile.h"

#include <QStringList>

#include <vector>

namespace skyloom::platform {

// The user's own command (SKYLOOM_SET_WALLPAPER_COMMAND), read by the shell as the user wrote
// it, with the wallpaper's path as one more argument (never re-read by the shell, whatever the
// file is called), or an empty argument to clear.
class UserCommandWallpaper final : public IWallpaper {
public:
    explicit UserCommandWallpaper(const QString& command) : m_command(command.trimmed()) {}
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QStringLiteral("user command"); }

private:
    bool Run(const QString& argument, QString* error);
    QString m_command;
};

// sway and other wlroots compositors driven through swaymsg: every output shows the file
// centred; clearing shows plain black.
class SwayWallpaper final : public IWallpaper {
public:
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QStringLiteral("sway"); }
    // Each output its own file, centred.
    bool WantsMonitorFiles() const override { return true; }
    bool ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) override;
};

// XFCE through xfconf: every monitor and workspace's backdrop shows the file centred; clearing
// sets their image style to none. xfdesktop reloads only when the path changes. With a photo
// per monitor, each monitor's backdrops show that monitor's own file.
class XfceWallpaper final : public IWallpaper {
public:
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QStringLiteral("XFCE"); }
    bool WantsMonitorFiles() const override { return true; }
    bool ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) override;

private:
    // The backdrop property prefixes, such as "/backdrop/screen0/monitorDP-1/workspace0".
    QStringList Backdrops(QString* error);
    bool Set(const QStringList& backdrops, const QString& key, const QString& type,
             const QString& value, QString* error);
    bool SetAll(const QString& key, const QString& type, const QString& value, QString* error);
    AlternatingFile m_alternate;
    std::vector<AlternatingFile> m_monitorAlternates; // one per monitor, in the monitors' order
};

} // namespace skyloom::platform
