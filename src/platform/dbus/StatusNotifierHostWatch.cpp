#include "StatusNotifierHostWatch.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace skyloom::platform {
namespace {

constexpr char kService[] = "org.kde.StatusNotifierWatcher";
constexpr char kPath[] = "/StatusNotifierWatcher";
constexpr int kTimeoutMs = 500;

} // namespace

StatusNotifierHostWatch::StatusNotifierHostWatch(const QDBusConnection& bus)
    : m_bus(bus),
      m_watcher(QLatin1String(kService), m_bus, QDBusServiceWatcher::WatchForRegistration) {
    connect(&m_watcher, &QDBusServiceWatcher::serviceRegistered, this,
            &StatusNotifierHostWatch::Check);
    m_bus.connect(QLatin1String(kService), QLatin1String(kPath), QLatin1String(kService),
                  QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(Check()));
}

bool StatusNotifierHostWatch::IsUp() const {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QLatin1String(kService), QLatin1String(kPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QLatin1String(kService) << QStringLiteral("IsStatusNotifierHostRegistered");
    get.setAutoStartService(false); // asking must not start a watcher that is not running
    const QDBusMessage reply = m_bus.call(get, QDBus::Block, kTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

void StatusNotifierHostWatch::Check() {
    if (IsUp())
        QMetaObject::invokeMethod(this, &ITrayHostWatch::hostUp, Qt::QueuedConnection);
}

} // namespace skyloom::platform
