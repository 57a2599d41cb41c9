#include "PlasmaWallpaper.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QRectF>
#include <QUrl>

namespace skyloom::platform {
namespace {

// Plasma's image wallpaper takes Qt Quick's fill modes; 6 (Pad) is "Centered".
constexpr int kCentred = 6;

// A JavaScript string literal.
QString Literal(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\'', QStringLiteral("\\'"));
    text.replace(u'\n', QStringLiteral("\\n"));
    return u'\'' + text + u'\'';
}

} // namespace

QString PlasmaWallpaper::ScriptFor(const QString& path) {
    return QStringLiteral("var all = desktops();"
                          "for (var i = 0; i < all.length; i++) {"
                          " var d = all[i];"
                          " d.wallpaperPlugin = 'org.kde.image';"
                          " d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                          " d.writeConfig('Image', %1);"
                          " d.writeConfig('FillMode', %2);"
                          "}")
        // One pass: a chained arg() would read the "%2" of an escaped URL as its own place.
        .arg(Literal(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)),
             QString::number(kCentred));
}

QString PlasmaWallpaper::ScriptForMonitors(const MonitorWallpapers& wallpapers,
                                           const QStringList& paths) {
    // Plasma numbers its screens its own way and may give their geometry in logical pixels, so
    // each desktop takes the file of the monitor whose centre, relative to the whole desktop,
    // lies nearest to its screen's.
    QStringList entries;
    const QRectF box = wallpapers.box;
    for (std::size_t i = 0; i < wallpapers.monitors.size(); ++i) {
        const QRectF r = wallpapers.monitors[i].info.geometry;
        entries << QStringLiteral("{x: %1, y: %2, image: %3}")
                       .arg((r.center().x() - box.left()) / box.width())
                       .arg((r.center().y() - box.top()) / box.height())
                       .arg(Literal(
                           QUrl::fromLocalFile(paths.value(int(i))).toString(QUrl::FullyEncoded)));
    }
    return QStringLiteral("var files = [%1];"
                          "var all = desktops();"
                          "var l = 1e9, t = 1e9, r = -1e9, b = -1e9;"
                          "for (var i = 0; i < all.length; i++) {"
                          " if (all[i].screen < 0) continue;"
                          " var g = screenGeometry(all[i].screen);"
                          " l = Math.min(l, g.x); t = Math.min(t, g.y);"
                          " r = Math.max(r, g.x + g.width); b = Math.max(b, g.y + g.height);"
                          "}"
                          "for (var i = 0; i < all.length; i++) {"
                          " var d = all[i];"
                          " if (d.screen < 0) continue;"
                          " var g = screenGeometry(d.screen);"
                          " var x = (g.x + g.width / 2 - l) / Math.max(1, r - l);"
                          " var y = (g.y + g.height / 2 - t) / Math.max(1, b - t);"
                          " var best = files[0], dist = 1e9;"
                          " for (var k = 0; k < files.length; k++) {"
                          "  var e = (files[k].x - x) * (files[k].x - x) + (files[k].y - y) * "
                          "(files[k].y - y);"
                          "  if (e < dist) { dist = e; best = files[k]; }"
                          " }"
                          " d.wallpaperPlugin = 'org.kde.image';"
                          " d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                          " d.writeConfig('Image', best.image);"
                          " d.writeConfig('FillMode', %2);"
                          "}")
        .arg(entries.join(u','), QString::number(kCentred));
}

bool PlasmaWallpaper::Evaluate(const QString& script, QString* error) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
        QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        *error = QStringLiteral("plasmashell: %1").arg(reply.errorMessage());
        return false;
    }
    return true;
}

bool PlasmaWallpaper::Apply(const QString& path, QString* error) {
    const QString shown = m_alternate.Next(path, error);
    if (shown.isEmpty())
        return false;
    return Evaluate(ScriptFor(shown), error);
}

bool PlasmaWallpaper::ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) {
    if (wallpapers.monitors.empty())
        return Apply(wallpapers.canvas, error);
    m_monitorAlternates.resize(wallpapers.monitors.size());
    QStringList shown;
    for (std::size_t i = 0; i < wallpapers.monitors.size(); ++i) {
        shown << m_monitorAlternates[i].Next(wallpapers.monitors[i].path, error);
        if (shown.back().isEmpty())
            return false;
    }
    return Evaluate(ScriptForMonitors(wallpapers, shown), error);
}

bool PlasmaWallpaper::Clear(QString* error) {
    return Evaluate(QStringLiteral("var all = desktops();"
                                   "for (var i = 0; i < all.length; i++)"
                                   " all[i].wallpaperPlugin = 'org.kde.color';"),
                    error);
}

} // namespace skyloom::platform
