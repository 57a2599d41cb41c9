#include "CommandWallpapers.h"

#include "ToolRunner.h"

#include <QSet>

namespace skyloom::platform {
namespace {

constexpr char kXfconf[] = "xfconf-query";
constexpr char kXfceChannel[] = "xfce4-desktop";
// xfdesktop's image styles.
constexpr char kXfceCentred[] = "1";
constexpr char kXfceNone[] = "0";

} // namespace

bool UserCommandWallpaper::Run(const QString& argument, QString* error) {
    if (m_command.isEmpty()) {
        *error = QStringLiteral("SKYLOOM_SET_WALLPAPER_COMMAND is empty");
        return false;
    }
    return RunTool(QStringLiteral("/bin/sh"),
                   {QStringLiteral("-c"), m_command + QStringLiteral(" \"$1\""),
                    QStringLiteral("skyloom"), argument},
                   error, nullptr, m_command.section(u' ', 0, 0));
}

bool UserCommandWallpaper::Apply(const QString& path, QString* error) {
    return Run(path, error);
}
bool UserCommandWallpaper::Clear(QString* error) {
    return Run(QString(), error);
}

bool SwayWallpaper::Apply(const QString& path, QString* error) {
    return RunTool(QStringLiteral("swaymsg"),
                   {QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"), path,
                    QStringLiteral("center")},
                   error);
}

bool SwayWallpaper::Clear(QString* error) {
    return RunTool(QStringLiteral("swaymsg"),
                   {QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"),
                    QStringLiteral("#000000"), QStringLiteral("solid_color")},
                   error);
}

bool SwayWallpaper::ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) {
    for (const MonitorWallpapers::Monitor& monitor : wallpapers.monitors)
        if (!RunTool(QStringLiteral("swaymsg"),
                     {QStringLiteral("output"), monitor.info.name, QStringLiteral("bg"),
                      monitor.path, QStringLiteral("center")},
                     error))
            return false;
    return true;
}

QStringList XfceWallpaper::Backdrops(QString* error) {
    QByteArray listing;
    if (!RunTool(QLatin1String(kXfconf),
                 {QStringLiteral("-c"), QLatin1String(kXfceChannel), QStringLiteral("-l")}, error,
                 &listing))
        return {};
    QStringList prefixes;
    QSet<QString> seen;
    for (const QByteArray& line : listing.split('\n')) {
        const QString property = QString::fromUtf8(line).trimmed();
        if (!property.startsWith(QStringLiteral("/backdrop/")) ||
            !property.endsWith(QStringLiteral("/last-image")))
            continue;
        const QString prefix = property.left(property.size() - int(qstrlen("/last-image")));
        if (!seen.contains(prefix)) {
            seen.insert(prefix);
            prefixes << prefix;
        }
    }
    if (prefixes.isEmpty())
        *error = QStringLiteral("xfconf lists no backdrop");
    return prefixes;
}

bool XfceWallpaper::SetAll(const QString& key, const QString& type, const QString& value,
                           QString* error) {
    const QStringList backdrops = Backdrops(error);
    return !backdrops.isEmpty() && Set(backdrops, key, type, value, error);
}

bool XfceWallpaper::Set(const QStringList& backdrops, const QString& key, const QString& type,
                        const QString& value, QString* error) {
    for (const QString& backdrop : backdrops)
        if (!RunTool(QLatin1String(kXfconf),
                     {QStringLiteral("-c"), QLatin1String(kXfceChannel), QStringLiteral("-p"),
                      backdrop + u'/' + key, QStringLiteral("--create"), QStringLiteral("-t"), type,
                      QStringLiteral("-s"), value},
                     error))
            return false;
    return true;
}

bool XfceWallpaper::Apply(const QString& path, QString* error) {
    const QString shown = m_alternate.Next(path, error);
    if (shown.isEmpty())
        return false;
    return SetAll(QStringLiteral("image-style"), QStringLiteral("int"), QLatin1String(kXfceCentred),
                  error) &&
           SetAll(QStringLiteral("last-image"), QStringLiteral("string"), shown, error);
}

bool XfceWallpaper::ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) {
    const QStringList backdrops = Backdrops(error);
    if (backdrops.isEmpty())
        return false;
    m_monitorAlternates.resize(wallpapers.monitors.size());
    for (std::size_t i = 0; i < wallpapers.monitors.size(); ++i) {
        const MonitorWallpapers::Monitor& monitor = wallpapers.monitors[i];
        // Every workspace of the monitor; a monitor xfdesktop has not listed yet gets its first
        // workspace's backdrop made.
        const QString tag = QStringLiteral("/monitor%1/").arg(monitor.info.name);
        QStringList own = backdrops.filter(tag);
        if (own.isEmpty())
            own << QStringLiteral("/backdrop/screen0/monitor%1/workspace0").arg(monitor.info.name);
        const QString shown = m_monitorAlternates[i].Next(monitor.path, error);
        if (shown.isEmpty() ||
            !Set(own, QStringLiteral("image-style"), QStringLiteral("int"),
                 QLatin1String(kXfceCentred), error) ||
            !Set(own, QStringLiteral("last-image"), QStringLiteral("string"), shown, error))
            return false;
    }
    return true;
}

bool XfceWallpaper::Clear(QString* error) {
    return SetAll(QStringLiteral("image-style"), QStringLiteral("int"), QLatin1String(kXfceNone),
                  error);
}

} // namespace skyloom::platform
