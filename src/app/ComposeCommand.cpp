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
std::vector<QRect> MonitorsOf(const QSize& screen) {
    std::vector<QRect> monitors;
    if (!screen.isEmpty())
        monitors.emplace_back(QPoint(0, 0), screen);
    else if (platform::HasGraphicalSession())
        for (const platform::MonitorInfo& m : platform::Services().desktop->Monitors())
            monitors.push_back(m.geometry);
    return monitors;
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
    const std::vector<QRect> monitors = each ? MonitorsOf(screen) : std::vector<QRect>{};
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
    QImage canvas;
    if (each) {
        const DesktopCanvas desktop = ComposeDesktop(monitors, photos, options, nullptr);
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
        canvas = desktop.image;
    } else {
        const QImage background = CBackgroundRenderer::RenderBackground(options.background, screen);
        if (background.isNull())
            return Fail(QStringLiteral("cannot compose for a %1x%2 screen: a picture that size "
                                       "would take more than %3 MiB")
                            .arg(screen.width())
                            .arg(screen.height())
                            .arg(kImageLimitMiB));
        bool photoDrawn = false;
        canvas = ComposeCanvas(photos.front().path, photos.front().orientation, options, background,
                               nullptr, &photoDrawn);
        if (!photoDrawn)
            return Fail(QStringLiteral("cannot decode the photo %1").arg(photos.front().path));
    }
    if (!SaveImage(canvas, request.output, "image/jpeg", 100))
        return Fail(QStringLiteral("cannot write %1").arg(request.output));

    if (request.apply) {
        platform::IWallpaper& wallpaper = *platform::Services().wallpaper;
        if (!wallpaper.Apply(QFileInfo(request.output).absoluteFilePath(), &error))
            return Fail(
                QStringLiteral("cannot apply the wallpaper (%1): %2").arg(wallpaper.Name(), error));
    }
    return 0;
}

} // namespace skyloom
