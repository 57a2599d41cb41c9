#pragma once

#include "../Wallpaper.h"
#include "AlternatingFile.h"

#include <optional>

namespace skyloom::platform {

// Where a GSettings desktop keeps its background.
struct GSettingsDesktop {
    const char* name;       // for messages
    const char* schema;     // "org.gnome.desktop.background"
    const char* pictureKey; // "picture-uri" or "picture-filename"
    bool pictureIsUri;      // a file:// URI rather than a plain path
    const char* darkKey;    // "picture-uri-dark" where the schema may have it, else nullptr
    const char* optionsKey; // "picture-options"
    const char* colourKey;  // "primary-color", "#rrggbb"
};

extern const GSettingsDesktop kGnomeDesktop;
extern const GSettingsDesktop kCinnamonDesktop;
extern const GSettingsDesktop kMateDesktop;

// GNOME, Budgie, Unity, Cinnamon and MATE through the gsettings tool: the picture (also for the
// dark style where the schema has that key), shown centred; clearing sets no picture. These
// desktops keep a picture by its path, so each apply hands over the other of two names.
class GSettingsWallpaper final : public IWallpaper {
public:
    explicit GSettingsWallpaper(const GSettingsDesktop& desktop) : m_desktop(desktop) {}
    bool Apply(const QString& path, QString* error) override;
    bool Clear(QString* error) override;
    QString Name() const override { return QString::fromLatin1(m_desktop.name); }
    // The canvas, spanned over every monitor.
    bool ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) override;

private:
    bool Show(const QString& path, const QString& options, QString* error);
    bool Set(const char* key, const QString& value, QString* error);
    bool SetPicture(const QString& value, QString* error);
    bool HasDarkKey();
    const GSettingsDesktop& m_desktop;
    AlternatingFile m_alternate;
    std::optional<bool> m_hasDarkKey;
};

// The desktop's background colour as "red green blue", or an empty text when it has none.
QString GSettingsColourText(const GSettingsDesktop& desktop);

} // namespace skyloom::platform
