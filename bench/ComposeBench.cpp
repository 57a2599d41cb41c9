// Composing a wallpaper at a screen size (default 3840x2160) over a gradient, with the glass
// reflection: a landscape photo flat in the centre, or a portrait photo at "Center Right - 3D".
// Times the work from the photo file to the written JPEG (the cached background is rendered
// first, as the program keeps it), and reports the process's peak memory.

#include "Commands.h"
#include "composer/CBackgroundRenderer.h"
#include "composer/CWallpaperComposer.h"
#include "composer/ImageToolkit.h"

#include <QElapsedTimer>

#include <cstdio>
#include <sys/resource.h>

using namespace skyloom;

namespace {

int Compose(const QStringList& args) {
    if (args.size() < 3 || args.size() > 4)
        return 2;
    const QString photo = args[0];
    const bool portrait = args[1] == "portrait";
    const QString output = args[2];
    QSize screen(3840, 2160);
    if (args.size() == 4) {
        const QStringList parts = args[3].split('x');
        screen = QSize(parts.value(0).toInt(), parts.value(1).toInt());
    }
    RenderOptions options;
    options.background.type = kGradientBackground;
    options.background.gradientDirection = kForwardDiagonal;
    options.glassReflection = 1;
    options.landscapePosition = kCenter;
    options.portraitPosition = kCenterRight3D;
    const QImage background = CBackgroundRenderer::RenderBackground(options.background, screen);

    QElapsedTimer timer;
    timer.start();
    const QSize size = ReadImageSize(photo);
    const ComposeResult result = ComposeWallpaper(photo, portrait ? kPortrait : kLandscape, options,
                                                  background, output, nullptr, nullptr);
    const double ms = timer.nsecsElapsed() / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (result != ComposeResult::Applied ||
        OrientationOf(size) != (portrait ? kPortrait : kLandscape)) {
        std::fprintf(stderr, "the photo was not composed as a %s photo\n",
                     portrait ? "portrait" : "landscape");
        return 1;
    }
    std::printf("ms=%.1f peak_mib=%.1f\n", ms, usage.ru_maxrss / 1024.0);
    return 0;
}

const RegisterBench compose("compose", {"PHOTO landscape|portrait OUTPUT [WIDTHxHEIGHT]", Compose});

} // namespace
