#include "ComposeCommand.h"

#include "PathsAndSettings.h"
#include "composer/CBackgroundRenderer.h"
#include "composer/CWallpaperComposer.h"
#include "composer/DesktopCanvas.h"
#include "composer/ImageToolkit.h"
#include "platform/Platform.h"
#include "settings/CAppSettings.h"
#include "settings/SettingsSnapshot.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

namespace skyloom {
namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "skyloom: %s\n", qUtf8Printable(message));
    return 1;
}

std::optional<QSize> ParseScreen(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const auto match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.isEmpty())
        return std::nullopt;
    return size;
}

// The settings to compose with, read without creating or rewriting any file.
std::optional<CAppSettings> ReadSettings(const QString& given, QString* error) {
    CAppSettings settings;
    const QString path =
        given.isEmpty() ? DataFolderPath() + QStringLiteral("/Settings.skdat") : given;
    if (given.isEmpty() && !QFileInfo::exists(path))
        return settings; // no settings yet: the defaults
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error =
            QStringLiteral("cannot read the settings file %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (!settings.Deserialise(file.readAll())) {
        *error = QStringLiteral("the settings file %1 is damaged").arg(path);
        return std::nullopt;
    }
    if (settings.m_nGradientTransform == kRetiredTransform)
        settings.m_nGradientTransform = kFisheye;
    return settings;
}

// The monitors to compose for: one of the given size, or the desktop's.
std::vector<platform::MonitorInfo> MonitorsOf(const QSize& screen) {
    if (!screen.isEmpty())
        return {{QStringLiteral("SCREEN"), QRect(QPoint(0, 0), screen), true}};
    if (platform::HasGraphicalSession())
        return platform::Services().desktop->Monitors();
    return {};
}

// A photo per monitor in one canvas of the virtual desktop; a backend that sets each monitor
// apart also gets each monitor's part beside the output.
int ComposeEachMonitor(const ComposeRequest& request,
                       const std::vector<platform::MonitorInfo>& monitors,
                       const std::vector<MonitorPhoto>& photos, const RenderOptions& options) {
    std::vector<QRect> rects;
    for (const platform::MonitorInfo& m : monitors)
        rects.push_back(m.geometry);
    const DesktopCanvas desktop = ComposeDesktop(rects, photos, options, nullptr);
    if (desktop.image.isNull())
        return Fail(QStringLiteral("cannot compose for a %1x%2 desktop: a picture that size "
                                   "would take more than %3 MiB")
                        .arg(desktop.box.width())
                        .arg(desktop.box.height())
                        .arg(kImageLimitMiB));
    for (std::size_t i = 0; i < desktop.drawn.size(); ++i)
        if (!desktop.drawn[i])
            return Fail(QStringLiteral("cannot decode the photo %1")
                            .arg(photos[std::min(i, photos.size() - 1)].path));
    const bool monitorFiles = request.apply && platform::Services().wallpaper->WantsMonitorFiles();
    if (!SaveDesktopCanvas(desktop, rects, request.output, monitorFiles))
        return Fail(QStringLiteral("cannot write %1").arg(request.output));
    if (!request.apply)
        return 0;
    const QString output = QFileInfo(request.output).absoluteFilePath();
    platform::MonitorWallpapers wallpapers{output, desktop.box, {}};
    for (std::size_t i = 0; i < monitors.size(); ++i)
        wallpapers.monitors.push_back(
            {monitors[i], monitorFiles ? MonitorFilePath(output, i) : QString()});
    platform::IWallpaper& wallpaper = *platform::Services().wallpaper;
    QString error;
    if (!wallpaper.ApplyMonitors(wallpapers, &error))
        return Fail(
            QStringLiteral("cannot apply the wallpaper (%1): %2").arg(wallpaper.Name(), error));
    return 0;
}

// One photo for a screen of the given size.
int ComposeOneScreen(const ComposeRequest& request, const QSize& screen, const MonitorPhoto& photo,
                     const RenderOptions& options) {
    const QImage background = CBackgroundRenderer::RenderBackground(options.background, screen);
    if (background.isNull())
        return Fail(QStringLiteral("cannot compose for a %1x%2 screen: a picture that size "
                                   "would take more than %3 MiB")
                        .arg(screen.width())
                        .arg(screen.height())
                        .arg(kImageLimitMiB));
    bool photoDrawn = false;
    const QImage canvas =
        ComposeCanvas(photo.path, photo.orientation, options, background, nullptr, &photoDrawn);
    if (!photoDrawn)
        return Fail(QStringLiteral("cannot decode the photo %1").arg(photo.path));
    if (!SaveImage(canvas, request.output, "image/jpeg", 100))
        return Fail(QStringLiteral("cannot write %1").arg(request.output));
    if (!request.apply)
        return 0;
    platform::IWallpaper& wallpaper = *platform::Services().wallpaper;
    QString error;
    if (!wallpaper.Apply(QFileInfo(request.output).absoluteFilePath(), &error))
        return Fail(
            QStringLiteral("cannot apply the wallpaper (%1): %2").arg(wallpaper.Name(), error));
    return 0;
}

} // namespace

int RunCompose(const ComposeRequest& request) {
    if (request.photos.isEmpty())
        return Fail(QStringLiteral("--compose needs a PHOTO"));
    const bool each = request.monitors == u"each";
    QSize screen;
    if (!request.screen.isEmpty()) {
        const auto parsed = ParseScreen(request.screen);
        if (!parsed)
            return Fail(QStringLiteral("--screen takes WIDTHxHEIGHT, such as 1920x1080"));
        screen = *parsed;
    } else if (!each && platform::HasGraphicalSession()) {
        screen = platform::Services().desktop->PrimaryScreenSize();
    }
    const std::vector<platform::MonitorInfo> monitors =
        each ? MonitorsOf(screen) : std::vector<platform::MonitorInfo>{};
    if (each ? monitors.empty() : screen.isEmpty())
        return Fail(QStringLiteral("--screen is needed when there is no display"));

    std::vector<MonitorPhoto> photos;
    for (const QString& photo : request.photos) {
        const QSize photoSize = ReadImageSize(photo);
        if (photoSize.isEmpty())
            return Fail(QStringLiteral("cannot read the photo %1").arg(photo));
        photos.push_back({photo, OrientationOf(photoSize)});
    }

    QString error;
    const std::optional<CAppSettings> settings = ReadSettings(request.settings, &error);
    if (!settings)
        return Fail(error);

    const RenderOptions options = RenderOptionsOf(*settings);
    return each ? ComposeEachMonitor(request, monitors, photos, options)
                : ComposeOneScreen(request, screen, photos.front(), options);
}

} // namespace skyloom
