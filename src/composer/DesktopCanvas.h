#pragma once

#include "RenderOptions.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <atomic>
#include <vector>

namespace skyloom {

// A photo for one monitor and its orientation.
struct MonitorPhoto {
    QString path;
    int orientation = 0;
};

// What composing a whole desktop gave: the canvas, and for each monitor whether its photo
// could be drawn.
struct DesktopCanvas {
    QImage image;
    QRect box; // the virtual desktop the canvas covers
    std::vector<bool> drawn;
};

// Composes one photo per monitor, each at its monitor's size over the background drawn at that
// size with the look of the options, and places them at the monitors' places in one canvas the
// size of the rectangle holding every monitor, black outside every monitor. The monitors are
// composed at the same time. Monitor i takes photo i, the last photo when there are fewer.
// Backgrounds, when given, are monitor i's background at its size (drawn for any that is
// missing or of another size). A null image when there is no monitor or photo, the canvas or a
// monitor's picture could not be made (the image limit, memory), or the run flag was cleared.
DesktopCanvas ComposeDesktop(const std::vector<QRect>& monitors,
                             const std::vector<MonitorPhoto>& photos, const RenderOptions& options,
                             const std::atomic<int>* run,
                             const std::vector<QImage>& backgrounds = {});

// The name of monitor i's own file beside the wallpaper: "Wallpaper-monitor1.jpg" for the
// first monitor of "Wallpaper.jpg".
QString MonitorFilePath(const QString& wallpaperPath, std::size_t monitor);

// Writes the canvas to wallpaperPath and, with monitorFiles, each monitor's part to its own file
// (MonitorFilePath), all as quality-100 JPEGs, atomically and at the same time. False when any
// could not be written.
bool SaveDesktopCanvas(const DesktopCanvas& canvas, const std::vector<QRect>& monitors,
                       const QString& wallpaperPath, bool monitorFiles);

} // namespace skyloom
