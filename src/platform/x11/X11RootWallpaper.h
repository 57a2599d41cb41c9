#pragma once

#include "../Wallpaper.h"

#include <QByteArray>

namespace skyloom::platform {

// A plain X11 session (any window manager): the picture becomes the root window's background
// pixmap, kept after Skyloom ends (RetainPermanent) and named in _XROOTPMAP_ID and
// ESETROOT_PMAP_ID so that compositors and terminals find it, the way feh and hsetroot do. The
// pixmap of the picture before is freed. Clearing leaves a plain black root.
class X11RootWallpaper final : public IWallpaper {
public:
    explicit X11RootWallpaper(QByteArray display) : m_display(std::move(display)) {}
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QStringLiteral("X11 root window"); }

private:
    QByteArray m_display;
};

} // namespace skyloom::platform
