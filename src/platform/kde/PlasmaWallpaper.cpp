#include "PlasmaWallpaper.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QUrl>

namespace skyloom::platform {
namespace {

// Plasma's image wallpaper takes Qt Quick's fill modes; 6 (Pad) is "Centered".
constexpr int kCentred = 6;

// A JavaScript string literal.
QString Literal(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\'', QStringLiteral("\\'"));
    text.replace(u'\n', QStringLiteral("\\n"));
    return u'\'' + text + u'\'';
}

} // namespace

QString PlasmaWallpaper::ScriptFor(const QString& path) {
    return QStringLiteral("var all = desktops();"
                          "for (var i = 0; i < all.length; i++) {"
                          " var d = all[i];"
                          " d.wallpaperPlugin = 'org.kde.image';"
                          " d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                          " d.writeConfig('Image', %1);"
                          " d.writeConfig('FillMode', %2);"
                          "}")
        .arg(Literal(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)))
        .arg(kCentred);
}

bool PlasmaWallpaper::Evaluate(const QString& script, QString* error) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
        QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        *error = QStringLiteral("plasmashell: %1").arg(reply.errorMessage());
        return false;
    }
    return true;
}

bool PlasmaWallpaper::Apply(const QString& path, QString* error) {
    const QString shown = m_alternate.Next(path, error);
    if (shown.isEmpty())
        return false;
    return Evaluate(ScriptFor(shown), error);
}

bool PlasmaWallpaper::Clear(QString* error) {
    return Evaluate(QStringLiteral("var all = desktops();"
                                   "for (var i = 0; i < all.length; i++)"
                                   " all[i].wallpaperPlugin = 'org.kde.color';"),
                    error);
}

} // namespace skyloom::platform
