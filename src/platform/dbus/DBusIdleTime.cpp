#include "DBusIdleTime.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

namespace skyloom::platform {
namespace {

constexpr int kTimeoutMs = 500;

std::optional<qint64> Ask(const char* service, const char* path, const char* interface,
                          const char* method) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path),
                                       QLatin1String(interface), QLatin1String(method));
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 ms = reply.arguments().first().toLongLong(&ok);
    return ok && ms >= 0 ? std::optional<qint64>(ms) : std::nullopt;
}

} // namespace

std::optional<qint64> DBusIdleTime::IdleMilliseconds() {
    if (auto ms = Ask("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
                      "org.gnome.Mutter.IdleMonitor", "GetIdletime"))
        return ms;
    return Ask("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
               "org.freedesktop.ScreenSaver", "GetSessionIdleTime");
}

} // namespace skyloom::platform
