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

std::vector<MonitorInfo> ScreenDesktopInfo::Monitors() const {
    std::vector<MonitorInfo> monitors;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        // Qt places screens in device-independent pixels; one factor scales them all.
        const qreal ratio = screen->devicePixelRatio();
        const QRect logical = screen->geometry();
        MonitorInfo monitor;
        monitor.name = screen->name();
        monitor.geometry = QRect(QPoint(qRound(logical.x() * ratio), qRound(logical.y() * ratio)),
                                 logical.size() * ratio);
        monitor.primary = screen == primary;
        if (!monitor.geometry.isEmpty())
            monitors.push_back(monitor);
    }
    SortMonitors(monitors);
    return monitors;
}

namespace {

void WatchScreen(QScreen* screen, QObject* context, const std::function<void()>& changed) {
    // A turned monitor changes its geometry; a new scale changes it too.
    QObject::connect(screen, &QScreen::geometryChanged, context, changed);
}

} // namespace

void ScreenDesktopInfo::WatchMonitors(QObject* context, std::function<void()> changed) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    for (QScreen* screen : QGuiApplication::screens())
        WatchScreen(screen, context, changed);
    QObject::connect(app, &QGuiApplication::screenAdded, context,
                     [context, changed](QScreen* screen) {
                         WatchScreen(screen, context, changed);
                         changed();
                     });
    QObject::connect(app, &QGuiApplication::screenRemoved, context, changed);
    QObject::connect(app, &QGuiApplication::primaryScreenChanged, context, changed);
}

} // namespace skyloom::platform
