#pragma once

#include "RenderOptions.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <mutex>

class QPainter;

namespace skyloom {

// Renders the background every wallpaper is drawn over: a solid colour, a two-colour gradient
// with an optional transformation, or an image fitted to or tiled over the screen. It keeps
// the screen-sized background that compositions start from, writes the 200 by 100 thumbnail
// the previews show, and paints into a rectangle for the previews.
class CBackgroundRenderer {
public:
    static constexpr QSize kThumbnailSize{200, 100};

    // Renders the background for the screen size and makes it the cached one; the cache is
    // replaced while the lock is held.
    void BuildScreenBackground(const BackgroundSettings& settings, const QSize& screen,
                               std::recursive_mutex& lock);
    const QImage& ScreenBackground() const { return m_screenBackground; }

    static QImage RenderBackground(const BackgroundSettings& settings, const QSize& screen);
    static QImage RenderSolidBackground(COLORREF colour, const QSize& screen);
    // A missing or undecodable image gives white.
    static QImage RenderImageBackground(int style, const QString& path, const QSize& screen);
    // A gradient of the given size (opaque RGB32, rows top-down).
    static QImage RenderGradient(const QSize& size, COLORREF start, COLORREF end, int direction,
                                 int transform);
    // Folds the gradient in place by one of the transformations; others leave it as it is.
    static void TransformGradient(QImage& buffer, int transform);

    static void PaintGradient(QPainter& painter, const QRect& rect, COLORREF start, COLORREF end,
                              int direction, int transform);
    static void PaintImage(QPainter& painter, const QRect& rect, const QString& path, int style,
                           const QSize& screen);

    // Deletes the thumbnail and writes it anew for a solid, gradient or image background; for
    // any other type no file is left. False when no file was written.
    static bool WriteBackgroundThumbnail(const BackgroundSettings& settings, const QString& path);

private:
    QImage m_screenBackground;
};

} // namespace skyloom
