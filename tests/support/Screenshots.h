#pragma once

#include "DarkPalette.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QStyle>
#include <QTest>
#include <QWidget>

namespace skyloom::test {

// The rows of a screenshot test: light and dark palettes at 1x and 2x.
inline void AddScreenshotRows() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("light 1x") << false << 1.0;
    QTest::newRow("light 2x") << false << 2.0;
    QTest::newRow("dark 1x") << true << 1.0;
    QTest::newRow("dark 2x") << true << 2.0;
}

// The application's palette for a row; the light one is the style's own.
inline void UsePalette(bool dark) {
    QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
}

// The folder under the build folder where the pictures are saved to be looked at.
inline QString ArtworkFolder() {
    const QString folder = QCoreApplication::applicationDirPath() + "/../artwork";
    QDir().mkpath(folder);
    return folder;
}

// Draws the widget at the pixel ratio on its window colour and saves it as
// artwork/NAME[-dark]-Nx.png.
inline bool SaveScreenshot(QWidget& widget, const QString& name, bool dark, qreal ratio) {
    QImage shot(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    shot.setDevicePixelRatio(ratio);
    shot.fill(widget.palette().color(QPalette::Window));
    widget.render(&shot);
    return shot.save(
        QString("%1/%2%3-%4x.png").arg(ArtworkFolder(), name, dark ? "-dark" : "").arg(int(ratio)));
}

} // namespace skyloom::test
