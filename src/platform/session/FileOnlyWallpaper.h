#pragma once

#include "../Wallpaper.h"

namespace skyloom::platform {

// For a desktop Skyloom cannot drive: the wallpaper file is written as usual and nothing is
// applied. It says so once on stderr, so that a user wondering why the desktop does not change
// finds the reason.
class FileOnlyWallpaper final : public IWallpaper {
public:
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QStringLiteral("file only"); }

private:
    void SayOnce();
    bool m_said = false;
};

} // namespace skyloom::platform
