#include "GSettingsWallpaper.h"

#include "ToolRunner.h"

#include <QColor>
#include <QUrl>

namespace skyloom::platform {
namespace {

const QString kTool = QStringLiteral("gsettings");

// A GVariant string literal, so that any path survives gsettings' parsing.
QString Quoted(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + text + u'\'';
}

} // namespace

const GSettingsDesktop kGnomeDesktop{"GNOME",
                                     "org.gnome.desktop.background",
                                     "picture-uri",
                                     true,
                                     "picture-uri-dark",
                                     "picture-options",
                                     "primary-color"};
const GSettingsDesktop kCinnamonDesktop{"Cinnamon",     "org.cinnamon.desktop.background",
                                        "picture-uri",  true,
                                        nullptr,        "picture-options",
                                        "primary-color"};
const GSettingsDesktop kMateDesktop{"MATE",  "org.mate.background", "picture-filename", false,
                                    nullptr, "picture-options",     "primary-color"};

bool GSettingsWallpaper::Set(const char* key, const QString& value, QString* error) {
    return RunTool(
        kTool,
        {QStringLiteral("set"), QLatin1String(m_desktop.schema), QLatin1String(key), Quoted(value)},
        error);
}

bool GSettingsWallpaper::HasDarkKey() {
    if (!m_desktop.darkKey)
        return false;
    if (!m_hasDarkKey) {
        QString ignored;
        QByteArray keys;
        m_hasDarkKey =
            RunTool(kTool, {QStringLiteral("list-keys"), QLatin1String(m_desktop.schema)}, &ignored,
                    &keys) &&
            keys.split('\n').contains(QByteArray(m_desktop.darkKey));
    }
    return *m_hasDarkKey;
}

bool GSettingsWallpaper::SetPicture(const QString& value, QString* error) {
    return Set(m_desktop.pictureKey, value, error) &&
           (!HasDarkKey() || Set(m_desktop.darkKey, value, error));
}

bool GSettingsWallpaper::Apply(const QString& path, QString* error) {
    return Show(path, QStringLiteral("centered"), error);
}

bool GSettingsWallpaper::ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) {
    // "spanned" stretches one picture over the bounding box of every monitor, which is what the
    // canvas was composed for.
    return Show(wallpapers.canvas, QStringLiteral("spanned"), error);
}

bool GSettingsWallpaper::Show(const QString& path, const QString& options, QString* error) {
    const QString shown = m_alternate.Next(path, error);
    if (shown.isEmpty())
        return false;
    const QString picture =
        m_desktop.pictureIsUri ? QUrl::fromLocalFile(shown).toString(QUrl::FullyEncoded) : shown;
    return Set(m_desktop.optionsKey, options, error) && SetPicture(picture, error);
}

bool GSettingsWallpaper::Clear(QString* error) {
    return Set(m_desktop.optionsKey, QStringLiteral("none"), error) && SetPicture(QString(), error);
}

QString GSettingsColourText(const GSettingsDesktop& desktop) {
    QString error;
    QByteArray value;
    if (!RunTool(kTool,
                 {QStringLiteral("get"), QLatin1String(desktop.schema),
                  QLatin1String(desktop.colourKey)},
                 &error, &value))
        return {};
    const QColor colour(QString::fromUtf8(value).trimmed().remove(u'\''));
    if (!colour.isValid())
        return {};
    return QStringLiteral("%1 %2 %3").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

} // namespace skyloom::platform
