#include "DesktopCanvas.h"

#include "CBackgroundRenderer.h"
#include "CWallpaperComposer.h"
#include "ImageToolkit.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <thread>

namespace skyloom {

DesktopCanvas ComposeDesktop(const std::vector<QRect>& monitors,
                             const std::vector<MonitorPhoto>& photos, const RenderOptions& options,
                             const std::atomic<int>* run, const std::vector<QImage>& backgrounds) {
    DesktopCanvas result;
    if (monitors.empty() || photos.empty())
        return result;
    for (const QRect& m : monitors)
        result.box = result.box.united(m);
    if (!FitsImageLimit(result.box.size()))
        return result;

    // Each monitor on a thread of its own: decoding and drawing one photo is mostly serial work,
    // so two monitors take about the time of one.
    std::vector<QImage> pictures(monitors.size());
    std::vector<char> drawn(monitors.size(), 0);
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < monitors.size(); ++i)
        workers.emplace_back([&, i] {
            const MonitorPhoto& photo = photos[std::min(i, photos.size() - 1)];
            const QImage given = i < backgrounds.size() ? backgrounds[i] : QImage();
            const QImage background =
                given.size() == monitors[i].size()
                    ? given
                    : CBackgroundRenderer::RenderBackground(options.background, monitors[i].size());
            bool photoDrawn = false;
            pictures[i] =
                ComposeCanvas(photo.path, photo.orientation, options, background, run, &photoDrawn);
            drawn[i] = photoDrawn ? 1 : 0;
        });
    for (std::thread& worker : workers)
        worker.join();
    if (run && !run->load())
        return result;
    // A monitor whose picture could not be made at all (no memory for it) leaves no canvas: a
    // photo that could not be read still leaves its background, and drawn says so.
    if (std::any_of(pictures.begin(), pictures.end(), [](const QImage& p) { return p.isNull(); }))
        return result;

    QImage canvas = NewImage(result.box.size(), QImage::Format_RGB32);
    if (canvas.isNull())
        return result;
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        result.drawn.push_back(drawn[i] != 0);
        if (!pictures[i].isNull())
            painter.drawImage(monitors[i].topLeft() - result.box.topLeft(), pictures[i]);
    }
    painter.end();
    result.image = std::move(canvas);
    return result;
}

QString MonitorFilePath(const QString& wallpaperPath, std::size_t monitor) {
    const QFileInfo file(wallpaperPath);
    return QStringLiteral("%1/%2-monitor%3.%4")
        .arg(file.path(), file.completeBaseName())
        .arg(monitor + 1)
        .arg(file.suffix());
}

bool SaveDesktopCanvas(const DesktopCanvas& canvas, const std::vector<QRect>& monitors,
                       const QString& wallpaperPath, bool monitorFiles) {
    if (canvas.image.isNull())
        return false;
    // The JPEG encoder is serial; the canvas and the monitors' files are encoded side by side.
    std::vector<char> saved(monitorFiles ? monitors.size() : 0, 0);
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < saved.size(); ++i)
        workers.emplace_back([&, i] {
            // copy() of a rectangle shares nothing with the canvas; each thread has its own.
            const QImage part = canvas.image.copy(monitors[i].translated(-canvas.box.topLeft()));
            saved[i] = SaveImage(part, MonitorFilePath(wallpaperPath, i), "image/jpeg", 100);
        });
    const bool canvasSaved = SaveImage(canvas.image, wallpaperPath, "image/jpeg", 100);
    for (std::thread& worker : workers)
        worker.join();
    return canvasSaved && std::all_of(saved.begin(), saved.end(), [](char ok) { return ok != 0; });
}

} // namespace skyloom
