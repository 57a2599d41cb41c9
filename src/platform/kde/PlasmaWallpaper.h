#pragma once

#include "../Wallpaper.h"
#include "../commands/AlternatingFile.h"

#include <QStringList>

#include <vector>

namespace skyloom::platform {

// KDE Plasma through plasmashell's scripting call on the session bus: every desktop shows the
// picture centred (with a photo per monitor, each screen's desktop its own file); clearing
// switches them to a plain colour. Plasma keeps a picture by its path,
// so each apply hands over the other of two names.
class PlasmaWallpaper final : public IWallpaper {
public:
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QStringLiteral("KDE Plasma"); }
    // Each screen's desktop its own monitor's file.
    bool WantsMonitorFiles() const override { return true; }
    bool ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) override;

    // The script that shows a picture on every desktop.
    static QString ScriptFor(const QString& path);
    // The script that shows each screen's desktop the file (paths, in the monitors' order) of
    // the monitor at its place.
    static QString ScriptForMonitors(const MonitorWallpapers& wallpapers, const QStringList& paths);

private:
    bool Evaluate(const QString& script, QString* error);
    AlternatingFile m_alternate;
    std::vector<AlternatingFile> m_monitorAlternates;
};

} // namespace skyloom::platform
