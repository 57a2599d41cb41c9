#include "DesktopWallpaper.h"

#include "library/MessageReporter.h"
#include "platform/Platform.h"

#include <atomic>
#include <cstdio>

namespace skyloom {
namespace {

std::atomic<bool> g_failureShown{false};

bool Report(bool done, const QString& error) {
    if (done) {
        g_failureShown = false;
        return true;
    }
    const QString text = QStringLiteral("The desktop wallpaper could not be set (%1): %2")
                             .arg(platform::Services().wallpaper->Name(), error);
    if (!g_failureShown.exchange(true))
        MessageReporter().ShowMessage(QLatin1String(kApplicationTitle), text,
                                      MessageStyle::Ok | MessageStyle::IconExclamation);
    else
        std::fprintf(stderr, "skyloom: %s\n", qUtf8Printable(text));
    return false;
}

} // namespace

bool ApplyDesktopWallpaper(const QString& path) {
    QString error;
    return Report(platform::Services().wallpaper->Apply(path, &error), error);
}

bool ApplyDesktopWallpapers(const platform::MonitorWallpapers& wallpapers) {
    QString error;
    return Report(platform::Services().wallpaper->ApplyMonitors(wallpapers, &error), error);
}

bool ClearDesktopWallpaper() {
    QString error;
    return Report(platform::Services().wallpaper->Clear(&error), error);
}

} // namespace skyloom
