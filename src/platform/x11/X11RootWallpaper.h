#pragma once

#include "../Wallpaper.h"

#include <QByteArray>
#include <QPoint>
#include <QSize>

#include <functional>

struct _XDisplay; // Xlib's Display

namespace skyloom::platform {

// A plain X11 session (any window manager): the picture becomes the root window's background
// pixmap, kept after Skyloom ends (RetainPermanent) and named in _XROOTPMAP_ID and
// ESETROOT_PMAP_ID so that compositors and terminals find it, the way feh and hsetroot do. The
// pixmap of the picture before is freed. One picture is centred on the primary monitor.
// Clearing leaves a plain black root.
class X11RootWallpaper final : public IWallpaper {
public:
    explicit X11RootWallpaper(QByteArray display) : m_display(std::move(display)) {}
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QStringLiteral("X11 root window"); }
    // The canvas as the root's background, each monitor's part on that monitor.
    bool ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) override;

private:
    // Where the picture goes on the root: its top-left corner.
    using Placement = std::function<QPoint(::_XDisplay*, int screen, QSize picture)>;
    bool Show(const QString& path, QString* error, const Placement& place);
    QByteArray m_display;
};

} // namespace skyloom::platform
