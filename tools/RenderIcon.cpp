// Draws an SVG into a square PNG of the given size: the application icon at the sizes the
// hicolor icon theme installs. Run at build time.
//
//   skyloom-render-icon SVG SIZE PNG

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: skyloom-render-icon SVG SIZE PNG\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    const int size = std::atoi(argv[2]);
    if (!renderer.isValid() || size <= 0) {
        std::fprintf(stderr, "skyloom-render-icon: cannot draw %s at %s\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    const QString output = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(QFileInfo(output).path());
    return image.save(output, "PNG") ? 0 : 1;
}
