#include "AutoStart.h"

#include "library/MessageReporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>

namespace skyloom {
namespace {

// One argument of an Exec key: quoted when it holds a reserved character, with the quoting
// backslashes; then, as the key is a string value, every backslash doubled again, and "%"
// written "%%" so that it is no field code.
QString ExecArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = argument.isEmpty();
    for (const QChar c : argument)
        quote = quote || reserved.contains(c);
    QString quoted;
    if (quote) {
        quoted += QLatin1Char('"');
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        quoted += QLatin1Char('"');
    } else {
        quoted = argument;
    }
    QString escaped;
    for (const QChar c : quoted) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c == u'\t')
            escaped += QStringLiteral("\\t");
        else if (c == u'\r')
            escaped += QStringLiteral("\\r");
        else if (c == u'%')
            escaped += QStringLiteral("%%");
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

QString ProgramPath() {
    const QString appImage = qEnvironmentVariable("APPIMAGE");
    return appImage.isEmpty() ? QCoreApplication::applicationFilePath() : appImage;
}

QString AutoStartEntryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/") + QLatin1String(kApplicationTitle) +
           QStringLiteral(".desktop");
}

QByteArray AutoStartEntryText(const QString& program) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=Shows photos from your photo folders as the desktop "
                          "wallpaper\n"
                          "Exec=%2\n"
                          "Icon=skyloom\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QLatin1String(kApplicationTitle), ExecArgument(program))
        .toUtf8();
}

bool SetAutoStart(bool enable, const QString& program) {
    const QString path = AutoStartEntryPath();
    const auto fail = [&path](const QString& what) {
        std::fprintf(stderr, "skyloom: cannot %s the auto-start entry %s\n", qUtf8Printable(what),
                     qUtf8Printable(path));
        return false;
    };
    if (!enable) {
        if (QFile::exists(path) && !QFile::remove(path))
            return fail(QStringLiteral("remove"));
        return true;
    }
    const QByteArray text = AutoStartEntryText(program);
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == text)
        return true; // as it should be: not written again
    current.close();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return fail(QStringLiteral("write"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return fail(QStringLiteral("write"));
    return true;
}

} // namespace skyloom
