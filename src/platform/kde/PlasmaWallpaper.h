#pragma once

#include "../Wallpaper.h"
#include "../commands/AlternatingFile.h"

namespace skyloom::platform {

// KDE Plasma through plasmashell's scripting call on the session bus: every desktop shows the
// picture centred; clearing switches them to a plain colour. Plasma keeps a picture by its path,
// so each apply hands over the other of two names.
class PlasmaWallpaper final : public IWallpaper {
public:
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QStringLiteral("KDE Plasma"); }

private:
    // The script that shows a picture on every desktop.
    static QString ScriptFor(const QString& path);
    bool Evaluate(const QString& script, QString* error);
    AlternatingFile m_alternate;
};

} // namespace skyloom::platform
