#include "PhotoPatterns.h"

namespace skyloom {

QString BuildPatterns(bool jpeg, bool bmp, bool png, bool tiff) {
    QString text;
    if (jpeg)
        text += QStringLiteral("*.jpg;*.jpeg;");
    if (bmp)
        text += QStringLiteral("*.bmp;");
    if (png)
        text += QStringLiteral("*.png;");
    if (tiff)
        text += QStringLiteral("*.tif;*.tiff;");
    return text;
}

bool MatchesPhotoPatterns(const QString& fileName, const QString& lowerPatterns) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot == fileName.size() - 1)
        return false;
    return lowerPatterns.contains(fileName.mid(dot).toLower());
}

} // namespace skyloom
