#include "ScreenDesktopInfo.h"

#include <QGuiApplication>
#include <QScreen>

namespace skyloom::platform {

QSize ScreenDesktopInfo::PrimaryScreenSize() const {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return screen->size() * screen->devicePixelRatio();
}

} // namespace skyloom::platform
