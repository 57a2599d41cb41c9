#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace skyloom {

// The program's own artwork, drawn from SVG in the resources at the size it is shown.
namespace Artwork {
// Paths of the pictures in the resources.
QString ButtonPicture(const QString& name); // browse, categories, delete, edit, new, ...
QString PageIcon(const QString& name);      // shortcuts, wallpaper, background, options
QString Picture(const QString& name);       // new_shortcut, shortcut_builder, drag_drop, ...
QString ApplicationIconPath();

// The SVG drawn at a logical size and pixel ratio (its proportions kept, centred); null when
// the file is not a picture.
QImage Render(const QString& path, const QSize& size, qreal pixelRatio);
// An icon holding the SVG drawn at 16 to 256 pixels.
QIcon Icon(const QString& path);
QIcon ApplicationIcon();
} // namespace Artwork

} // namespace skyloom
