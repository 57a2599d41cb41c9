#include "Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace skyloom::Artwork {

QString ButtonPicture(const QString& name) {
    return QStringLiteral(":/skyloom/buttons/%1.svg").arg(name);
}

QString PageIcon(const QString& name) {
    return QStringLiteral(":/skyloom/pages/%1.svg").arg(name);
}

QString Picture(const QString& name) {
    return QStringLiteral(":/skyloom/pictures/%1.svg").arg(name);
}

QString ApplicationIconPath() {
    return QStringLiteral(":/skyloom/skyloom.svg");
}

QImage Render(const QString& path, const QSize& size, qreal pixelRatio) {
    QSvgRenderer renderer(path);
    const QSize pixels = (QSizeF(size) * pixelRatio).toSize();
    if (!renderer.isValid() || pixels.isEmpty())
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSizeF drawn = renderer.defaultSize();
    drawn.scale(pixels, Qt::KeepAspectRatio);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF((pixels.width() - drawn.width()) / 2,
                                             (pixels.height() - drawn.height()) / 2),
                                     drawn));
    painter.end();
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

QIcon Icon(const QString& path) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(Render(path, QSize(size, size), 1.0)));
    return icon;
}

QIcon ApplicationIcon() {
    return Icon(ApplicationIconPath());
}

} // namespace skyloom::Artwork
