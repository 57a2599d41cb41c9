#include "AlternatingFile.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace skyloom::platform {

QString AlternatingFile::Next(const QString& path, QString* error) {
    const QFileInfo file(path);
    m_turn = m_turn == 1 ? 2 : 1;
    const QString name = QStringLiteral("%1/%2-%3.%4")
                             .arg(file.absolutePath(), file.completeBaseName())
                             .arg(m_turn)
                             .arg(file.suffix());
    QFile::remove(name);
    // A link shares the file's current contents; the composer replaces the file by renaming a
    // new one over it, so the link keeps showing this wallpaper.
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(name).constData()) == 0 ||
        QFile::copy(path, name))
        return name;
    *error = QStringLiteral("cannot make a second name for %1").arg(path);
    return QString();
}

} // namespace skyloom::platform
